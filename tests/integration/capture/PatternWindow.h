// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <string>

namespace dravemo::test {

// The test cursor: 8 x 8 pixels, hot spot (2, 3); rows 0-3 red, rows 4-7 green, column 7
// transparent. TestCursorPixel gives its premultiplied ARGB value at (x, y).
constexpr int kCursorSize = 8;
constexpr int kCursorHotX = 2;
constexpr int kCursorHotY = 3;
uint32_t TestCursorPixel(int x, int y);

// Where a window is, as xwininfo and xprop report it.
struct WindowPlace {
    int X = 0, Y = 0, Width = 0, Height = 0;
    // _NET_FRAME_EXTENTS: left, right, top, bottom; all 0 when unset.
    int Left = 0, Right = 0, Top = 0, Bottom = 0;
    bool Viewable = false;
    bool Framed = false;
};
// A top-level window made by the test on its own X connection. Its background pixmap holds a
// known pattern, so the server paints it again after every exposure without our help.
class PatternWindow {
public:
    PatternWindow(int width, int height, const std::string& title);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    // The colour (0x00RRGGBB) of the pattern at a client pixel.
    static uint32_t PatternAt(int x, int y);

    uint32_t Id() const { return FWindow; }
    // Waits until the window manager has framed and shown the window and it has stopped
    // moving; returns where it is.
    WindowPlace WaitUntilFramed();
    // A mapped child at (x, y) in the client, filled with one colour; returns its id.
    uint32_t AddChild(int x, int y, int width, int height, uint32_t rgb);
    // Gives the window the test cursor.
    void SetTestCursor();
    void Destroy();

private:
    struct Disconnect {
        void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
    };
    std::unique_ptr<xcb_connection_t, Disconnect> FConnection;
    xcb_screen_t* FScreen = nullptr;
    uint32_t FWindow = 0;
};

WindowPlace PlaceOf(uint32_t window);

}  // namespace dravemo::test
