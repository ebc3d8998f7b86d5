// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "services/AutoStart.h"

#include <exception>

#include "platform/ProgramFiles.h"

namespace dravemo {

bool AutoStartExists(LoginAutostart& autostart, const QString& name) {
    const bool exists = autostart.Exists(name);
    if (exists) SetAutoStart(autostart, name, true);
    return exists;
}

bool SetAutoStart(LoginAutostart& autostart, const QString& name, bool enable) {
    try {
        if (enable) {
            const QString program = ExecutablePath();
            if (program.isEmpty()) return false;
            autostart.Write(name, program, {QStringLiteral("/start")});
        } else {
            autostart.Remove(name);
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace dravemo
