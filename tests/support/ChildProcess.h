// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dravemo::test {

// A program started by a test, with extra environment variables; stopped (SIGTERM, then
// SIGKILL) when the object goes unless it has already been waited for.
class ChildProcess {
public:
    using Env = std::map<std::string, std::string>;

    ChildProcess(const std::vector<std::string>& argv, const Env& env = {},
                 bool captureOutput = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return FPid; }
    bool Running();
    // Waits for the exit; the exit code, or nullopt on time-out. A signal gives 128 + signal.
    std::optional<int> Wait(std::chrono::milliseconds timeout);
    void Terminate();
    // Collected standard output and error (captureOutput only), available after Wait().
    const std::string& Output() const { return FOutput; }

private:
    void Drain(bool block);
    pid_t FPid = -1;
    int FOutFd = -1;
    std::optional<int> FExit;
    std::string FOutput;
};

// Runs a command to completion; returns exit code and its output (stdout and stderr).
struct RunResult {
    int Exit = -1;
    std::string Output;
};
RunResult Run(const std::vector<std::string>& argv, const ChildProcess::Env& env = {},
              std::chrono::milliseconds timeout = std::chrono::seconds(30));

// Polls `condition` every 20 ms until it is true or the time-out passes; returns its last value.
template <typename F>
bool WaitUntil(F condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace dravemo::test

#include <thread>

namespace dravemo::test {
template <typename F>
bool WaitUntil(F condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
}  // namespace dravemo::test
