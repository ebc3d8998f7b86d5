// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/ProgramFiles.h"

#include <unistd.h>

#include <QFileInfo>
#include <array>

namespace dravemo {

QString ExecutablePath() {
    std::array<char, 4096> buffer{};
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return {};
    return QString::fromUtf8(buffer.data(), static_cast<qsizetype>(n));
}

QString ExecutableDir() {
    const QString path = ExecutablePath();
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

}  // namespace dravemo
