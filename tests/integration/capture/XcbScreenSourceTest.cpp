// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The X11 screen adapter on its own: both read paths, clipping to the screen, RandR monitors
// and the failures it must report.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "capture/TCapture.h"
#include "platform/linux/XcbScreenSource.h"
#include "tests/integration/capture/PatternWindow.h"
#include "tests/support/VirtualDisplay.h"

namespace dravemo {
namespace {

using test::PatternWindow;

// A block of pixels prefilled with a marker, to see what a read leaves alone.
struct Pixels {
    Pixels(int width, int height) : Width(width), Height(height), Bytes(width * height * 4, 0x5A) {}
    PixelBuffer Buffer() { return {Bytes.data(), Width, Height, Width * 4}; }
    uint32_t At(int x, int y) const {
        const uint8_t* p = Bytes.data() + (y * Width + x) * 4;
        return (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    }
    int Width, Height;
    std::vector<uint8_t> Bytes;
};
constexpr uint32_t kMarker = 0x5A5A5A5A;

TEST(XcbScreenSource, MissingDisplayIsReportedAtCreation) {
    try {
        XcbScreenSource screen({.Display = ":65000", .AllowShm = true});
        FAIL() << "opened a display that does not exist";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(":65000"), std::string::npos) << e.what();
    }
}

class XcbScreenSourceTest : public ::testing::Test {
protected:
    XcbScreenSourceTest() : window(256, 160, "pattern") {
        place = window.WaitUntilFramed();
        test::Run({"xdotool", "mousemove", "--sync", "3", "790"});
    }
    test::VirtualDisplay display{"1280x800x24"};
    PatternWindow window;
    test::WindowPlace place;
};

// Shared memory and plain GetImage give the same bytes: B, G, R, 0 of what the screen shows.
TEST_F(XcbScreenSourceTest, SharedMemoryAndPlainReadsAgree) {
    XcbScreenSource shm;
    XcbScreenSource plain({.Display = {}, .AllowShm = false});
    struct Case {
        const char* name;
        ScreenPoint origin;
        int width, height;
    };
    const Case cases[] = {
        {"whole screen", {0, 0}, 1280, 800},
        {"the window", {place.X, place.Y}, 256, 160},
        {"larger than the first block", {0, 0}, 1280, 800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pixels a(c.width, c.height), b(c.width, c.height);
        shm.CopyArea(c.origin, a.Buffer());
        plain.CopyArea(c.origin, b.Buffer());
        EXPECT_TRUE(a.Bytes == b.Bytes);
        const int wx = place.X - c.origin.X, wy = place.Y - c.origin.Y;
        EXPECT_EQ(a.At(wx + 17, wy + 33), PatternWindow::PatternAt(17, 33));
        EXPECT_EQ(a.At(wx + 255, wy + 159), PatternWindow::PatternAt(255, 159));
    }
    EXPECT_TRUE(shm.UsesShm());
    EXPECT_FALSE(plain.UsesShm());
}

// The parts of a request beyond the screen's edges keep their bytes; nothing fails.
TEST_F(XcbScreenSourceTest, ReadsAreClippedToTheScreen) {
    for (const bool allowShm : {true, false}) {
        SCOPED_TRACE(allowShm ? "shared memory" : "plain");
        XcbScreenSource screen({.Display = {}, .AllowShm = allowShm});
        // Top-left corner of the screen, from (-15, -12).
        Pixels corner(30, 30);
        screen.CopyArea({-15, -12}, corner.Buffer());
        EXPECT_EQ(corner.At(14, 29), kMarker);
        EXPECT_EQ(corner.At(29, 11), kMarker);
        EXPECT_NE(corner.At(15, 12), kMarker);
        EXPECT_EQ(corner.At(15, 12) >> 24, 0u);
        // Bottom-right corner, reaching 10 pixels beyond both edges.
        Pixels far(20, 20);
        screen.CopyArea({1270, 790}, far.Buffer());
        EXPECT_NE(far.At(9, 9), kMarker);
        EXPECT_EQ(far.At(10, 0), kMarker);
        EXPECT_EQ(far.At(0, 10), kMarker);
        // Wholly outside.
        Pixels outside(10, 10);
        screen.CopyArea({-100, 900}, outside.Buffer());
        screen.CopyArea({1280, 0}, outside.Buffer());
        EXPECT_TRUE(std::all_of(outside.Bytes.begin(), outside.Bytes.end(),
                                [](uint8_t b) { return b == 0x5A; }));
    }
}

TEST_F(XcbScreenSourceTest, MalformedBuffersAreRefused) {
    XcbScreenSource screen;
    uint8_t pixel[4];
    EXPECT_THROW(screen.CopyArea({0, 0}, PixelBuffer{nullptr, 10, 10, 40}), std::invalid_argument);
    EXPECT_THROW(screen.CopyArea({0, 0}, PixelBuffer{pixel, 2, 1, 4}), std::invalid_argument);
    EXPECT_NO_THROW(screen.CopyArea({0, 0}, PixelBuffer{nullptr, 0, 0, 0}));
}

// Monitors come from RandR, follow its changes, and exactly one is primary.
TEST_F(XcbScreenSourceTest, MonitorsFollowRandR) {
    XcbScreenSource screen;
    auto monitors = screen.Monitors();
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_EQ(monitors[0].Bounds, (ScreenRect{0, 0, 1280, 800}));
    EXPECT_TRUE(monitors[0].Primary);

    test::Run({"xrandr", "--setmonitor", "left", "500/100x800/200+0+0", "screen"});
    test::Run({"xrandr", "--setmonitor", "right", "780/100x600/150+500+100", "none"});
    monitors = screen.Monitors();
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(monitors[0].Bounds, (ScreenRect{0, 0, 500, 800}));
    EXPECT_EQ(monitors[1].Bounds, (ScreenRect{500, 100, 780, 600}));
    EXPECT_TRUE(monitors[0].Primary) << "the monitor at the origin stands in for a primary";
    EXPECT_FALSE(monitors[1].Primary);

    // The grabber's full screen is the monitor under the cursor, else the nearest one.
    TCapture capture(screen);
    struct Case {
        int x, y;
        TRect expected;
    };
    for (const Case& c : {Case{900, 300, {500, 100, 1280, 700}}, Case{100, 750, {0, 0, 500, 800}},
                          Case{900, 750, {500, 100, 1280, 700}}}) {
        SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
        test::Run({"xdotool", "mousemove", "--sync", std::to_string(c.x), std::to_string(c.y)});
        TBitmap bitmap;
        TRect rect;
        capture.Capture(bitmap, TWindowId{0}, rect);
        EXPECT_EQ(rect, c.expected);
    }
}

// The frame is the client plus the window manager's decorations, less the shadows that a
// client-side-decorated window draws inside its own area.
TEST_F(XcbScreenSourceTest, FrameSubtractsClientSideShadows) {
    XcbScreenSource screen;
    const WindowId id{window.Id()};
    const ScreenRect framed{place.X - place.Left, place.Y - place.Top,
                            place.Width + place.Left + place.Right,
                            place.Height + place.Top + place.Bottom};
    EXPECT_EQ(screen.WindowFrame(id), framed);
    struct Case {
        const char* name;
        const char* shadows;  // left, right, top, bottom
        ScreenRect expected;
    };
    const Case cases[] = {
        {"shadows",
         "10, 12, 5, 7",
         {framed.X + 10, framed.Y + 5, framed.Width - 22, framed.Height - 12}},
        {"shadows larger than the window",
         "4000000000, 4000000000, 0, 0",
         {framed.X + 32767, framed.Y, 0, framed.Height}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::Run({"xprop", "-id", std::to_string(window.Id()), "-f", "_GTK_FRAME_EXTENTS", "32c",
                   "-set", "_GTK_FRAME_EXTENTS", c.shadows});
        EXPECT_TRUE(test::WaitUntil([&] { return screen.WindowFrame(id) == c.expected; }));
    }
    EXPECT_EQ(screen.WindowFrame(WindowId{0x7FFFFFFF}), std::nullopt);
    EXPECT_EQ(screen.WindowFrame(WindowId{uint64_t{1} << 40}), std::nullopt);
}

// A server reached over TCP may be on another machine: reads go without shared memory, and
// give the same pixels.
TEST(XcbScreenSource, TcpDisplayReadsWithoutSharedMemory) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    test::ChildProcess xvfb({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                             "320x200x24", "-listen", "tcp", "-noreset"});
    ::close(fds[1]);
    std::string number;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start";
    const std::string local = ":" + number, tcp = "127.0.0.1:" + number;
    test::Run({"xsetroot", "-display", local, "-solid", "#123456"});

    XcbScreenSource overTcp({.Display = tcp, .AllowShm = true});
    XcbScreenSource overSocket({.Display = local, .AllowShm = true});
    Pixels a(320, 200), b(320, 200);
    overTcp.CopyArea({0, 0}, a.Buffer());
    overSocket.CopyArea({0, 0}, b.Buffer());
    EXPECT_FALSE(overTcp.UsesShm());
    EXPECT_TRUE(overSocket.UsesShm());
    EXPECT_EQ(a.At(160, 100), 0x00123456u);
    EXPECT_TRUE(a.Bytes == b.Bytes);
}

// After the server has gone every call reports it; nothing crashes, not even the clean-up.
TEST(XcbScreenSource, LostConnectionThrows) {
    auto display = std::make_unique<test::VirtualDisplay>("640x480x24", false);
    XcbScreenSource screen;
    Pixels pixels(16, 16);
    screen.CopyArea({0, 0}, pixels.Buffer());
    EXPECT_NE(pixels.At(0, 0), kMarker);
    display.reset();
    EXPECT_THROW(screen.CopyArea({0, 0}, pixels.Buffer()), std::runtime_error);
    EXPECT_THROW(screen.CursorPosition(), std::runtime_error);
    EXPECT_THROW(screen.Monitors(), std::runtime_error);
    EXPECT_THROW(screen.WindowAt({1, 1}), std::runtime_error);
}

}  // namespace
}  // namespace dravemo
