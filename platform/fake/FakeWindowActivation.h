// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "platform/WindowActivation.h"

namespace dravemo {

// Remembers which window was asked to the foreground and treats it as active from then on.
class FakeWindowActivation : public WindowActivation {
public:
    bool IsForeground(uintptr_t window) override { return window != 0 && window == Active; }
    void RequestForeground(uintptr_t window) override {
        Requests.push_back(window);
        Active = window;
    }
    uintptr_t Active = 0;
    std::vector<uintptr_t> Requests;
};

}  // namespace dravemo
