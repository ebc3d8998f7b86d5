// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "platform/ScreenSource.h"
#include "platform/linux/XcbConnection.h"

namespace dravemo {

// Window queries of an X desktop: the active window, the window under a point and the visible
// frame of a window, from the window tree and the window manager's properties.
class XcbWindows {
public:
    explicit XcbWindows(const XcbConnection& connection);

    // _NET_ACTIVE_WINDOW of the root window; XCB_NONE when the window manager sets none.
    xcb_window_t Active() const;
    // The deepest viewable InputOutput window under the root point. A point on window-manager
    // decorations gives the client window inside that frame; the root when nothing is there.
    xcb_window_t At(int32_t x, int32_t y) const;
    // The client window plus the _NET_FRAME_EXTENTS decorations, less the _GTK_FRAME_EXTENTS
    // shadows; the outer geometry when neither is set; nullopt when the window does not exist.
    std::optional<ScreenRect> Frame(xcb_window_t window) const;

private:
    // The 32-bit values of a CARDINAL or WINDOW property; fewer than `count` when it is absent
    // or shorter.
    std::vector<uint32_t> Property32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                     uint32_t count) const;
    bool IsClient(xcb_window_t window) const;
    // The first client window (one with WM_STATE) in the tree below `frame`, breadth first.
    xcb_window_t ClientBelow(xcb_window_t frame) const;
    // The viewable InputOutput child of `parent` on top at the point (parent coordinates);
    // with the point translated into the child's coordinates.
    std::optional<xcb_window_t> ChildAt(xcb_window_t parent, int32_t& x, int32_t& y) const;

    const XcbConnection& FConnection;
    xcb_atom_t FActiveWindow;
    xcb_atom_t FFrameExtents;
    xcb_atom_t FGtkFrameExtents;
    xcb_atom_t FWmState;
};

}  // namespace dravemo
