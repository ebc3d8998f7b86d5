// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/PosixConsoleProcesses.h"

#include <poll.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "platform/linux/PosixConsoleChild.h"
#include "platform/linux/PosixPipes.h"

namespace dravemo {

std::unique_ptr<WakeEvent> PosixConsoleProcesses::CreateEvent(bool manualReset) {
    return std::make_unique<EventFdWakeEvent>(manualReset);
}

Pipe PosixConsoleProcesses::CreatePipe(size_t bufferSize) { return CreatePosixPipe(bufferSize); }

std::unique_ptr<ConsoleChild> PosixConsoleProcesses::Start(const ConsoleLaunch& launch) {
    return PosixConsoleChild::Start(launch);
}

int PosixConsoleProcesses::WaitAny(std::span<Waitable* const> objects,
                                   std::optional<std::chrono::milliseconds> timeout) {
    std::vector<PollTarget*> targets;
    std::vector<pollfd> fds;
    for (Waitable* object : objects) {
        auto* target = dynamic_cast<PollTarget*>(object);
        if (target == nullptr) throw std::invalid_argument("waitable of another backend");
        targets.push_back(target);
        fds.push_back({target->PollFd(), POLLIN, 0});
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = timeout ? Clock::now() + *timeout : Clock::time_point::max();
    while (true) {
        int wait = -1;
        if (timeout) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            wait = static_cast<int>(std::max<int64_t>(0, left.count()));
        }
        const int ready = ::poll(fds.data(), fds.size(), wait);
        if (ready < 0) {
            if (errno == EINTR) continue;
            throw std::system_error(errno, std::generic_category(), "poll");
        }
        if (ready == 0) return -1;
        for (size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents == 0) continue;
            if (fds[i].revents & POLLNVAL) throw std::invalid_argument("closed waitable");
            targets[i]->Consume();
            return static_cast<int>(i);
        }
    }
}

}  // namespace dravemo
