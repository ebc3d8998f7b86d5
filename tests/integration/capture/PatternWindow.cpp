// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "tests/integration/capture/PatternWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "tests/support/ChildProcess.h"

namespace dravemo::test {

uint32_t TestCursorPixel(int x, int y) {
    if (x == 7) return 0;
    return y < 4 ? 0xFFFF0000 : 0xFF00FF00;
}

uint32_t PatternWindow::PatternAt(int x, int y) {
    const uint32_t red = (x * 3 + y) & 0xFF, green = (y * 5) & 0xFF, blue = (x ^ (y << 2)) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}

PatternWindow::PatternWindow(int width, int height, const std::string& title)
    : FConnection(xcb_connect(nullptr, nullptr)) {
    xcb_connection_t* c = FConnection.get();
    if (xcb_connection_has_error(c)) throw std::runtime_error("test window: no display");
    FScreen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;

    // The pattern, painted into a pixmap a band of rows at a time (requests have a size limit).
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, FScreen->root_depth, pixmap, FScreen->root, width, height);
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);
    constexpr int kBand = 32;
    for (int top = 0; top < height; top += kBand) {
        const int rows = std::min(kBand, height - top);
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * rows);
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < width; ++x) pixels[y * width + x] = PatternAt(x, top + y);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, width, rows, 0, top, 0,
                      FScreen->root_depth, pixels.size() * 4,
                      reinterpret_cast<const uint8_t*>(pixels.data()));
    }
    xcb_free_gc(c, gc);

    FWindow = xcb_generate_id(c);
    const uint32_t values[] = {pixmap};
    xcb_create_window(c, FScreen->root_depth, FWindow, FScreen->root, 100, 100, width, height, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, FScreen->root_visual, XCB_CW_BACK_PIXMAP,
                      values);
    xcb_free_pixmap(c, pixmap);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, FWindow, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        title.size(), title.data());
    xcb_map_window(c, FWindow);
    xcb_flush(c);
}

PatternWindow::~PatternWindow() { Destroy(); }

void PatternWindow::Destroy() {
    if (!FWindow) return;
    xcb_destroy_window(FConnection.get(), FWindow);
    free(xcb_get_input_focus_reply(FConnection.get(), xcb_get_input_focus(FConnection.get()),
                                   nullptr));
    FWindow = 0;
}

uint32_t PatternWindow::AddChild(int x, int y, int width, int height, uint32_t rgb) {
    xcb_connection_t* c = FConnection.get();
    const uint32_t child = xcb_generate_id(c);
    const uint32_t values[] = {rgb};
    xcb_create_window(c, FScreen->root_depth, child, FWindow, x, y, width, height, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, FScreen->root_visual, XCB_CW_BACK_PIXEL,
                      values);
    xcb_map_window(c, child);
    // A round trip, so that the child exists when this returns.
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return child;
}

void PatternWindow::SetTestCursor() {
    xcb_connection_t* c = FConnection.get();
    // Source: 1 in rows 0-3 (foreground red), 0 below (background green); mask: all but
    // column 7.
    const xcb_pixmap_t source = xcb_generate_id(c), mask = xcb_generate_id(c);
    for (const xcb_pixmap_t p : {source, mask}) {
        xcb_create_pixmap(c, 1, p, FScreen->root, kCursorSize, kCursorSize);
    }
    const xcb_gcontext_t gc = xcb_generate_id(c);
    const uint32_t zero[] = {0};
    xcb_create_gc(c, gc, source, XCB_GC_FOREGROUND, zero);
    const xcb_rectangle_t all{0, 0, kCursorSize, kCursorSize};
    const xcb_rectangle_t top{0, 0, kCursorSize, 4};
    const xcb_rectangle_t visible{0, 0, kCursorSize - 1, kCursorSize};
    const uint32_t one[] = {1};
    xcb_poly_fill_rectangle(c, source, gc, 1, &all);
    xcb_poly_fill_rectangle(c, mask, gc, 1, &all);
    xcb_change_gc(c, gc, XCB_GC_FOREGROUND, one);
    xcb_poly_fill_rectangle(c, source, gc, 1, &top);
    xcb_poly_fill_rectangle(c, mask, gc, 1, &visible);
    const xcb_cursor_t cursor = xcb_generate_id(c);
    xcb_create_cursor(c, cursor, source, mask, 0xFFFF, 0, 0, 0, 0xFFFF, 0, kCursorHotX,
                      kCursorHotY);
    const uint32_t values[] = {cursor};
    xcb_change_window_attributes(c, FWindow, XCB_CW_CURSOR, values);
    xcb_free_cursor(c, cursor);
    xcb_free_gc(c, gc);
    xcb_free_pixmap(c, source);
    xcb_free_pixmap(c, mask);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

namespace {

// The number after "label:" in xwininfo's output; 0 when absent.
int Field(const std::string& text, const std::string& label) {
    const size_t at = text.find(label + ":");
    return at == std::string::npos ? 0 : std::atoi(text.c_str() + at + label.size() + 1);
}

}  // namespace

WindowPlace PlaceOf(uint32_t window) {
    const std::string id = std::to_string(window);
    const std::string info = Run({"xwininfo", "-id", id}).Output;
    WindowPlace place;
    place.X = Field(info, "Absolute upper-left X");
    place.Y = Field(info, "Absolute upper-left Y");
    place.Width = Field(info, "Width");
    place.Height = Field(info, "Height");
    place.Viewable = info.find("Map State: IsViewable") != std::string::npos;
    const std::string extents = Run({"xprop", "-id", id, "_NET_FRAME_EXTENTS"}).Output;
    // "_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 26, 4"
    const size_t at = extents.find("= ");
    place.Framed = at != std::string::npos &&
                   std::sscanf(extents.c_str() + at, "= %d, %d, %d, %d", &place.Left, &place.Right,
                               &place.Top, &place.Bottom) == 4;
    return place;
}

WindowPlace PatternWindow::WaitUntilFramed() {
    WindowPlace last;
    const bool settled = WaitUntil([&] {
        const WindowPlace now = PlaceOf(FWindow);
        // openbox drops map requests that arrive while it is still starting: ask again.
        if (!now.Viewable) {
            xcb_map_window(FConnection.get(), FWindow);
            xcb_flush(FConnection.get());
        }
        const bool same = now.X == last.X && now.Y == last.Y && now.Width == last.Width &&
                          now.Height == last.Height;
        last = now;
        return now.Viewable && now.Framed && same;
    });
    EXPECT_TRUE(settled) << "window " << FWindow << " was not framed\n"
                         << Run({"xwininfo", "-id", std::to_string(FWindow)}).Output
                         << Run({"xprop", "-id", std::to_string(FWindow)}).Output;
    return last;
}

}  // namespace dravemo::test
