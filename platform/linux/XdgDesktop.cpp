// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/XdgDesktop.h"

#include <sys/stat.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace dravemo {

QString XdgDesktop::LocaleLanguageName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (value.isEmpty()) continue;
        if (value == QStringLiteral("C") || value == QStringLiteral("POSIX") ||
            value.startsWith(QStringLiteral("C."))) {
            return {};
        }
        // language[_territory][.codeset][@modifier]
        qsizetype end = 0;
        while (end < value.size() && value[end].isLetter()) ++end;
        return value.left(end).toLower();
    }
    return {};
}

QString XdgDesktop::DesktopFolder() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
    if (dirs.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&dirs);
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            if (!line.startsWith(QStringLiteral("XDG_DESKTOP_DIR="))) continue;
            QString value = line.mid(16).trimmed();
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) {
                value = value.mid(1, value.size() - 2);
            }
            value.replace(QStringLiteral("\\\""), QStringLiteral("\""));
            if (value.startsWith(QStringLiteral("$HOME"))) {
                value = QDir::homePath() + value.mid(5);
            }
            if (value.startsWith(u'/')) return QDir::cleanPath(value);
        }
    }
    const QString home = QDir::homePath();
    return home.isEmpty() ? QString() : home + QStringLiteral("/Desktop");
}

void XdgDesktop::EnsureDesktopFolder() {
    const QString folder = DesktopFolder();
    if (folder.isEmpty()) throw std::runtime_error("The desktop folder cannot be determined.");
    const std::string path = folder.toStdString();
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return;
    // Each missing folder from the top down, as the desktop's user-folder tool makes them.
    for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string part = path.substr(0, end);
        if (::mkdir(part.c_str(), 0755) != 0) {
            const int error = errno;
            if (error != EEXIST || ::stat(part.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
                throw std::runtime_error("Cannot create the folder \"" + part +
                                         "\": " + std::strerror(error == EEXIST ? ENOTDIR : error));
            }
        }
        if (end == std::string::npos) return;
    }
}

bool XdgDesktop::OpenUrl(const QString& url) { return QDesktopServices::openUrl(QUrl(url)); }

bool XdgDesktop::OpenFolder(const QString& path) {
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(path.isEmpty() ? QDir::currentPath() : path));
}

}  // namespace dravemo
