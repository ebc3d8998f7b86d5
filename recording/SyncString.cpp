// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "recording/SyncString.h"

namespace dravemo {

void TSyncString::Add(const QString& text) {
    const std::lock_guard lock(FLock);
    FValue.append(text);
}

void TSyncString::Delete(qsizetype position, qsizetype count) {
    const std::lock_guard lock(FLock);
    FValue.remove(position, count);
}

qsizetype TSyncString::Length() const {
    const std::lock_guard lock(FLock);
    return FValue.size();
}

QString TSyncString::Value() const {
    const std::lock_guard lock(FLock);
    return FValue;
}

void TSyncString::SetValue(const QString& value) {
    const std::lock_guard lock(FLock);
    FValue = value;
}

}  // namespace dravemo
