// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "capture/TBitmap.h"
#include "capture/TRect.h"
#include "platform/ScreenSource.h"

namespace dravemo {

// A window of the desktop as the grabber and its callers see it; TWindowId{0} is no window.
using TWindowId = WindowId;

// The screen grabber: the one place where stills and recording frames are taken from the
// screen. Copies rectangles, windows and monitors into 32-bit bitmaps and paints the mouse
// cursor on top while ShowCursor is set. Errors of the screen connection propagate as
// std::runtime_error.
class TCapture {
public:
    explicit TCapture(ScreenSource& screen) : FScreen(screen) {}

    // Whether grabs paint the cursor; true after construction.
    bool ShowCursor() const { return FShowCursor; }
    void SetShowCursor(bool show) { FShowCursor = show; }

    // Copies the screen rectangle onto the canvas at (0, 0) without resizing it; what does not
    // fit the canvas is left out, canvas pixels beyond the screen keep their value. Then paints
    // the cursor when ShowCursor is set. The canvas must be 32-bit (std::invalid_argument).
    void CaptureToCanvas(TBitmap& canvas, const TRect& rect);
    // Makes the bitmap a 32-bit image of the rectangle's size and grabs the rectangle into it.
    void Capture(TBitmap& bitmap, const TRect& rect);
    // Grabs the visible frame of `window`, or for no window the full bounds of the monitor
    // under the cursor (else the nearest), and writes the grabbed rectangle to `rect`. A window
    // that no longer exists leaves `rect` as passed in, and that rectangle is grabbed.
    void Capture(TBitmap& bitmap, TWindowId window, TRect& rect);
    // Blends the cursor onto the 32-bit canvas, whose (0, 0) shows the screen point
    // (left, top), with its hot spot at its screen position; clipped to the canvas.
    void DrawMouse(TBitmap& canvas, int32_t left, int32_t top);

    // The window with the keyboard focus; TWindowId{0} when there is none.
    TWindowId ForegroundWindow() { return FScreen.ActiveWindow(); }
    // The innermost window under the screen point.
    TWindowId WindowFromPoint(TPoint point) { return FScreen.WindowAt({point.X, point.Y}); }
    TPoint CursorPos();
    // The colour of a screen pixel as 0x00BBGGRR; nullopt outside the screen.
    std::optional<uint32_t> PixelAt(TPoint point);

    // The monitor that contains the point, else the one nearest to it (first wins a tie).
    // Throws std::runtime_error for an empty list.
    static TRect MonitorAt(const std::vector<Monitor>& monitors, TPoint point);

private:
    // Capture(bitmap, rect); `onScreen` says that the rectangle lies wholly on the screen, so
    // that the grab overwrites every pixel and the bitmap need not be cleared first.
    void CaptureRect(TBitmap& bitmap, const TRect& rect, bool onScreen);

    ScreenSource& FScreen;
    bool FShowCursor = true;
};

}  // namespace dravemo
