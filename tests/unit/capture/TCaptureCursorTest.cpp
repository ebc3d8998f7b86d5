// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "capture/TCapture.h"
#include "tests/unit/capture/CaptureChecks.h"

namespace dravemo {
namespace {

using test::CompareWithScreen;
using test::MonitorOf;

// A 4 x 3 cursor with its hot spot at (1, 2). Premultiplied ARGB: opaque blue, a half-covering
// brownish pixel, and transparent pixels elsewhere.
constexpr uint32_t kOpaqueBlue = 0xFF0000FF;
constexpr uint32_t kHalf = 0x80402010;  // alpha 128, red 0x40, green 0x20, blue 0x10

CursorImage TestCursor() {
    CursorImage cursor;
    cursor.Width = 4;
    cursor.Height = 3;
    cursor.HotX = 1;
    cursor.HotY = 2;
    cursor.Pixels = {kOpaqueBlue, 0,     0,           kOpaqueBlue,  //
                     0,           kHalf, 0,           0,            //
                     0,           0,     kOpaqueBlue, 0};
    return cursor;
}

class TCaptureCursorTest : public ::testing::Test {
protected:
    TCaptureCursorTest() {
        screen.Screens = {MonitorOf(-200, -100, 200, 150), MonitorOf(0, 0, 300, 200, true)};
        screen.Shape = TestCursor();
    }
    FakeScreenSource screen;
    TCapture capture{screen};
};

// Hot spot at (-37, 15): the image's top-left pixel lies at screen (-38, 13).
TEST_F(TCaptureCursorTest, CursorIsBlendedWithItsHotSpotAtItsScreenPosition) {
    screen.Pointer = {-37, 15};
    screen.SetPixel(-37, 14, 0xC86432);  // under the half-covering pixel: R 200, G 100, B 50
    const TRect rect{-50, 10, -20, 30};
    TBitmap bitmap;
    capture.Capture(bitmap, rect);
    // Canvas position of the image's top-left pixel: (-38 + 50, 13 - 10).
    const int x0 = 12, y0 = 3;
    EXPECT_EQ(bitmap.PixelRGB(x0, y0), 0x0000FFu);
    EXPECT_EQ(bitmap.PixelRGB(x0 + 3, y0), 0x0000FFu);
    EXPECT_EQ(bitmap.PixelRGB(x0 + 2, y0 + 2), 0x0000FFu);
    // 0x40 + round(200 * 127 / 255) = 164, 0x20 + round(100 * 127 / 255) = 82,
    // 0x10 + round(50 * 127 / 255) = 41.
    EXPECT_EQ(bitmap.PixelRGB(x0 + 1, y0 + 1), (164u << 16) | (82u << 8) | 41u);
    // Transparent cursor pixels and everything around the cursor show the screen.
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const bool covered = (y == y0 && (x == x0 || x == x0 + 3)) ||
                                 (y == y0 + 1 && x == x0 + 1) || (y == y0 + 2 && x == x0 + 2);
            if (!covered) {
                ASSERT_EQ(bitmap.PixelRGB(x, y), screen.PictureAt(rect.Left + x, rect.Top + y))
                    << x << ", " << y;
            }
        }
    }
}

// Only the part of the cursor inside the canvas is painted, on every side.
TEST_F(TCaptureCursorTest, CursorPartlyOutsideIsClipped) {
    struct Case {
        const char* name;
        ScreenPoint pointer;
        int x, y;     // canvas position of one visible opaque pixel
        int painted;  // opaque pixels inside
    };
    // The canvas shows screen (0, 0) - (10, 10).
    const Case cases[] = {
        {"over the left edge: only column 3 is inside", {-2, 2}, 0, 0, 1},
        {"over the top edge: only row 2 is inside", {5, 0}, 6, 0, 1},
        {"over the right edge: only column 0 is inside", {10, 5}, 9, 3, 1},
        {"over the bottom edge: only row 0 is inside", {3, 11}, 5, 9, 2},
        {"over the bottom-right corner: only pixel (0, 0) is inside", {10, 11}, 9, 9, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen.Pointer = c.pointer;
        TBitmap canvas(10, 10);
        capture.CaptureToCanvas(canvas, TRect{0, 0, 10, 10});
        EXPECT_EQ(canvas.PixelRGB(c.x, c.y), 0x0000FFu);
        int painted = 0;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) painted += canvas.PixelRGB(x, y) == 0x0000FFu;
        EXPECT_EQ(painted, c.painted);
    }
}

// Cases in which the grab must equal the screen exactly.
TEST_F(TCaptureCursorTest, NothingIsDrawnWhenTheCursorIsAwayOffOrMalformed) {
    const TRect rect{-60, -40, 60, 40};
    struct Case {
        const char* name;
        bool show;
        ScreenPoint pointer;
        bool malformed;
    };
    const Case cases[] = {
        {"cursor wholly right of the rectangle", true, {61, 0}, false},
        {"cursor wholly above the rectangle", true, {0, -41}, false},
        {"ShowCursor off", false, {0, 0}, false},
        {"fewer pixels than its size", true, {0, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen.Pointer = c.pointer;
        screen.Shape = TestCursor();
        if (c.malformed) screen.Shape.Pixels.resize(5);
        capture.SetShowCursor(c.show);
        TBitmap bitmap;
        capture.Capture(bitmap, rect);
        EXPECT_EQ(CompareWithScreen(bitmap, screen, rect), "");
    }
}

// Premultiplied colour channels larger than alpha (invalid data) saturate instead of wrapping.
TEST_F(TCaptureCursorTest, OverbrightPixelsSaturate) {
    screen.Shape = CursorImage{1, 1, 0, 0, {}, {0x10FFFFFF}};
    screen.Pointer = {0, 0};
    screen.SetPixel(0, 0, 0xFFFFFF);
    TBitmap bitmap;
    capture.Capture(bitmap, TRect{0, 0, 1, 1});
    EXPECT_EQ(bitmap.PixelRGB(0, 0), 0xFFFFFFu);
}

}  // namespace
}  // namespace dravemo
