// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace dravemo {

// Frees what libxcb hands out with malloc: replies and errors.
struct XcbFree {
    void operator()(void* p) const noexcept { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, XcbFree>;

// An open connection to an X server and its default screen, closed when dropped.
class XcbConnection {
public:
    // Connects to `display` (empty: $DISPLAY); throws std::runtime_error naming the display
    // when it cannot be opened.
    explicit XcbConnection(const std::string& display);

    xcb_connection_t* Get() const { return FConnection.get(); }
    const xcb_screen_t& Screen() const { return *FScreen; }
    xcb_window_t Root() const { return FScreen->root; }

    // Waits for the reply of a request; nullptr when the server answered with an error.
    // Throws std::runtime_error when the connection is broken.
    template <typename Reply, typename Cookie>
    XcbReply<Reply> Wait(Reply* (*replyOf)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                         Cookie cookie) const {
        xcb_generic_error_t* error = nullptr;
        XcbReply<Reply> reply(replyOf(Get(), cookie, &error));
        XcbReply<xcb_generic_error_t> dropped(error);
        if (!reply) ThrowIfBroken();
        return reply;
    }
    // Waits for a checked request; false when the server refused it. Throws when broken.
    bool Succeeded(xcb_void_cookie_t cookie) const;
    // Throws std::runtime_error when the connection to the server has failed.
    void ThrowIfBroken() const;

    // Width and height of the root window now (they change when the screen is resized).
    std::pair<int, int> RootSize() const;
    // The atom of a name, created when the server does not know it yet.
    xcb_atom_t Atom(const char* name) const;

private:
    struct Disconnect {
        void operator()(xcb_connection_t* c) const noexcept { xcb_disconnect(c); }
    };
    std::unique_ptr<xcb_connection_t, Disconnect> FConnection;
    const xcb_screen_t* FScreen = nullptr;
};

}  // namespace dravemo
