// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/PosixSessionEvents.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "platform/ProgramFiles.h"
#include "platform/linux/XsmpClient.h"

namespace dravemo {

namespace {
// The self-pipe of the signal handler: the one piece of state a handler may touch.
int gSignalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(gSignalPipe[1], &byte, 1);
}
}  // namespace

PosixSessionEvents::PosixSessionEvents(const std::string& sessionManager) {
    if (gSignalPipe[0] < 0 && ::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::runtime_error("Cannot create the signal pipe");
    }
    FNotifier = std::make_unique<QSocketNotifier>(gSignalPipe[0], QSocketNotifier::Read);
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] {
        char buffer[64];
        while (::read(gSignalPipe[0], buffer, sizeof buffer) > 0) {
        }
        End();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    // The toolkit registers with the session manager on its own and cannot tell a checkpoint
    // from the end; it only has to ask never to be restarted (a restart without "/start"
    // would show the window at log-in). The ending is told by this program's own client.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const auto never = [](QSessionManager& manager) {
            manager.setRestartHint(QSessionManager::RestartNever);
        };
        QObject::connect(app, &QGuiApplication::commitDataRequest, never);
        QObject::connect(app, &QGuiApplication::saveStateRequest, never);
    }
    if (!sessionManager.empty()) {
        try {
            FSessionManager = std::make_unique<XsmpClient>(
                sessionManager, std::vector<std::string>{ExecutablePath().toStdString(), "/start"},
                [this] { End(); });
        } catch (const std::exception& e) {
            std::cerr << "dravemo: " << e.what() << "; only SIGTERM ends the program.\n";
        }
    }
}

void PosixSessionEvents::End() {
    if (FHandler) FHandler();
}

PosixSessionEvents::~PosixSessionEvents() {
    FSessionManager.reset();
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    ::sigaction(SIGTERM, &action, nullptr);
}

void PosixSessionEvents::OnEndSession(std::function<void()> handler) {
    FHandler = std::move(handler);
}

}  // namespace dravemo
