// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "services/TConfig.h"

#include <exception>

namespace dravemo {

TConfig::TConfig(Registry& registry, const QString& path)
    : FReg(registry), FKey(QStringLiteral("Software\\") + path) {}

bool TConfig::ReadBoolean(const QString& name, bool defaultValue) const {
    const auto v = FReg.Read(FKey, name);
    if (!v || v->Kind != RegValue::Type::Dword) return defaultValue;
    return v->Number != 0;
}

int TConfig::ReadInteger(const QString& name, int defaultValue) const {
    const auto v = FReg.Read(FKey, name);
    if (!v || v->Kind != RegValue::Type::Dword) return defaultValue;
    return v->Number;
}

QString TConfig::ReadString(const QString& name, const QString& defaultValue) const {
    const auto v = FReg.Read(FKey, name);
    if (!v || v->Kind != RegValue::Type::String) return defaultValue;
    return v->Text;
}

void TConfig::Store(const QString& name, const RegValue& value) {
    try {
        FReg.Write(FKey, name, value);
    } catch (const std::exception&) {
        // A setting that cannot be stored keeps its new state for this run only.
    }
}

bool TConfig::WriteBoolean(const QString& name, bool value) {
    Store(name, RegValue::Dword(value ? 1 : 0));
    return value;
}

int TConfig::WriteInteger(const QString& name, int value) {
    Store(name, RegValue::Dword(value));
    return value;
}

QString TConfig::WriteString(const QString& name, const QString& value) {
    Store(name, RegValue::String(value));
    return value;
}

bool TConfig::ValueExists(const QString& name) const { return FReg.Read(FKey, name).has_value(); }

bool TConfig::DeleteValue(const QString& name) {
    try {
        FReg.Delete(FKey, name);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace dravemo
