// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <future>
#include <sstream>
#include <thread>

#include "tests/e2e/DravemoSession.h"
#include "tests/support/ImageDecoding.h"

namespace dravemo::test {
namespace {

constexpr int kWidth = 1280, kHeight = 800;

// 60 % of a colour byte, rounded: what the overlay shows outside the selection.
uint8_t Dark(uint8_t b) { return static_cast<uint8_t>((uint32_t{b} * 19660 + 16384) >> 15); }

struct Box {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};

// Drag mode with the PNG target over a known picture on the root window; "capture" commands
// run on a thread of their own, since the command returns only when the overlay has closed.
// The parameter is Qt's scale factor: the overlay's coordinates stay physical pixels.
class DragOverlayOnScreen : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        pattern = Picture("pattern.png", {"-seed", "11", "plasma:fractal"});
        ASSERT_TRUE(pattern.Valid());
        test::Run({"display", "-window", "root", (session.Home() / "pattern.png").string()},
                  session.Env());
        test::Run({"xdotool", "mousemove", "5", "5"}, session.Env());
        session.WriteSettings(
            "\"area\"=dword:00000002\r\n\"saveto\"=dword:00000000\r\n\"mouse\"=dword:00000000\r\n");
        ChildProcess::Env env = session.Env();
        env["QT_SCALE_FACTOR"] = GetParam();
        dravemo =
            std::make_unique<ChildProcess>(std::vector<std::string>{DRAVEMO_BINARY, "/start"}, env);
        ASSERT_TRUE(session.WaitForInstance());
    }
    void TearDown() override {
        // An overlay left open by a failed check would hold the command thread forever.
        if (capture.valid()) {
            Xdo({"key", "Escape"});
            capture.wait_for(std::chrono::seconds(5));
        }
    }

    DecodedImage Picture(const std::string& name, std::vector<std::string> source) {
        std::vector<std::string> argv{"convert", "-size", "1280x800"};
        argv.insert(argv.end(), source.begin(), source.end());
        argv.insert(argv.end(), {"-depth", "8", (session.Home() / name).string()});
        test::Run(argv, session.Env());
        return DecodePngRgb(ReadFile(session.Home() / name));
    }
    DecodedImage Screenshot() {
        const auto file = session.Home() / "shot.png";
        std::filesystem::remove(file);
        test::Run({"import", "-window", "root", "-depth", "8", file.string()}, session.Env());
        return DecodePngRgb(ReadFile(file));
    }
    // "" when the screenshot shows `picture` darkened outside `bright`, else the first
    // difference.
    static std::string Compare(const DecodedImage& shot, const DecodedImage& picture,
                               const Box& bright) {
        if (shot.Width != kWidth || shot.Height != kHeight) return "no screenshot";
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                for (int c = 0; c < 3; ++c) {
                    const uint8_t want =
                        bright.Contains(x, y) ? picture.At(x, y)[c] : Dark(picture.At(x, y)[c]);
                    if (shot.At(x, y)[c] != want) {
                        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                               ") channel " + std::to_string(c) + " is " +
                               std::to_string(shot.At(x, y)[c]) + ", expected " +
                               std::to_string(want);
                    }
                }
            }
        }
        return "";
    }
    // Waits until the screen shows the desktop as it was before the overlay opened, darkened
    // outside `bright`; the last difference.
    std::string WaitForScreen(const Box& bright) {
        std::string difference;
        WaitUntil([&] { return (difference = Compare(Screenshot(), before, bright)).empty(); },
                  std::chrono::seconds(10));
        return difference;
    }
    void Xdo(std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        test::Run(args, session.Env());
    }
    // The visible overlay window's id: a window of ours covering the whole screen.
    std::string OverlayWindow() {
        const RunResult found = test::Run(
            {"xdotool", "search", "--onlyvisible", "--classname", "dravemo"}, session.Env());
        std::istringstream ids(found.Output);
        for (std::string id; std::getline(ids, id);) {
            int width = 0, height = 0;
            std::istringstream info(test::Run({"xwininfo", "-id", id}, session.Env()).Output);
            for (std::string line; std::getline(info, line);) {
                std::sscanf(line.c_str(), "  Width: %d", &width);
                std::sscanf(line.c_str(), "  Height: %d", &height);
            }
            if (width >= kWidth && height >= kHeight) return id;
        }
        return "";
    }
    std::string ActiveWindow() {
        std::string id = test::Run({"xdotool", "getactivewindow"}, session.Env()).Output;
        while (!id.empty() && id.back() == '\n') id.pop_back();
        return id;
    }
    // Sends "capture" and waits until the overlay shows the darkened desktop and has the focus.
    void OpenOverlay() {
        before = Screenshot();
        capture = std::async(std::launch::async,
                             [this] { return session.SendCommand(R"({"command":"capture"})"); });
        ASSERT_TRUE(WaitUntil([&] { return !(overlay = OverlayWindow()).empty(); }))
            << "no overlay window";
        ASSERT_EQ(WaitForScreen({}), "") << "the overlay does not show the darkened desktop";
        ASSERT_TRUE(WaitUntil([&] { return ActiveWindow() == overlay; }))
            << "the overlay is not active";
    }
    bool CaptureReturned(std::chrono::milliseconds wait) {
        return capture.wait_for(wait) == std::future_status::ready;
    }

    DravemoSession session;
    std::unique_ptr<ChildProcess> dravemo;
    DecodedImage pattern;
    // The screen just before the overlay opened: what it freezes.
    DecodedImage before;
    std::future<std::optional<int32_t>> capture;
    std::string overlay;
};

