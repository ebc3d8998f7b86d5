// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "platform/Registry.h"

namespace dravemo {

// Reads and writes the values of one key "Software\<path>" of the current user's registry.
// Made for one operation and dropped afterwards; nothing is cached. Booleans are stored as
// dword 0 or 1, integers as dword, texts as strings; a value stored with another type counts
// as absent. Write errors are swallowed: a setting that cannot be stored is lost quietly.
class TConfig {
public:
    TConfig(Registry& registry, const QString& path);

    bool ReadBoolean(const QString& name, bool defaultValue) const;
    int ReadInteger(const QString& name, int defaultValue) const;
    QString ReadString(const QString& name, const QString& defaultValue) const;

    bool WriteBoolean(const QString& name, bool value);
    int WriteInteger(const QString& name, int value);
    QString WriteString(const QString& name, const QString& value);

    // Whether a value of any type exists under the name.
    bool ValueExists(const QString& name) const;
    // Removes a value; false when that failed.
    bool DeleteValue(const QString& name);

    const QString& Key() const { return FKey; }

private:
    void Store(const QString& name, const RegValue& value);

    Registry& FReg;
    QString FKey;
};

// The path of the program's own settings key below "Software\".
inline const QString kSettingsPath = QStringLiteral("Orvantel\\Dravemo");

}  // namespace dravemo
