// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace dravemo {

// Tells the program that the user's session ends (log-off, shut-down, a termination request).
class SessionEvents {
public:
    virtual ~SessionEvents() = default;
    // Calls `handler` on the user-interface thread whenever the session asks the program to end.
    virtual void OnEndSession(std::function<void()> handler) = 0;
};

}  // namespace dravemo
