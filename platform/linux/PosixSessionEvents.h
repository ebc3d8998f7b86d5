// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "platform/SessionEvents.h"

class QSocketNotifier;

namespace dravemo {

// The end of the session as SIGTERM and as the session manager's save-yourself request, both
// delivered on the user-interface thread (the signal through a self-pipe).
class PosixSessionEvents : public SessionEvents {
public:
    PosixSessionEvents();
    ~PosixSessionEvents() override;
    void OnEndSession(std::function<void()> handler) override;

private:
    std::function<void()> FHandler;
    std::unique_ptr<QSocketNotifier> FNotifier;
};

}  // namespace dravemo
