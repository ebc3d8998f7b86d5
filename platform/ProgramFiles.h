// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace dravemo {

// The full path of the running program file, as the system reports it for this process;
// empty when it cannot be determined.
QString ExecutablePath();
// The folder that holds the running program file (no trailing separator); empty when unknown.
QString ExecutableDir();

}  // namespace dravemo
