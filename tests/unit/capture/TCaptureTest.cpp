// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "capture/TCapture.h"
#include "tests/unit/capture/CaptureChecks.h"

namespace dravemo {
namespace {

using test::CompareWithScreen;
using test::MonitorOf;

class TCaptureTest : public ::testing::Test {
protected:
    FakeScreenSource screen;
    TCapture capture{screen};
};

TEST_F(TCaptureTest, ShowsTheCursorAfterConstruction) { EXPECT_TRUE(capture.ShowCursor()); }

// Full screen: the monitor under the cursor, else the nearest one, at its full bounds.
TEST_F(TCaptureTest, FullScreenGrabsTheMonitorUnderOrNearestTheCursor) {
    const std::vector<Monitor> two = {MonitorOf(-192, 0, 192, 108),
                                      MonitorOf(0, 0, 256, 144, true)};
    const std::vector<Monitor> three = {MonitorOf(-128, -102, 128, 102),
                                        MonitorOf(0, 0, 192, 108, true),
                                        MonitorOf(192, 20, 100, 76)};
    const std::vector<Monitor> gap = {MonitorOf(0, 0, 100, 100, true), MonitorOf(110, 0, 100, 100)};
    struct Case {
        const char* name;
        const std::vector<Monitor>& monitors;
        ScreenPoint cursor;
        TRect expected;
    };
    const Case cases[] = {
        {"two, on the left one", two, {-1, 50}, {-192, 0, 0, 108}},
        {"two, left edge of the left one", two, {-192, 107}, {-192, 0, 0, 108}},
        {"two, origin belongs to the right one", two, {0, 0}, {0, 0, 256, 144}},
        {"three, above and left", three, {-5, -1}, {-128, -102, 0, 0}},
        {"three, last pixel of the right one", three, {291, 95}, {192, 20, 292, 96}},
        {"three, middle", three, {191, 107}, {0, 0, 192, 108}},
        {"outside: below the left one", two, {-50, 120}, {-192, 0, 0, 108}},
        {"outside: below the right one", two, {10, 200}, {0, 0, 256, 144}},
        {"outside: above the right one of three", three, {250, 5}, {192, 20, 292, 96}},
        {"outside: in the gap, nearer the left", gap, {103, 50}, {0, 0, 100, 100}},
        {"outside: in the gap, nearer the right", gap, {107, 50}, {110, 0, 210, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen.Screens = c.monitors;
        screen.Pointer = c.cursor;
        TBitmap bitmap;
        TRect rect{1, 2, 3, 4};
        capture.Capture(bitmap, TWindowId{0}, rect);
        EXPECT_EQ(rect, c.expected);
        EXPECT_EQ(bitmap.Width(), c.expected.Width());
        EXPECT_EQ(bitmap.Height(), c.expected.Height());
        EXPECT_EQ(CompareWithScreen(bitmap, screen, rect), "");
    }
}

TEST_F(TCaptureTest, FullScreenFailsWhenTheScreenReportsNoMonitor) {
    TBitmap bitmap;
    TRect rect;
    EXPECT_THROW(capture.Capture(bitmap, TWindowId{0}, rect), std::runtime_error);
}

// A region reaching from a monitor left of and above the primary one onto the primary one;
// the corners that lie on neither monitor stay black.
TEST_F(TCaptureTest, RectangleAcrossMonitorsWithNegativeCoordinates) {
    screen.Screens = {MonitorOf(-192, -50, 192, 108), MonitorOf(0, 0, 256, 144, true)};
    const TRect rect{-100, -20, 100, 70};
    TBitmap bitmap(7, 3, TPixelFormat::pf8bit);
    capture.Capture(bitmap, rect);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);
    ASSERT_EQ(bitmap.Width(), 200);
    ASSERT_EQ(bitmap.Height(), 90);
    EXPECT_EQ(CompareWithScreen(bitmap, screen, rect), "");
    EXPECT_EQ(bitmap.PixelRGB(99, 89), 0u) << "(-1, 69) is on no monitor";
    EXPECT_EQ(bitmap.PixelRGB(100, 0), 0u) << "(0, -20) is on no monitor";
    EXPECT_EQ(bitmap.PixelRGB(0, 0), FakeScreenSource::PatternAt(-100, -20));
}

// The canvas keeps its size: a smaller rectangle fills its top-left part, a larger one is cut.
TEST_F(TCaptureTest, CanvasGrabKeepsTheCanvasSize) {
    screen.Screens = {MonitorOf(-300, -300, 600, 600, true)};
    constexpr uint32_t kMarker = 0x00ABCDEF;
    struct Case {
        const char* name;
        TRect rect;
    };
    for (const Case& c : {Case{"smaller", {-40, -30, -10, -10}}, Case{"larger", {5, 7, 85, 67}}}) {
        SCOPED_TRACE(c.name);
        TBitmap canvas(50, 40);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 50; ++x) canvas.SetPixelRGB(x, y, kMarker);
        capture.CaptureToCanvas(canvas, c.rect);
        ASSERT_EQ(canvas.Width(), 50);
        ASSERT_EQ(canvas.Height(), 40);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 50; ++x) {
                const bool grabbed = x < c.rect.Width() && y < c.rect.Height();
                const uint32_t expected =
                    grabbed ? FakeScreenSource::PatternAt(c.rect.Left + x, c.rect.Top + y)
                            : kMarker;
                ASSERT_EQ(canvas.PixelRGB(x, y), expected) << x << ", " << y;
            }
        }
    }
}

