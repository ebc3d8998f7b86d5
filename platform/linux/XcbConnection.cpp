// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/XcbConnection.h"

#include <cstring>
#include <stdexcept>

namespace dravemo {

namespace {

std::string DisplayName(const std::string& display) {
    if (!display.empty()) return display;
    const char* env = std::getenv("DISPLAY");
    return env && *env ? env : "(DISPLAY is not set)";
}

}  // namespace

XcbConnection::XcbConnection(const std::string& display) {
    int screenNumber = 0;
    FConnection.reset(xcb_connect(display.empty() ? nullptr : display.c_str(), &screenNumber));
    // xcb_connect never returns null; a failed connection is an object in the error state.
    if (xcb_connection_has_error(FConnection.get())) {
        throw std::runtime_error("Cannot open the X display " + DisplayName(display) + ".");
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(FConnection.get()));
    for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
    if (!it.rem) {
        throw std::runtime_error("The X display " + DisplayName(display) + " has no screen " +
                                 std::to_string(screenNumber) + ".");
    }
    FScreen = it.data;
}

bool XcbConnection::Succeeded(xcb_void_cookie_t cookie) const {
    XcbReply<xcb_generic_error_t> error(xcb_request_check(Get(), cookie));
    if (error) ThrowIfBroken();
    return !error;
}

void XcbConnection::ThrowIfBroken() const {
    if (xcb_connection_has_error(Get())) {
        throw std::runtime_error("The connection to the X server was lost.");
    }
}

std::pair<int, int> XcbConnection::RootSize() const {
    auto geometry = Wait(xcb_get_geometry_reply, xcb_get_geometry(Get(), Root()));
    if (!geometry) throw std::runtime_error("The X server did not report the screen size.");
    return {geometry->width, geometry->height};
}

xcb_atom_t XcbConnection::Atom(const char* name) const {
    auto reply = Wait(xcb_intern_atom_reply,
                      xcb_intern_atom(Get(), 0, static_cast<uint16_t>(std::strlen(name)), name));
    if (!reply) throw std::runtime_error(std::string("The X server refused the atom ") + name);
    return reply->atom;
}

}  // namespace dravemo
