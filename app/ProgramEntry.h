// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>

#include "platform/InstanceChannel.h"

namespace dravemo {

// The start of the process: "/uninst" asks a running instance to quit and waits up to about a
// second for it to go; otherwise a second start hands over to the running instance (asking it
// to show its window unless started with "/start") and only the first instance runs
// `runFirstInstance`. `sleepMs` waits between the checks. Returns the exit code.
int ProgramEntry(const QString& firstArgument, InstanceLocator& locator, InstanceLock& lock,
                 const std::function<void()>& runFirstInstance,
                 const std::function<void(int)>& sleepMs);

// Runs the first instance: the application object, the adapters, the main window and the
// message loop. Returns when the program ends.
void RunFirstInstance(int& argc, char** argv, const QString& firstArgument);

}  // namespace dravemo