TEST_F(TCaptureTest, WindowGrabTakesTheVisibleFrameAndReportsIt) {
    screen.Screens = {MonitorOf(-192, 0, 192, 108), MonitorOf(0, 0, 256, 144, true)};
    screen.Windows = {{TWindowId{7}, {-150, 10, 200, 50}}, {TWindowId{9}, {20, 30, 40, 20}}};
    screen.Active = TWindowId{7};
    TBitmap bitmap;
    TRect rect;
    capture.Capture(bitmap, capture.ForegroundWindow(), rect);
    EXPECT_EQ(rect, (TRect{-150, 10, 50, 60}));
    EXPECT_EQ(bitmap.Width(), 200);
    EXPECT_EQ(bitmap.Height(), 50);
    EXPECT_EQ(CompareWithScreen(bitmap, screen, rect), "");

    capture.Capture(bitmap, capture.WindowFromPoint({25, 35}), rect);
    EXPECT_EQ(rect, (TRect{20, 30, 60, 50}));
    EXPECT_EQ(CompareWithScreen(bitmap, screen, rect), "");
}

// The bitmap is reused from a full-screen grab; what lies off the monitors is cleared, not
// left from the earlier picture.
TEST_F(TCaptureTest, GrabsIntoAReusedBitmapClearWhatIsOffScreen) {
    screen.Screens = {MonitorOf(0, 0, 256, 144, true)};
    screen.Windows = {{TWindowId{7}, {200, 100, 100, 60}}};
    TBitmap bitmap;
    TRect rect;
    capture.Capture(bitmap, TWindowId{0}, rect);
    EXPECT_EQ(CompareWithScreen(bitmap, screen, rect), "");
    capture.Capture(bitmap, TWindowId{7}, rect);
    EXPECT_EQ(rect, (TRect{200, 100, 300, 160}));
    EXPECT_EQ(CompareWithScreen(bitmap, screen, rect), "");
    capture.Capture(bitmap, TWindowId{0}, rect);
    capture.Capture(bitmap, TRect{-20, -10, 236, 134});
    EXPECT_EQ(CompareWithScreen(bitmap, screen, TRect{-20, -10, 236, 134}), "");
}

TEST_F(TCaptureTest, WindowThatNoLongerExistsGrabsTheCallersRectangle) {
    screen.Screens = {MonitorOf(-192, 0, 192, 108, true)};
    TBitmap bitmap;
    TRect rect{-100, 5, -60, 25};
    capture.Capture(bitmap, TWindowId{12345}, rect);
    EXPECT_EQ(rect, (TRect{-100, 5, -60, 25}));
    EXPECT_EQ(bitmap.Width(), 40);
    EXPECT_EQ(bitmap.Height(), 20);
    EXPECT_EQ(CompareWithScreen(bitmap, screen, rect), "");
}

// Rectangles that are empty, inverted or beyond any image size never reach the screen.
TEST_F(TCaptureTest, DegenerateRectangles) {
    screen.Screens = {MonitorOf(0, 0, 100, 100, true)};
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    TBitmap bitmap(5, 5);
    capture.Capture(bitmap, TRect{10, 10, 10, 50});
    EXPECT_TRUE(bitmap.Empty());
    capture.Capture(bitmap, TRect{50, 50, 10, 10});
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_THROW(capture.Capture(bitmap, TRect{kMin, 0, kMax, 10}), std::length_error);
    EXPECT_THROW(capture.Capture(bitmap, TRect{0, 0, 100000, 100000}), std::length_error);

    TBitmap canvas(10, 10);
    capture.CaptureToCanvas(canvas, TRect{kMax - 5, kMax - 5, kMax, kMax});
    capture.CaptureToCanvas(canvas, TRect{kMin, kMin, kMax, kMax});
    EXPECT_EQ(canvas.PixelRGB(9, 9), 0u);

    TBitmap indexed(10, 10, TPixelFormat::pf8bit);
    EXPECT_THROW(capture.CaptureToCanvas(indexed, TRect{0, 0, 5, 5}), std::invalid_argument);
}

TEST_F(TCaptureTest, PixelAtGivesBlueGreenRedOrderAndNothingOffScreen) {
    screen.Screens = {MonitorOf(-10, -10, 20, 20, true)};
    screen.SetPixel(-3, -4, 0x123456);
    EXPECT_EQ(capture.PixelAt({-3, -4}), 0x00563412u);
    EXPECT_EQ(capture.PixelAt({10, 0}), std::nullopt);
}

}  // namespace
}  // namespace dravemo
