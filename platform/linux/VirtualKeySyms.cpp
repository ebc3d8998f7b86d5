// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/VirtualKeySyms.h"

#include <X11/keysym.h>

namespace dravemo {

namespace {

// Single keys, besides the runs of letters, digits, function keys and keypad digits below.
struct KeyPair {
    uint32_t VirtualKey;
    uint32_t KeySym;
};
constexpr KeyPair kSingleKeys[] = {
    {0x08, XK_BackSpace},  {0x09, XK_Tab},         {0x0D, XK_Return}, {0x13, XK_Pause},
    {0x1B, XK_Escape},     {0x20, XK_space},       {0x21, XK_Prior},  {0x22, XK_Next},
    {0x23, XK_End},        {0x24, XK_Home},        {0x25, XK_Left},   {0x26, XK_Up},
    {0x27, XK_Right},      {0x28, XK_Down},        {0x2C, XK_Print},  {0x2D, XK_Insert},
    {0x2E, XK_Delete},     {0x6A, XK_KP_Multiply}, {0x6B, XK_KP_Add}, {0x6D, XK_KP_Subtract},
    {0x6E, XK_KP_Decimal}, {0x6F, XK_KP_Divide},
};

}  // namespace

uint32_t KeySymOfVirtualKey(uint32_t virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return XK_a + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9') return XK_0 + (virtualKey - '0');
    if (virtualKey >= 0x60 && virtualKey <= 0x69) return XK_KP_0 + (virtualKey - 0x60);
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return XK_F1 + (virtualKey - 0x70);  // F1..F24
    for (const KeyPair& key : kSingleKeys) {
        if (key.VirtualKey == virtualKey) return key.KeySym;
    }
    return 0;
}

}  // namespace dravemo
