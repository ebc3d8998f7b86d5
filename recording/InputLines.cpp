// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "recording/InputLines.h"

namespace dravemo {

void TInputLines::Add(const QString& line) {
    {
        const std::lock_guard lock(FLock);
        FList.append(line);
    }
    FEvent->Set();
}

int TInputLines::Count() const {
    const std::lock_guard lock(FLock);
    return static_cast<int>(FList.size());
}

QString TInputLines::Strings(int index) const {
    const std::lock_guard lock(FLock);
    return FList.value(index);
}

void TInputLines::SetStrings(int index, const QString& line) {
    const std::lock_guard lock(FLock);
    if (index >= 0 && index < FList.size()) FList[index] = line;
}

void TInputLines::Delete(int index) {
    const std::lock_guard lock(FLock);
    if (index >= 0 && index < FList.size()) FList.removeAt(index);
}

}  // namespace dravemo
