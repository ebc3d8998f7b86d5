// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <thread>

#include "tests/e2e/DravemoSession.h"
#include "tests/e2e/ScreenChecks.h"

namespace dravemo::test {
namespace {

// One scale the program runs at, with what it means for the frame: the header's physical
// height and the physical steps of Shift+Right and Right (the nearest whole logical pixel).
struct Scale {
    const char* Factor;
    int Header;
    int WidthStep;
    int MoveStep;
};

void PrintTo(const Scale& scale, std::ostream* out) { *out << "scale " << scale.Factor; }

std::string ScaleName(const ::testing::TestParamInfo<Scale>& info) {
    return info.param.Header == 25 ? "Scale1" : "Scale1_5";
}

// The region frame of the real program on a screen that shows a known picture. Positions and
// sizes are multiples of 3, whole logical pixels at both scales.
class RegionFrameOnScreen : public ::testing::TestWithParam<Scale> {
protected:
    void SetUp() override {
        pattern = session.Home() / "pattern.png";
        expected = PaintKnownPicture(pattern, 11, session.Env());
        ASSERT_EQ(expected.Bytes.size(), 1280u * 800 * 3);
    }
    void Settings(int left, int top, int width, int height) {
        char lines[512];
        std::snprintf(
            lines, sizeof lines,
            "\"area\"=dword:00000001\r\n\"saveto\"=dword:00000003\r\n\"mouse\"=dword:00000000\r\n"
            "\"left\"=dword:%08x\r\n\"top\"=dword:%08x\r\n\"width\"=dword:%08x\r\n"
            "\"height\"=dword:%08x\r\n",
            left, top, width, height);
        session.WriteSettings(lines);
    }
    // Starts the program hidden in the notification area; the frame opens for the stored mode.
    std::string Start() {
        ChildProcess::Env env = session.Env();
        env["QT_SCALE_FACTOR"] = GetParam().Factor;
        dravemo =
            std::make_unique<ChildProcess>(std::vector<std::string>{DRAVEMO_BINARY, "/start"}, env);
        EXPECT_TRUE(session.WaitForInstance());
        EXPECT_TRUE(WaitUntil([&] { return session.VisibleWindows(" - Dravemo$").size() == 1; }));
        const auto windows = session.VisibleWindows(" - Dravemo$");
        return windows.empty() ? std::string() : windows.front();
    }
    void Quit() {
        session.Send(0x0400, 2);
        ASSERT_EQ(dravemo->Wait(std::chrono::seconds(20)), 0);
    }
    Geometry Frame(const std::string& id) const { return WindowGeometry(id, session.Env()); }
    int Stored(const std::string& name) const {
        const std::string text = ReadFile(session.RegistryPath());
        const size_t at = text.find("\"" + name + "\"=dword:");
        if (at == std::string::npos) return -1;
        return static_cast<int>(std::stoul(text.substr(at + name.size() + 9, 8), nullptr, 16));
    }
    Geometry StoredFrame() const {
        const int header = GetParam().Header;
        return {Stored("left"), Stored("top"), Stored("width") + 12,
                Stored("height") + header + 12};
    }
    // What is wrong with the screen around a frame at `g`; empty when the border strips are
    // red (pulsing: red dominant, green and blue 0) and exactly 6 pixels wide, the header dark
    // red, and the region inside and everything beside the frame show the picture beneath.
    std::string FrameProblem(const Geometry& g) const {
        const std::filesystem::path file = session.Home() / "screen.png";
        test::Run({"import", "-window", "root", file.string()}, session.Env());
        const Picture shot = Decode(file, session.Env());
        if (shot.Width != 1280 || shot.Height != 800) return "no screenshot";
        const int header = GetParam().Header;
        const auto show = [&](const char* what, int x, int y) {
            const uint8_t* p = shot.At(x, y);
            return std::string(what) + " at " + std::to_string(x) + "," + std::to_string(y) +
                   " is " + std::to_string(p[0]) + "," + std::to_string(p[1]) + "," +
                   std::to_string(p[2]);
        };
        for (int y = g.Y + header; y < g.Y + g.Height; ++y) {
            for (int x = g.X; x < g.X + g.Width; ++x) {
                if (!shot.Contains(x, y)) continue;
                const uint8_t* p = shot.At(x, y);
                const bool border = x < g.X + 6 || x >= g.X + g.Width - 6 || y < g.Y + header + 6 ||
                                    y >= g.Y + g.Height - 6;
                if (border && !(p[0] >= 140 && p[1] == 0 && p[2] == 0)) return show("border", x, y);
                if (!border && std::memcmp(p, expected.At(x, y), 3) != 0)
                    return show("inside", x, y);
            }
        }
        const uint8_t* head = shot.At(g.X + 2, g.Y + 2);
        if (head[0] != 64 || head[1] != 0 || head[2] != 0) return show("header", g.X + 2, g.Y + 2);
        // The ring of pixels around the frame is the picture.
        for (int x = g.X - 1; x <= g.X + g.Width; ++x) {
            for (int y : {g.Y - 1, g.Y + g.Height}) {
                if (shot.Contains(x, y) && std::memcmp(shot.At(x, y), expected.At(x, y), 3) != 0) {
                    return show("outside", x, y);
                }
            }
        }
        for (int y = g.Y; y < g.Y + g.Height; ++y) {
            for (int x : {g.X - 1, g.X + g.Width}) {
                if (shot.Contains(x, y) && std::memcmp(shot.At(x, y), expected.At(x, y), 3) != 0) {
                    return show("outside", x, y);
                }
            }
        }
        return {};
    }
    void ExpectFrameAt(const Geometry& g) {
        std::string problem;
        EXPECT_TRUE(WaitUntil([&] { return (problem = FrameProblem(g)).empty(); }))
            << problem << " (" << g << ")";
    }
    // A capture command in region mode: the saved picture is the inside of the frame at `g`.
    void ExpectCaptureOfInside(const Geometry& g) {
        std::filesystem::remove_all(session.Desktop());
        std::filesystem::create_directories(session.Desktop());
        ASSERT_EQ(session.SendCommand(R"({"command":"capture"})"), 1);
        const auto files = FilesIn(session.Desktop());
        ASSERT_EQ(files.size(), 1u);
        const Picture shot = Decode(session.Desktop() / files.front(), session.Env());
        const int header = GetParam().Header;
        const int left = g.X + 6, top = g.Y + header + 6;
        ASSERT_EQ(shot.Width, g.Width - 12);
        ASSERT_EQ(shot.Height, g.Height - header - 12);
        for (int y = 0; y < shot.Height; ++y) {
            ASSERT_EQ(std::memcmp(shot.At(0, y), expected.At(left, top + y),
                                  static_cast<size_t>(shot.Width) * 3),
                      0)
                << "row " << y;
        }
    }
    void Xdotool(const std::vector<std::string>& arguments) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        test::Run(argv, session.Env());
        // Lets the window manager take each step before the next.
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    void Drag(int fromX, int fromY, int toX, int toY) {
        Xdotool({"mousemove", std::to_string(fromX), std::to_string(fromY)});
        Xdotool({"mousedown", "1"});
        for (int step = 1; step <= 4; ++step) {
            Xdotool({"mousemove", std::to_string(fromX + (toX - fromX) * step / 4),
                     std::to_string(fromY + (toY - fromY) * step / 4)});
        }
        Xdotool({"mouseup", "1"});
        Xdotool({"mousemove", "1279", "799"});
    }

