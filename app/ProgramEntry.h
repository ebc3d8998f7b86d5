// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>
#include <ostream>

#include "platform/InstanceChannel.h"

namespace dravemo {

// Exit codes of the entry besides 0.
constexpr int kExitNotCaptured = 1;  // "/capture": the running instance did not capture
constexpr int kExitNoInstance = 2;   // "/capture": no instance runs
constexpr int kExitNoAnswer = 3;     // the running instance did not answer in time

// The start of the process: "/uninst" asks a running instance to quit and waits up to about a
// second for it to go; "/capture" (or "--capture") asks it to capture and reports the outcome
// in the exit code; otherwise a second start hands over to the running instance (asking it to
// show its window unless started with "/start") and only the first instance runs
// `runFirstInstance`. `sleepMs` waits between the checks; messages for the user go to `err`.
// Returns the exit code.
int ProgramEntry(const QString& firstArgument, InstanceLocator& locator, InstanceLock& lock,
                 const std::function<void()>& runFirstInstance,
                 const std::function<void(int)>& sleepMs, std::ostream& err);

// Runs the first instance: the application object, the adapters, the main window and the
// message loop. Returns when the program ends.
void RunFirstInstance(int& argc, char** argv, const QString& firstArgument);

}  // namespace dravemo
