// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "tests/support/ChildProcess.h"

namespace dravemo::test {

// A private X display for one test: Xvfb on a free display number, optionally with openbox
// (configured without key bindings). Sets DISPLAY in this process while it lives, so that
// in-process X clients and children started afterwards use it.
class VirtualDisplay {
public:
    explicit VirtualDisplay(const std::string& size = "1280x800x24", bool windowManager = true);
    ~VirtualDisplay();

    const std::string& Name() const { return FName; }
    // Environment entries that point a child at this display.
    ChildProcess::Env Env() const { return {{"DISPLAY", FName}}; }

private:
    std::string FName;
    std::string FPreviousDisplay;
    std::unique_ptr<ChildProcess> FXvfb;
    std::unique_ptr<ChildProcess> FWindowManager;
};

}  // namespace dravemo::test
