// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/WindowActivation.h"

namespace dravemo {

// Activation through the EWMH _NET_ACTIVE_WINDOW property and request, on the toolkit's own
// X connection. Without an X11 display both operations do nothing.
class X11WindowActivation : public WindowActivation {
public:
    bool IsForeground(uintptr_t window) override;
    void RequestForeground(uintptr_t window) override;
};

}  // namespace dravemo
