// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "tests/e2e/DravemoSession.h"
#include "tests/e2e/ScreenChecks.h"

namespace dravemo::test {
namespace {

// The screen shows a known picture; captures of it are compared with that picture.
class CaptureToFile : public ::testing::Test {
protected:
    void SetUp() override {
        pattern = session.Home() / "pattern.png";
        expected = PaintKnownPicture(pattern, 7, session.Env());
        ASSERT_EQ(expected.Bytes.size(), 1280u * 800 * 3);
    }
    // The pattern's pixels inside a rectangle.
    std::string Crop(int left, int top, int width, int height) const {
        std::string out;
        for (int y = top; y < top + height; ++y) {
            out += expected.Bytes.substr((static_cast<size_t>(y) * 1280 + left) * 3, width * 3);
        }
        return out;
    }
    std::filesystem::path CaptureOnce(const std::string& settings) {
        session.WriteSettings(settings + "\"mouse\"=dword:00000000\r\n");
        auto dravemo = session.Start({"/start"});
        EXPECT_TRUE(session.WaitForInstance());
        EXPECT_EQ(session.SendCommand(R"({"command":"capture"})"), 1);
        const auto files = FilesIn(session.Desktop());
        EXPECT_EQ(files.size(), 1u);
        return files.empty() ? std::filesystem::path() : session.Desktop() / files.front();
    }

    DravemoSession session;
    std::filesystem::path pattern;
    Picture expected;
};

TEST_F(CaptureToFile, FullScreenToPngIsTheScreenPixelForPixel) {
    const auto file = CaptureOnce("\"area\"=dword:00000000\r\n\"saveto\"=dword:00000000\r\n");
    EXPECT_EQ(file.filename(), "D-001.png");
    const Picture shot = Decode(file, session.Env());
    EXPECT_EQ(shot.Width, 1280);
    EXPECT_EQ(shot.Height, 800);
    EXPECT_TRUE(shot.Bytes == expected.Bytes) << "pixels differ";
}

TEST_F(CaptureToFile, RegionToBmpIsTheStoredRegion) {
    // The frame at (100, 50): the region starts inside its 6-pixel border below the header.
    const auto file = CaptureOnce(
        "\"area\"=dword:00000001\r\n\"saveto\"=dword:00000003\r\n\"left\"=dword:00000064\r\n"
        "\"top\"=dword:00000032\r\n\"width\"=dword:000000c8\r\n\"height\"=dword:00000078\r\n");
    EXPECT_EQ(file.filename(), "D-001.bmp");
    const Picture shot = Decode(file, session.Env());
    EXPECT_EQ(shot.Width, 200);
    EXPECT_EQ(shot.Height, 120);
    EXPECT_TRUE(shot.Bytes == Crop(106, 81, 200, 120)) << "pixels differ";
}

TEST_F(CaptureToFile, ClipboardTargetServesTheCaptureWhileDravemoRuns) {
    session.WriteSettings("\"saveto\"=dword:00000007\r\n\"mouse\"=dword:00000000\r\n");
    auto dravemo = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    ASSERT_EQ(session.SendCommand(R"({"command":"capture"})"), 1);
    EXPECT_TRUE(FilesIn(session.Desktop()).empty()) << "no file for the clipboard target";
    const auto pasted = session.Home() / "pasted.png";
    const RunResult paste = test::Run(
        {"sh", "-c", "xclip -selection clipboard -t image/png -o > '" + pasted.string() + "'"},
        session.Env());
    ASSERT_EQ(paste.Exit, 0) << paste.Output;
    const Picture shot = Decode(pasted, session.Env());
    EXPECT_EQ(shot.Width, 1280);
    EXPECT_EQ(shot.Height, 800);
    EXPECT_TRUE(shot.Bytes == expected.Bytes) << "pixels differ";
}

TEST_F(CaptureToFile, EveryStillFileFormatIsWritten) {
    struct Target {
        int index;
        const char* name;
    };
    for (const Target& t :
         {Target{1, "D-001.jpg"}, Target{2, "D-001.gif"}, Target{4, "D-001.webp"}}) {
        std::filesystem::remove_all(session.Desktop());
        std::filesystem::create_directories(session.Desktop());
        char line[64];
        std::snprintf(line, sizeof line, "\"saveto\"=dword:%08x\r\n", t.index);
        const auto file = CaptureOnce(line);
        EXPECT_EQ(file.filename(), t.name);
        const Picture shot = Decode(file, session.Env());
        EXPECT_EQ(shot.Width, 1280) << t.name;
        EXPECT_EQ(shot.Height, 800) << t.name;
        session.Send(0x0400, 2);
        WaitUntil([&] { return !session.WaitForInstance(std::chrono::milliseconds(50)); });
    }
}

}  // namespace
}  // namespace dravemo::test
