// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "tests/support/VirtualDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace dravemo::test {

#ifndef DRAVEMO_SOURCE_DIR_SUPPORT
#define DRAVEMO_SOURCE_DIR_SUPPORT ""
#endif

VirtualDisplay::VirtualDisplay(const std::string& size, bool windowManager) {
    if (const char* d = std::getenv("DISPLAY")) FPreviousDisplay = d;
    // Xvfb writes its display number to the inherited descriptor. Two servers starting at
    // the same moment can pick the same number; the loser exits, and is started again.
    std::string number;
    for (int attempt = 0; attempt < 5 && number.empty(); ++attempt) {
        int fds[2];
        if (::pipe(fds) != 0) throw std::runtime_error("pipe");
        const std::string fdArg = std::to_string(fds[1]);
        FXvfb = std::make_unique<ChildProcess>(std::vector<std::string>{
            "Xvfb", "-displayfd", fdArg, "-screen", "0", size, "-nolisten", "tcp", "-noreset"});
        ::close(fds[1]);
        pollfd p{fds[0], POLLIN, 0};
        while (::poll(&p, 1, 20000) > 0) {
            char c;
            if (::read(fds[0], &c, 1) != 1 || c == '\n') break;
            number += c;
        }
        ::close(fds[0]);
    }
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    FName = ":" + number;
    ::setenv("DISPLAY", FName.c_str(), 1);
    WaitUntil([&] { return Run({"xdpyinfo"}, Env(), std::chrono::seconds(5)).Exit == 0; });
    if (windowManager) {
        const std::string config =
            std::string(DRAVEMO_SOURCE_DIR_SUPPORT) + "/scripts/lib/openbox-rc.xml";
        FWindowManager = std::make_unique<ChildProcess>(
            std::vector<std::string>{"openbox", "--config-file", config}, Env());
        WaitUntil([&] {
            return Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, Env())
                       .Output.find("window id") != std::string::npos;
        });
        // openbox announces itself before it handles map requests: only a probe window that
        // it has framed shows that it is ready.
        for (int attempt = 0; attempt < 5; ++attempt) {
            ChildProcess probe(
                {"xmessage", "-name", "dravemo-wm-probe", "-title", "dravemo-wm-probe", "probe"},
                Env());
            const bool framed = WaitUntil(
                [&] {
                    const RunResult found =
                        Run({"xdotool", "search", "--onlyvisible", "--name", "^dravemo-wm-probe$"},
                            Env());
                    if (found.Exit != 0 || found.Output.empty()) return false;
                    const std::string id = found.Output.substr(0, found.Output.find('\n'));
                    return Run({"xprop", "-id", id, "_NET_FRAME_EXTENTS"}, Env())
                               .Output.find(" = ") != std::string::npos;
                },
                std::chrono::seconds(3));
            if (framed) break;
        }
    }
}

VirtualDisplay::~VirtualDisplay() {
    FWindowManager.reset();
    FXvfb.reset();
    if (FPreviousDisplay.empty()) {
        ::unsetenv("DISPLAY");
    } else {
        ::setenv("DISPLAY", FPreviousDisplay.c_str(), 1);
    }
}

}  // namespace dravemo::test
