// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "platform/SessionEvents.h"

class QSocketNotifier;

namespace dravemo {

class XsmpClient;

// The end of the session as SIGTERM and as the session manager's save-yourself with shutdown
// (or die), both delivered on the user-interface thread (the signal through a self-pipe). The
// session manager is told never to restart the program: the autostart entry starts it.
class PosixSessionEvents : public SessionEvents {
public:
    // `sessionManager`: the session manager's address; empty for none (SIGTERM only). One that
    // cannot be reached is reported once on the standard error and leaves SIGTERM alone.
    explicit PosixSessionEvents(
        const std::string& sessionManager = qEnvironmentVariable("SESSION_MANAGER").toStdString());
    ~PosixSessionEvents() override;
    void OnEndSession(std::function<void()> handler) override;

private:
    void End();

    std::function<void()> FHandler;
    std::unique_ptr<QSocketNotifier> FNotifier;
    std::unique_ptr<XsmpClient> FSessionManager;
};

}  // namespace dravemo
