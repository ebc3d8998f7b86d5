// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/X11WindowActivation.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace dravemo {

namespace {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t Root(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

xcb_window_t ActiveWindow(xcb_connection_t* c) {
    const xcb_atom_t atom = Atom(c, "_NET_ACTIVE_WINDOW");
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, Root(c), atom, XCB_ATOM_WINDOW, 0, 1),
                               nullptr),
        &std::free);
    if (!reply || xcb_get_property_value_length(reply.get()) < 4) return XCB_WINDOW_NONE;
    return *static_cast<xcb_window_t*>(xcb_get_property_value(reply.get()));
}

}  // namespace

bool X11WindowActivation::IsForeground(uintptr_t window) {
    xcb_connection_t* c = Connection();
    return c && ActiveWindow(c) == static_cast<xcb_window_t>(window);
}

void X11WindowActivation::RequestForeground(uintptr_t window) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(c, static_cast<xcb_window_t>(window), XCB_CONFIG_WINDOW_STACK_MODE,
                         &above);
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window);
    event.type = Atom(c, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2;  // source: a pager, which window managers obey without question
    event.data.data32[1] = XCB_CURRENT_TIME;
    event.data.data32[2] = ActiveWindow(c);
    xcb_send_event(c, 0, Root(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

}  // namespace dravemo
