// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace dravemo::test {

constexpr uint16_t kNumLockMask = XCB_MOD_MASK_2;  // where Xvfb's keymap puts Num_Lock

// Another X client that grabs keys on the root window, as a desktop tool holding a hotkey
// does. Header-only: only test programs that link XCB include it.
class KeyGrabbingClient {
public:
    explicit KeyGrabbingClient(const std::string& display)
        : FConnection(xcb_connect(display.c_str(), nullptr), &xcb_disconnect) {
        if (xcb_connection_has_error(FConnection.get())) throw std::runtime_error("no display");
        FRoot = xcb_setup_roots_iterator(xcb_get_setup(FConnection.get())).data->root;
    }
    // The keycodes that carry a keysym.
    std::vector<xcb_keycode_t> Keycodes(xcb_keysym_t keysym) {
        std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(
            xcb_key_symbols_alloc(FConnection.get()), &xcb_key_symbols_free);
        std::unique_ptr<xcb_keycode_t, decltype(&std::free)> codes(
            xcb_key_symbols_get_keycode(symbols.get(), keysym), &std::free);
        std::vector<xcb_keycode_t> result;
        for (const xcb_keycode_t* c = codes.get(); c && *c; ++c) result.push_back(*c);
        return result;
    }
    // Whether the server granted the grab.
    bool Grab(xcb_keycode_t keycode, uint16_t state) {
        const xcb_void_cookie_t cookie = xcb_grab_key_checked(
            FConnection.get(), 1, FRoot, state, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
            xcb_request_check(FConnection.get(), cookie), &std::free);
        return !error;
    }
    // Grabs a key in the four states of CapsLock and NumLock; how many were granted.
    int GrabInEveryLockState(const std::vector<xcb_keycode_t>& keycodes, uint16_t modifiers) {
        int granted = 0;
        for (xcb_keycode_t code : keycodes) {
            for (int locks :
                 {0, int{XCB_MOD_MASK_LOCK}, int{kNumLockMask}, XCB_MOD_MASK_LOCK | kNumLockMask}) {
                granted += Grab(code, static_cast<uint16_t>(modifiers | locks)) ? 1 : 0;
            }
        }
        return granted;
    }
    void UngrabAll() {
        xcb_ungrab_key(FConnection.get(), XCB_GRAB_ANY, FRoot, XCB_MOD_MASK_ANY);
        Sync();
    }

private:
    void Sync() {
        std::free(xcb_get_input_focus_reply(FConnection.get(),
                                            xcb_get_input_focus(FConnection.get()), nullptr));
    }
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> FConnection;
    xcb_window_t FRoot = 0;
};

}  // namespace dravemo::test
