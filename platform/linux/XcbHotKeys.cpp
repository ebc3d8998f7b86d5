// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/XcbHotKeys.h"

#include <X11/keysym.h>
#include <xcb/xcb_keysyms.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

#include "platform/linux/VirtualKeySyms.h"
#include "platform/linux/XcbConnection.h"

namespace dravemo {

namespace {

struct FreeKeySymbols {
    void operator()(xcb_key_symbols_t* symbols) const noexcept { xcb_key_symbols_free(symbols); }
};

// One passive grab: a keycode with the exact modifier state it fires in.
struct Grab {
    xcb_keycode_t Keycode;
    uint16_t State;
};

// What a registered key grabbed, and how its presses are recognised.
struct Registration {
    uint32_t Requested = 0;   // the hk:: flags asked for
    uint32_t VirtualKey = 0;  // the key asked for
    std::vector<xcb_keycode_t> Keycodes;
    uint16_t Modifiers = 0;  // X modifier mask without the locks
    uint16_t Locks = 0;      // the lock masks ignored when a press is matched
    std::vector<Grab> Grabs;
};

// The X masks of the modifiers that matter here, read from the server's modifier mapping.
struct ModifierMasks {
    uint16_t Alt = XCB_MOD_MASK_1;
    std::vector<uint16_t> Locks{XCB_MOD_MASK_LOCK};
};

}  // namespace

struct XcbHotKeys::Impl {
    explicit Impl(const std::string& display)
        : Connection(display), Symbols(xcb_key_symbols_alloc(Connection.Get())) {
        if (!Symbols) throw std::runtime_error("The X keyboard mapping cannot be read.");
        // Without an event loop no press would ever arrive.
        if (!QCoreApplication::instance()) {
            throw std::runtime_error("System-wide keys need the application object.");
        }
        Notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(Connection.Get()),
                                                     QSocketNotifier::Read);
        QObject::connect(Notifier.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
    }

    std::vector<xcb_keycode_t> KeycodesOf(xcb_keysym_t keysym) const {
        std::vector<xcb_keycode_t> codes;
        XcbReply<xcb_keycode_t> list(xcb_key_symbols_get_keycode(Symbols.get(), keysym));
        for (const xcb_keycode_t* code = list.get(); code && *code != XCB_NO_SYMBOL; ++code) {
            if (std::find(codes.begin(), codes.end(), *code) == codes.end()) codes.push_back(*code);
        }
        return codes;
    }

