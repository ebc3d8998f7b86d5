// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The grabber over the real X server: a window with a known pattern under openbox, grabbed as
// the full screen, a rectangle, the active window and the window under the cursor.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "capture/TCapture.h"
#include "platform/linux/XcbScreenSource.h"
#include "tests/integration/capture/PatternWindow.h"
#include "tests/support/VirtualDisplay.h"

namespace dravemo {

void PrintTo(WindowId window, std::ostream* out) {
    *out << "window " << static_cast<uint64_t>(window);
}

namespace {

using test::PatternWindow;
using test::WindowPlace;

// "" when the image shows the pattern window's client area of width x height at (left, top).
std::string CompareClient(const TBitmap& image, int left, int top, int width, int height) {
    if (left < 0 || top < 0 || left + width > image.Width() || top + height > image.Height()) {
        return "the client area lies outside the image";
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (image.PixelRGB(left + x, top + y) != PatternWindow::PatternAt(x, y)) {
                return "client pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                       ") differs";
            }
        }
    }
    return "";
}

void MovePointer(int x, int y) {
    test::Run({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y)});
}

class TCaptureX11Test : public ::testing::Test {
protected:
    TCaptureX11Test() : window(320, 200, "pattern") { place = window.WaitUntilFramed(); }

    test::VirtualDisplay display{"1280x800x24"};
    XcbScreenSource screen;
    TCapture capture{screen};
    PatternWindow window;
    WindowPlace place;
};

TEST_F(TCaptureX11Test, FullScreenIsTheWholeScreenShowingTheWindow) {
    MovePointer(5, 700);
    capture.SetShowCursor(false);
    TBitmap bitmap;
    TRect rect;
    capture.Capture(bitmap, TWindowId{0}, rect);
    EXPECT_EQ(rect, (TRect{0, 0, 1280, 800}));
    EXPECT_EQ(bitmap.Width(), 1280);
    EXPECT_EQ(bitmap.Height(), 800);
    EXPECT_EQ(CompareClient(bitmap, place.X, place.Y, 320, 200), "");
}

TEST_F(TCaptureX11Test, RectangleIsPixelExact) {
    MovePointer(5, 700);
    capture.SetShowCursor(false);
    const TRect rect = RectOfSize(place.X + 30, place.Y + 20, 111, 77);
    TBitmap bitmap;
    capture.Capture(bitmap, rect);
    ASSERT_EQ(bitmap.Width(), 111);
    ASSERT_EQ(bitmap.Height(), 77);
    for (int y = 0; y < 77; ++y)
        for (int x = 0; x < 111; ++x)
            ASSERT_EQ(bitmap.PixelRGB(x, y), PatternWindow::PatternAt(x + 30, y + 20));
    EXPECT_EQ(capture.PixelAt({place.X + 7, place.Y + 9}), [] {
        const uint32_t rgb = PatternWindow::PatternAt(7, 9);
        return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
    }());
    EXPECT_EQ(capture.PixelAt({1280, 0}), std::nullopt);
}

// The active window's grab is its client area plus the frame the window manager reports.
TEST_F(TCaptureX11Test, ActiveWindowIsTheClientWithItsFrame) {
    test::Run({"xdotool", "windowactivate", "--sync", std::to_string(window.Id())});
    MovePointer(5, 700);
    capture.SetShowCursor(false);
    ASSERT_EQ(capture.ForegroundWindow(), TWindowId{window.Id()});
    ASSERT_GT(place.Top, 0) << "openbox gives the window a title bar";
    TBitmap bitmap;
    TRect rect;
    capture.Capture(bitmap, capture.ForegroundWindow(), rect);
    EXPECT_EQ(rect,
              (TRect{place.X - place.Left, place.Y - place.Top, place.X + place.Width + place.Right,
                     place.Y + place.Height + place.Bottom}));
    EXPECT_EQ(CompareClient(bitmap, place.Left, place.Top, 320, 200), "");
}

// Under the cursor: the client itself, its title bar standing for it, or a child window.
TEST_F(TCaptureX11Test, WindowUnderTheCursor) {
    const uint32_t child = window.AddChild(200, 120, 60, 40, 0x3366CC);
    struct Case {
        const char* name;
        int x, y;
        uint32_t expected;
    };
    const Case cases[] = {
        {"client area", place.X + 10, place.Y + 10, window.Id()},
        {"title bar", place.X + 100, place.Y - place.Top / 2, window.Id()},
        {"child window", place.X + 210, place.Y + 130, child},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MovePointer(c.x, c.y);
        EXPECT_EQ(capture.WindowFromPoint(capture.CursorPos()), TWindowId{c.expected});
    }
    // The child has no frame of its own: its grab is its geometry, one colour.
    capture.SetShowCursor(false);
    TBitmap bitmap;
    TRect rect;
    capture.Capture(bitmap, capture.WindowFromPoint({place.X + 210, place.Y + 130}), rect);
    EXPECT_EQ(rect, RectOfSize(place.X + 200, place.Y + 120, 60, 40));
    EXPECT_EQ(bitmap.PixelRGB(0, 0), 0x3366CCu);
    EXPECT_EQ(bitmap.PixelRGB(59, 39), 0x3366CCu);
}

TEST_F(TCaptureX11Test, DestroyedWindowLeavesTheCallersRectangle) {
    const TWindowId gone{window.Id()};
    window.Destroy();
    EXPECT_EQ(screen.WindowFrame(gone), std::nullopt);
    TBitmap bitmap;
    TRect rect{10, 20, 50, 40};
    capture.Capture(bitmap, gone, rect);
    EXPECT_EQ(rect, (TRect{10, 20, 50, 40}));
    EXPECT_EQ(bitmap.Width(), 40);
}

// The window's cursor, read back through XFixes and blended at the pointer less the hot spot.
TEST_F(TCaptureX11Test, CursorIsPaintedAtItsHotSpotOnlyWhenAsked) {
    window.SetTestCursor();
    const int px = place.X + 50, py = place.Y + 40;
    MovePointer(px, py);
    ASSERT_TRUE(test::WaitUntil([&] { return screen.Cursor().Width == test::kCursorSize; }));
    const CursorImage cursor = screen.Cursor();
    EXPECT_EQ(cursor.HotX, test::kCursorHotX);
    EXPECT_EQ(cursor.HotY, test::kCursorHotY);
    EXPECT_EQ(cursor.Position, (ScreenPoint{px, py}));
    for (int y = 0; y < test::kCursorSize; ++y)
        for (int x = 0; x < test::kCursorSize; ++x)
            ASSERT_EQ(cursor.Pixels[y * test::kCursorSize + x], test::TestCursorPixel(x, y));

    const TRect rect = RectOfSize(place.X, place.Y, 320, 200);
    TBitmap without, with;
    capture.SetShowCursor(false);
    capture.Capture(without, rect);
    EXPECT_EQ(CompareClient(without, 0, 0, 320, 200), "") << "the sprite is not in the image";
    capture.SetShowCursor(true);
    capture.Capture(with, rect);
    const int x0 = 50 - test::kCursorHotX, y0 = 40 - test::kCursorHotY;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; ++x) {
            const bool inCursor =
                x >= x0 && x < x0 + test::kCursorSize && y >= y0 && y < y0 + test::kCursorSize;
            const uint32_t argb = inCursor ? test::TestCursorPixel(x - x0, y - y0) : 0;
            const uint32_t expected = argb ? argb & 0xFFFFFF : PatternWindow::PatternAt(x, y);
            ASSERT_EQ(with.PixelRGB(x, y), expected) << x << ", " << y;
        }
    }
}

}  // namespace
}  // namespace dravemo
