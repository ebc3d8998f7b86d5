// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include "platform/ConsoleProcesses.h"
#include "platform/linux/PollTarget.h"
#include "platform/linux/UniqueFd.h"

namespace dravemo {

// A child started with posix_spawn in a process group of its own, watched through a pidfd.
// Dropping it while the child still runs kills the group and reaps the child.
class PosixConsoleChild : public ConsoleChild, public PollTarget {
public:
    // Throws std::system_error with the reason the program could not be started.
    static std::unique_ptr<PosixConsoleChild> Start(const ConsoleLaunch& launch);
    ~PosixConsoleChild() override;

    int64_t ProcessId() const override { return FPid; }
    std::optional<uint32_t> ExitCode() override;
    void Terminate(uint32_t exitCode) override;
    int PollFd() const override { return FPidFd.Get(); }

private:
    PosixConsoleChild(pid_t pid, UniqueFd pidFd) : FPid(pid), FPidFd(std::move(pidFd)) {}
    // Reaps the child when it has ended (or, with `block`, once it ends).
    void Reap(bool block);

    pid_t FPid;
    UniqueFd FPidFd;
    std::optional<uint32_t> FExitCode;
    std::optional<uint32_t> FTerminateCode;
};

}  // namespace dravemo
