// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>

namespace dravemo {

// Modifier flags of a system-wide key, with the values the program has always passed.
namespace hk {
constexpr uint32_t ALT = 0x1;
constexpr uint32_t CONTROL = 0x2;
constexpr uint32_t SHIFT = 0x4;
}  // namespace hk

// System-wide keys: a key with its modifiers, registered under an identifier, reaches the
// program wherever the keyboard focus is. Keys are virtual-key codes as the program stores
// them (0x2C is Print Screen, 0x41 "A"). The state of the keyboard locks does not matter.
class HotKeys {
public:
    // Receives the identifier of the registered key that was pressed.
    using PressHandler = std::function<void(int id)>;
    // Receives the identifier of a registration lost to a change of the keyboard mapping.
    using LostHandler = std::function<void(int id)>;

    virtual ~HotKeys() = default;
    // A new identifier, different from every other one this process holds; never 0.
    virtual int AddIdentifier() = 0;
    // Gives an identifier back, after removing its registration if it still has one.
    virtual void DeleteIdentifier(int id) = 0;
    // Registers `virtualKey` with `modifiers` (hk:: flags) under `id`, replacing what `id`
    // held. False when the key is in use (by another program, for some of its lock states
    // only, or under another identifier) or has no counterpart on this keyboard; nothing is
    // registered under `id` then. Throws std::runtime_error when the desktop is gone.
    virtual bool Register(int id, uint32_t modifiers, uint32_t virtualKey) = 0;
    // Removes the registration of `id`; nothing happens when it has none.
    virtual void Unregister(int id) = 0;
    // Every press of a registered key calls `handler` on the user-interface thread; a held
    // key repeats. An empty handler stops the calls.
    virtual void SetPressHandler(PressHandler handler) = 0;
    // When the keyboard mapping changes every registered key is registered again for its new
    // keys; a key that is in use then, or has no counterpart any more, is no longer registered
    // and `handler` is called with its identifier on the user-interface thread, outside any
    // other call of this interface. An empty handler stops the calls.
    virtual void SetLostHandler(LostHandler handler) = 0;
};

}  // namespace dravemo
