// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "platform/HotKeys.h"

namespace dravemo {

// The stored form of the capture hotkey: a 16-bit word with the virtual-key code in its low
// byte and the modifiers in its top three bits.
namespace shortcut {
constexpr int SHIFT = 0x2000;
constexpr int CTRL = 0x4000;
constexpr int ALT = 0x8000;
// Print Screen alone, what a first start registers.
constexpr int DEFAULT = 0x002C;

// The word of a stored number: only its low 16 bits count.
constexpr int Word(int stored) { return stored & 0xFFFF; }
// The key part: the word without the three modifier bits.
constexpr int Key(int word) { return Word(word) & ~(SHIFT | CTRL | ALT); }
// The modifiers of a word as system-wide key flags.
constexpr uint32_t Modifiers(int word) {
    return ((word & ALT) ? hk::ALT : 0u) | ((word & CTRL) ? hk::CONTROL : 0u) |
           ((word & SHIFT) ? hk::SHIFT : 0u);
}
constexpr int Make(int key, bool shift, bool ctrl, bool alt) {
    return Key(key) | (shift ? SHIFT : 0) | (ctrl ? CTRL : 0) | (alt ? ALT : 0);
}
}  // namespace shortcut

}  // namespace dravemo