    DravemoSession session;
    std::filesystem::path pattern;
    Picture expected;
    std::unique_ptr<ChildProcess> dravemo;
};

TEST_P(RegionFrameOnScreen, ShowsItsBorderAroundTheStoredRegionAndCapturesTheInside) {
    Settings(99, 60, 480, 360);
    const std::string id = Start();
    const Geometry g = Frame(id);
    EXPECT_EQ(g, (Geometry{99, 60, 492, GetParam().Header + 372}));
    ExpectFrameAt(g);
    ExpectCaptureOfInside(g);
}

TEST_P(RegionFrameOnScreen, HeaderAndBorderDragsMoveAndResizeAndSurviveARestart) {
    Settings(99, 60, 480, 360);
    const std::string id = Start();
    const Geometry start = Frame(id);
    // The header's middle (the time panel) moves the window with the pointer. The distances are
    // no whole logical pixels at scale 1.5: the frame must still end where its region says.
    Drag(start.X + start.Width / 2, start.Y + 4, start.X + start.Width / 2 + 152, start.Y + 4 + 91);
    Geometry moved;
    EXPECT_TRUE(WaitUntil([&] {
        moved = Frame(id);
        return moved.X > start.X + 75 && moved.Y > start.Y + 45 && StoredFrame() == moved;
    })) << moved
        << " stored " << StoredFrame();
    EXPECT_EQ(moved.Width, start.Width);
    EXPECT_EQ(moved.Height, start.Height);
    // The right border's middle widens it, the bottom right corner makes it larger both ways.
    Drag(moved.X + moved.Width - 2, moved.Y + moved.Height / 2, moved.X + moved.Width - 2 + 61,
         moved.Y + moved.Height / 2);
    Geometry wider;
    EXPECT_TRUE(WaitUntil([&] {
        wider = Frame(id);
        return wider.Width > moved.Width + 30 && StoredFrame() == wider;
    })) << wider
        << " stored " << StoredFrame();
    EXPECT_EQ(wider.Height, moved.Height);
    EXPECT_EQ(wider.X, moved.X);
    Drag(wider.X + wider.Width - 2, wider.Y + wider.Height - 2, wider.X + wider.Width - 2 - 91,
         wider.Y + wider.Height - 2 - 59);
    Geometry smaller;
    EXPECT_TRUE(WaitUntil([&] {
        smaller = Frame(id);
        return smaller.Width < wider.Width - 45 && smaller.Height < wider.Height - 30 &&
               StoredFrame() == smaller;
    })) << smaller
        << " stored " << StoredFrame();
    ExpectFrameAt(smaller);
    ExpectCaptureOfInside(smaller);

    Quit();
    const std::string again = Start();
    EXPECT_EQ(Frame(again), smaller);
    ExpectFrameAt(smaller);
}

TEST_P(RegionFrameOnScreen, KeysResizeAndMoveAndTheWindowManagerCannotCloseIt) {
    Settings(99, 60, 480, 360);
    const std::string id = Start();
    const Geometry start = Frame(id);
    Xdotool({"windowactivate", "--sync", id});
    // A close request of the window manager (Alt+F4 and the like) is refused; the key after
    // it shows that the request has been handled.
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%lx", std::stoul(id));
    test::Run({"wmctrl", "-i", "-c", hex}, session.Env());
    Xdotool({"key", "shift+Right"});
    Geometry g;
    EXPECT_TRUE(WaitUntil([&] {
        return (g = Frame(id)).Width == start.Width + GetParam().WidthStep;
    })) << g;
    EXPECT_EQ(session.VisibleWindows(" - Dravemo$").size(), 1u);
    EXPECT_EQ(Stored("width"), g.Width - 12);
    Xdotool({"key", "ctrl+Down"});
    EXPECT_TRUE(WaitUntil([&] { return (g = Frame(id)).Height == start.Height + 10; })) << g;
    EXPECT_EQ(Stored("height"), g.Height - GetParam().Header - 12);
    // Moves wait for the next save.
    Xdotool({"key", "Right"});
    EXPECT_TRUE(WaitUntil([&] { return (g = Frame(id)).X == start.X + GetParam().MoveStep; })) << g;
    EXPECT_EQ(Stored("left"), start.X);
    Xdotool({"key", "shift+Left"});
    EXPECT_TRUE(WaitUntil([&] { return Stored("left") == start.X + GetParam().MoveStep; }));
    g = Frame(id);
    EXPECT_EQ(StoredFrame(), g);
    ExpectFrameAt(g);
    ExpectCaptureOfInside(g);
}

INSTANTIATE_TEST_SUITE_P(Scales, RegionFrameOnScreen,
                         ::testing::Values(Scale{"1", 25, 1, 1}, Scale{"1.5", 38, 2, 2}),
                         ScaleName);

}  // namespace
}  // namespace dravemo::test
