// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "platform/LoginAutostart.h"

namespace dravemo {

// Whether the program starts with the login session under `name`. An existing entry is
// written again with the current program path, so that a moved program keeps starting from
// its new place; the answer does not depend on that rewrite.
bool AutoStartExists(LoginAutostart& autostart, const QString& name);

// Creates (enable) or removes the entry that starts the program hidden ("/start") at log-in.
// False when that failed; removing an absent entry succeeds.
bool SetAutoStart(LoginAutostart& autostart, const QString& name, bool enable);

}  // namespace dravemo