    // The mask of the modifier that holds a key of `keysym`; 0 when none does.
    uint16_t MaskHolding(const xcb_get_modifier_mapping_reply_t& mapping,
                         xcb_keysym_t keysym) const {
        const std::vector<xcb_keycode_t> wanted = KeycodesOf(keysym);
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(&mapping);
        const int perModifier = mapping.keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                const xcb_keycode_t code = codes[modifier * perModifier + i];
                if (code != 0 && std::find(wanted.begin(), wanted.end(), code) != wanted.end()) {
                    return static_cast<uint16_t>(1u << modifier);
                }
            }
        }
        return 0;
    }

    ModifierMasks Masks() const {
        ModifierMasks masks;
        auto mapping = Connection.Wait(xcb_get_modifier_mapping_reply,
                                       xcb_get_modifier_mapping(Connection.Get()));
        if (!mapping) return masks;
        if (const uint16_t alt = MaskHolding(*mapping, XK_Alt_L)) masks.Alt = alt;
        for (xcb_keysym_t lock : {XK_Num_Lock, XK_Scroll_Lock}) {
            const uint16_t mask = MaskHolding(*mapping, lock);
            if (mask != 0 &&
                std::find(masks.Locks.begin(), masks.Locks.end(), mask) == masks.Locks.end()) {
                masks.Locks.push_back(mask);
            }
        }
        return masks;
    }

    // Every combination of the lock masks, the empty one first.
    static std::vector<uint16_t> LockStates(const std::vector<uint16_t>& locks) {
        std::vector<uint16_t> states{0};
        for (uint16_t lock : locks) {
            const size_t n = states.size();
            for (size_t i = 0; i < n; ++i) states.push_back(states[i] | lock);
        }
        return states;
    }

    void Ungrab(const std::vector<Grab>& grabs) noexcept {
        for (const Grab& g : grabs) {
            xcb_ungrab_key(Connection.Get(), g.Keycode, Connection.Root(), g.State);
        }
        // A round trip: once this returns the server has released the keys, so another
        // client may take them at once.
        std::free(xcb_get_input_focus_reply(Connection.Get(), xcb_get_input_focus(Connection.Get()),
                                            nullptr));
    }

    // Whether another identifier of this process holds one of the same grabs: the server
    // would let this client grab it again and the two registrations would share it.
    bool HeldHere(const std::vector<Grab>& grabs) const {
        for (const auto& [id, registration] : Registered) {
            for (const Grab& mine : registration.Grabs) {
                for (const Grab& g : grabs) {
                    if (g.Keycode == mine.Keycode && g.State == mine.State) return true;
                }
            }
        }
        return false;
    }

    bool Register(int id, uint32_t modifiers, uint32_t virtualKey) {
        Unregister(id);
        std::optional<Registration> registration = Acquire(modifiers, virtualKey);
        if (!registration) return false;
        Registered[id] = std::move(*registration);
        return true;
    }

    // Grabs the keycodes that carry the key now, in every lock state; nothing when one of them
    // is held elsewhere or the key has no keycode.
    std::optional<Registration> Acquire(uint32_t modifiers, uint32_t virtualKey) {
        const xcb_keysym_t keysym = KeySymOfVirtualKey(virtualKey);
        if (keysym == 0) return std::nullopt;
        Registration registration;
        registration.Requested = modifiers;
        registration.VirtualKey = virtualKey;
        registration.Keycodes = KeycodesOf(keysym);
        if (registration.Keycodes.empty()) return std::nullopt;
        const ModifierMasks masks = Masks();
        registration.Modifiers =
            static_cast<uint16_t>(((modifiers & hk::ALT) ? masks.Alt : 0) |
                                  ((modifiers & hk::CONTROL) ? XCB_MOD_MASK_CONTROL : 0) |
                                  ((modifiers & hk::SHIFT) ? XCB_MOD_MASK_SHIFT : 0));
        std::vector<Grab> wanted;
        for (xcb_keycode_t code : registration.Keycodes) {
            for (uint16_t locks : LockStates(masks.Locks)) {
                registration.Locks |= locks;
                wanted.push_back({code, static_cast<uint16_t>(registration.Modifiers | locks)});
            }
        }
        if (HeldHere(wanted)) return std::nullopt;
        // Checked requests: an unchecked grab that the server refuses fails without a word.
        std::vector<xcb_void_cookie_t> cookies;
        for (const Grab& g : wanted) {
            cookies.push_back(xcb_grab_key_checked(Connection.Get(), 1, Connection.Root(), g.State,
                                                   g.Keycode, XCB_GRAB_MODE_ASYNC,
                                                   XCB_GRAB_MODE_ASYNC));
        }
        bool all = true;
        for (size_t i = 0; i < cookies.size(); ++i) {
            if (Connection.Succeeded(cookies[i])) {
                registration.Grabs.push_back(wanted[i]);
            } else {
                all = false;
            }
        }
        // Waiting for the answers may have queued key events that the socket no longer
        // announces: read them once the caller is done.
        QMetaObject::invokeMethod(
            Notifier.get(), [this] { ReadEvents(); }, Qt::QueuedConnection);
        if (!all) {
            Ungrab(registration.Grabs);
            return std::nullopt;
        }
        return registration;
    }

    // The keyboard or modifier mapping changed: the grabs sit on keycodes that may carry other
    // keys now. Every key is released first, so that keys trading places do not collide with
    // each other, then grabbed again for its new keycodes.
    void GrabAgain() {
        std::map<int, Registration> previous;
        previous.swap(Registered);
        for (const auto& [id, registration] : previous) Ungrab(registration.Grabs);
        std::vector<int> lost;
        for (const auto& [id, registration] : previous) {
            std::optional<Registration> again =
                Acquire(registration.Requested, registration.VirtualKey);
            if (again) {
                Registered[id] = std::move(*again);
            } else {
                lost.push_back(id);
            }
        }
        if (lost.empty()) return;
        // Reported once this event reading is over: the handler may show a modal dialog.
        QMetaObject::invokeMethod(
            Notifier.get(),
            [this, lost] {
                const LostHandler handler = Lost;
                for (int id : lost) {
                    if (handler) handler(id);
                }
            },
            Qt::QueuedConnection);
    }

    void Unregister(int id) noexcept {
        auto it = Registered.find(id);
        if (it == Registered.end()) return;
        Ungrab(it->second.Grabs);
        Registered.erase(it);
    }

    void ReadEvents() {
        std::vector<int> pressed;
        bool remapped = false;
        while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(Connection.Get())}) {
            const uint8_t type = event->response_type & 0x7F;
            if (type == XCB_MAPPING_NOTIFY) {
                auto* notify = reinterpret_cast<xcb_mapping_notify_event_t*>(event.get());
                xcb_refresh_keyboard_mapping(Symbols.get(), notify);
                // One change often comes as several notices: grab again once, after them all.
                if (notify->request != XCB_MAPPING_POINTER) remapped = true;
            } else if (type == XCB_KEY_PRESS) {
                const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event.get());
                for (const auto& [id, r] : Registered) {
                    const uint16_t state = press->state & 0xFF & ~r.Locks;
                    if (state == r.Modifiers && std::find(r.Keycodes.begin(), r.Keycodes.end(),
                                                          press->detail) != r.Keycodes.end()) {
                        pressed.push_back(id);
                    }
                }
            }
        }
        if (xcb_connection_has_error(Connection.Get())) {
            Notifier->setEnabled(false);
        } else if (remapped) {
            GrabAgain();
        }
        // The handler may register, unregister or run an event loop of its own.
        const PressHandler handler = Handler;
        for (int id : pressed) {
            if (handler) handler(id);
        }
    }

    XcbConnection Connection;
    std::unique_ptr<xcb_key_symbols_t, FreeKeySymbols> Symbols;
    std::unique_ptr<QSocketNotifier> Notifier;
    std::map<int, Registration> Registered;
    int LastIdentifier = 0;
    PressHandler Handler;
    LostHandler Lost;
};

XcbHotKeys::XcbHotKeys(const std::string& display) : FImpl(std::make_unique<Impl>(display)) {}

XcbHotKeys::~XcbHotKeys() {
    for (const auto& [id, registration] : FImpl->Registered) FImpl->Ungrab(registration.Grabs);
}

// Identifiers only ever grow: one never comes back while the process runs.
int XcbHotKeys::AddIdentifier() { return ++FImpl->LastIdentifier; }

void XcbHotKeys::DeleteIdentifier(int id) { FImpl->Unregister(id); }

bool XcbHotKeys::Register(int id, uint32_t modifiers, uint32_t virtualKey) {
    return FImpl->Register(id, modifiers, virtualKey);
}

void XcbHotKeys::Unregister(int id) { FImpl->Unregister(id); }

void XcbHotKeys::SetPressHandler(PressHandler handler) { FImpl->Handler = std::move(handler); }

void XcbHotKeys::SetLostHandler(LostHandler handler) { FImpl->Lost = std::move(handler); }

}  // namespace dravemo
