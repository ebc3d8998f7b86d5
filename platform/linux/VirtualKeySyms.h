// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace dravemo {

// The X keysym of a virtual-key code (0x2C Print Screen is XK_Print, 0x41 "A" is XK_a); 0
// when the code has no counterpart here.
uint32_t KeySymOfVirtualKey(uint32_t virtualKey);

}  // namespace dravemo
