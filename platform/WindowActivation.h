// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace dravemo {

// Bringing one of the program's top-level windows to the foreground, past the focus-stealing
// prevention of the window manager.
class WindowActivation {
public:
    virtual ~WindowActivation() = default;
    // Whether the window (a native window id) is the active window of the desktop.
    virtual bool IsForeground(uintptr_t window) = 0;
    // Asks the window manager to raise and activate the window.
    virtual void RequestForeground(uintptr_t window) = 0;
};

}  // namespace dravemo
