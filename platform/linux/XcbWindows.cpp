// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/XcbWindows.h"

#include <algorithm>
#include <deque>

namespace dravemo {

namespace {

// Frame extents are edge widths; a client that publishes nonsense cannot push a rectangle
// beyond the 16-bit coordinate range of X.
int64_t Extent(uint32_t value) { return std::min<uint32_t>(value, 32767); }

int32_t Clamp32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

XcbWindows::XcbWindows(const XcbConnection& connection)
    : FConnection(connection),
      FActiveWindow(connection.Atom("_NET_ACTIVE_WINDOW")),
      FFrameExtents(connection.Atom("_NET_FRAME_EXTENTS")),
      FGtkFrameExtents(connection.Atom("_GTK_FRAME_EXTENTS")),
      FWmState(connection.Atom("WM_STATE")) {}

std::vector<uint32_t> XcbWindows::Property32(xcb_window_t window, xcb_atom_t property,
                                             xcb_atom_t type, uint32_t count) const {
    auto reply =
        FConnection.Wait(xcb_get_property_reply,
                         xcb_get_property(FConnection.Get(), 0, window, property, type, 0, count));
    if (!reply || reply->format != 32 || reply->type != type) return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    const auto length = static_cast<size_t>(xcb_get_property_value_length(reply.get())) / 4;
    return {values, values + std::min<size_t>(length, count)};
}

xcb_window_t XcbWindows::Active() const {
    const auto value = Property32(FConnection.Root(), FActiveWindow, XCB_ATOM_WINDOW, 1);
    return value.empty() ? XCB_NONE : value[0];
}

bool XcbWindows::IsClient(xcb_window_t window) const {
    auto reply = FConnection.Wait(
        xcb_get_property_reply,
        xcb_get_property(FConnection.Get(), 0, window, FWmState, XCB_GET_PROPERTY_TYPE_ANY, 0, 0));
    return reply && reply->type != XCB_NONE;
}

xcb_window_t XcbWindows::ClientBelow(xcb_window_t frame) const {
    std::deque<xcb_window_t> pending{frame};
    while (!pending.empty()) {
        const xcb_window_t window = pending.front();
        pending.pop_front();
        if (IsClient(window)) return window;
        auto tree =
            FConnection.Wait(xcb_query_tree_reply, xcb_query_tree(FConnection.Get(), window));
        if (!tree) continue;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        pending.insert(pending.end(), children,
                       children + xcb_query_tree_children_length(tree.get()));
    }
    return XCB_NONE;
}

std::optional<xcb_window_t> XcbWindows::ChildAt(xcb_window_t parent, int32_t& x, int32_t& y) const {
    xcb_connection_t* c = FConnection.Get();
    auto tree = FConnection.Wait(xcb_query_tree_reply, xcb_query_tree(c, parent));
    if (!tree) return std::nullopt;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    // All questions first, then the answers: one round trip for the whole level.
    std::vector<xcb_get_window_attributes_cookie_t> attributes;
    std::vector<xcb_get_geometry_cookie_t> geometries;
    for (int i = 0; i < count; ++i) {
        attributes.push_back(xcb_get_window_attributes(c, children[i]));
        geometries.push_back(xcb_get_geometry(c, children[i]));
    }
    std::optional<xcb_window_t> found;
    int32_t foundX = 0, foundY = 0;
    // Children come bottom to top: the last match is the one on top. Every reply is collected.
    for (int i = 0; i < count; ++i) {
        auto a = FConnection.Wait(xcb_get_window_attributes_reply, attributes[i]);
        auto g = FConnection.Wait(xcb_get_geometry_reply, geometries[i]);
        if (!a || !g || a->map_state != XCB_MAP_STATE_VIEWABLE ||
            a->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT) {
            continue;
        }
        const int32_t outerWidth = g->width + 2 * g->border_width;
        const int32_t outerHeight = g->height + 2 * g->border_width;
        if (x >= g->x && x < g->x + outerWidth && y >= g->y && y < g->y + outerHeight) {
            found = children[i];
            foundX = g->x + g->border_width;
            foundY = g->y + g->border_width;
        }
    }
    if (found) {
        x -= foundX;
        y -= foundY;
    }
    return found;
}

xcb_window_t XcbWindows::At(int32_t x, int32_t y) const {
    std::vector<xcb_window_t> path{FConnection.Root()};
    while (auto child = ChildAt(path.back(), x, y)) path.push_back(*child);
    // A client window on the way down: the deepest window is that client or one of its own
    // children. Otherwise the point lies on a frame's decorations, which stand for its client.
    for (size_t i = 1; i < path.size(); ++i) {
        if (IsClient(path[i])) return path.back();
    }
    if (path.size() > 1) {
        if (const xcb_window_t client = ClientBelow(path[1]); client != XCB_NONE) return client;
    }
    return path.back();
}

std::optional<ScreenRect> XcbWindows::Frame(xcb_window_t window) const {
    xcb_connection_t* c = FConnection.Get();
    const auto geometryCookie = xcb_get_geometry(c, window);
    const auto originCookie = xcb_translate_coordinates(c, window, FConnection.Root(), 0, 0);
    auto geometry = FConnection.Wait(xcb_get_geometry_reply, geometryCookie);
    auto origin = FConnection.Wait(xcb_translate_coordinates_reply, originCookie);
    if (!geometry || !origin) return std::nullopt;
    // The inside of the window in root coordinates.
    int64_t left = origin->dst_x, top = origin->dst_y;
    int64_t right = left + geometry->width, bottom = top + geometry->height;
    const auto decorations = Property32(window, FFrameExtents, XCB_ATOM_CARDINAL, 4);
    const auto shadows = Property32(window, FGtkFrameExtents, XCB_ATOM_CARDINAL, 4);
    // Both properties list the edges as left, right, top, bottom.
    if (decorations.size() == 4) {
        left -= Extent(decorations[0]);
        right += Extent(decorations[1]);
        top -= Extent(decorations[2]);
        bottom += Extent(decorations[3]);
    }
    if (shadows.size() == 4) {
        left += Extent(shadows[0]);
        right -= Extent(shadows[1]);
        top += Extent(shadows[2]);
        bottom -= Extent(shadows[3]);
    }
    if (decorations.size() != 4 && shadows.size() != 4) {
        const int64_t border = geometry->border_width;
        left -= border;
        top -= border;
        right += border;
        bottom += border;
    }
    right = std::max(right, left);
    bottom = std::max(bottom, top);
    return ScreenRect{Clamp32(left), Clamp32(top), Clamp32(right - left), Clamp32(bottom - top)};
}

}  // namespace dravemo
