// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace dravemo::test {

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Env& env,
                           bool captureOutput) {
    int pipeFds[2] = {-1, -1};
    if (captureOutput && ::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    FPid = ::fork();
    if (FPid < 0) throw std::runtime_error("fork");
    if (FPid == 0) {
        ::setpgid(0, 0);
        for (const auto& [k, v] : env) {
            if (v.empty() && k.front() == '-') {
                ::unsetenv(k.c_str() + 1);
            } else {
                ::setenv(k.c_str(), v.c_str(), 1);
            }
        }
        if (captureOutput) {
            ::dup2(pipeFds[1], 1);
            ::dup2(pipeFds[1], 2);
        }
        int devnull = ::open("/dev/null", O_RDONLY);
        if (devnull >= 0) ::dup2(devnull, 0);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    if (captureOutput) {
        ::close(pipeFds[1]);
        FOutFd = pipeFds[0];
    }
}

ChildProcess::~ChildProcess() {
    if (!FExit) {
        Terminate();
        if (!Wait(std::chrono::seconds(3))) {
            ::kill(FPid, SIGKILL);
            Wait(std::chrono::seconds(3));
        }
    }
    if (FOutFd >= 0) ::close(FOutFd);
}

void ChildProcess::Drain(bool block) {
    if (FOutFd < 0) return;
    char buffer[4096];
    while (true) {
        pollfd p{FOutFd, POLLIN, 0};
        if (::poll(&p, 1, block ? 200 : 0) <= 0) return;
        const ssize_t n = ::read(FOutFd, buffer, sizeof buffer);
        if (n <= 0) {
            ::close(FOutFd);
            FOutFd = -1;
            return;
        }
        FOutput.append(buffer, static_cast<size_t>(n));
    }
}

bool ChildProcess::Running() {
    if (FExit) return false;
    Drain(false);
    int status = 0;
    const pid_t r = ::waitpid(FPid, &status, WNOHANG);
    if (r == FPid) {
        FExit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        Drain(true);
        return false;
    }
    return true;
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (Running()) {
        if (std::chrono::steady_clock::now() >= end) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return FExit;
}

void ChildProcess::Terminate() {
    if (!FExit && FPid > 0) ::kill(FPid, SIGTERM);
}

RunResult Run(const std::vector<std::string>& argv, const ChildProcess::Env& env,
              std::chrono::milliseconds timeout) {
    ChildProcess child(argv, env, true);
    RunResult result;
    auto exit = child.Wait(timeout);
    result.Exit = exit ? *exit : -1;
    result.Output = child.Output();
    return result;
}

}  // namespace dravemo::test