TEST_P(DragOverlayOnScreen, DragSavesTheFrozenPixelsOfTheRectangle) {
    OpenOverlay();
    // What happens on screen from now on is not part of the capture.
    Picture("other.png", {"xc:#3366cc"});
    test::Run({"display", "-window", "root", (session.Home() / "other.png").string()},
              session.Env());
    // Dragged from bottom right to top left: the end point is exclusive.
    Xdo({"mousemove", "701", "533"});
    Xdo({"mousedown", "1"});
    Xdo({"mousemove", "400", "300"});
    Xdo({"mousemove", "301", "201"});
    EXPECT_EQ(WaitForScreen({301, 201, 701, 533}), "") << "while dragging";
    Xdo({"mouseup", "1"});
    ASSERT_TRUE(CaptureReturned(std::chrono::seconds(10)));
    EXPECT_EQ(capture.get(), 1);
    EXPECT_TRUE(OverlayWindow().empty()) << "the overlay is still there";

    ASSERT_EQ(FilesIn(session.Desktop()), std::vector<std::string>{"D-001.png"});
    const DecodedImage shot = DecodePngRgb(ReadFile(session.Desktop() / "D-001.png"));
    ASSERT_EQ(shot.Width, 400);
    ASSERT_EQ(shot.Height, 332);
    std::string difference;
    for (int y = 0; y < shot.Height && difference.empty(); ++y) {
        for (int x = 0; x < shot.Width && difference.empty(); ++x) {
            if (shot.Rgb(x, y) != pattern.Rgb(301 + x, 201 + y)) {
                difference = "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
    }
    EXPECT_EQ(difference, "");
}

TEST_P(DragOverlayOnScreen, ClickKeepsTheOverlayAndEscCancelsIt) {
    OpenOverlay();
    Xdo({"mousemove", "200", "200", "click", "1"});
    EXPECT_FALSE(CaptureReturned(std::chrono::milliseconds(600)));
    EXPECT_EQ(OverlayWindow(), overlay);
    Xdo({"key", "Escape"});
    ASSERT_TRUE(CaptureReturned(std::chrono::seconds(10)));
    EXPECT_TRUE(OverlayWindow().empty());
    EXPECT_TRUE(FilesIn(session.Desktop()).empty());
}

TEST_P(DragOverlayOnScreen, ActivatingAnotherWindowCancels) {
    ChildProcess other({"xmessage", "-name", "other-program", "-title", "other-program", "x"},
                       session.Env());
    std::string id;
    ASSERT_TRUE(WaitUntil([&] {
        const RunResult r = test::Run(
            {"xdotool", "search", "--onlyvisible", "--name", "^other-program$"}, session.Env());
        id = r.Output.substr(0, r.Output.find('\n'));
        return r.Exit == 0 && !id.empty();
    }));
    OpenOverlay();
    Xdo({"mousemove", "100", "100", "mousedown", "1", "mousemove", "200", "150"});
    Xdo({"windowactivate", id});
    ASSERT_TRUE(CaptureReturned(std::chrono::seconds(10)));
    Xdo({"mouseup", "1"});
    EXPECT_TRUE(OverlayWindow().empty());
    EXPECT_TRUE(FilesIn(session.Desktop()).empty());
}

INSTANTIATE_TEST_SUITE_P(Scale, DragOverlayOnScreen, ::testing::Values("1", "1.5"),
                         [](const auto& info) {
                             return std::string(
                                 info.param[0] == '1' && info.param[1] == 0 ? "At1" : "At1_5");
                         });

}  // namespace
}  // namespace dravemo::test
