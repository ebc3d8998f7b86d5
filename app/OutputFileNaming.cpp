// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "app/OutputFileNaming.h"

#include <QDir>
#include <QFileInfo>
#include <limits>

#include "platform/AtomicFile.h"

namespace dravemo {

namespace {

// A regular file (not a folder) exists at the path.
bool FileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

// The number text of a numbered name as an integer; -1 when it is not one.
int NumberOf(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    return ok ? n : -1;
}

QString NumberedName(int n, const QString& ext) {
    return QStringLiteral("D-%1.%2").arg(n, 3, 10, QChar(u'0')).arg(ext);
}

}  // namespace

QString JoinPath(const QString& folder, const QString& name) {
    for (QChar c : folder) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            const QString code =
                QStringLiteral("%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
            throw InvalidPathError(
                QStringLiteral("The save folder cannot be a path: it contains the control "
                               "character U+%1. Choose another save folder.")
                    .arg(code)
                    .toStdString());
        }
    }
    if (folder.isEmpty()) return name;
    if (folder.endsWith(u'/')) return folder + name;
    return folder + u'/' + name;
}

int LastSequenceNumber(const QString& folder) {
    QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (!dir.exists()) return 0;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    int result = 0;
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) continue;
        const QString name = entry.fileName();
        if (!name.startsWith(QStringLiteral("D-"))) continue;
        // An unfinished write holds no number.
        if (AtomicFile::IsTemporaryName(name.toStdString())) continue;
        const qsizetype dot = name.indexOf(u'.', 2);
        const QString numberText = dot < 0 ? QString() : name.mid(2, dot - 2);
        const int number = NumberOf(numberText);
        if (number > result) result = number;
    }
    return result;
}

QString NewFilename(const QString& folder, TNamingScheme scheme, const QString& ext,
                    const std::function<QDateTime()>& now) {
    if (scheme == TNamingScheme::ContinueNumber || scheme == TNamingScheme::FirstFreeNumber) {
        int n = scheme == TNamingScheme::ContinueNumber ? LastSequenceNumber(folder) : 0;
        while (n < std::numeric_limits<int>::max()) {
            ++n;
            const QString path = JoinPath(folder, NumberedName(n, ext));
            if (!FileExists(path)) return path;
        }
        throw std::runtime_error("No free file number is left in the save folder.");
    }
    QDateTime stamp = now();
    for (int attempt = 0; attempt < 100000; ++attempt) {
        const QString name = QStringLiteral("D-") +
                             stamp.toString(QStringLiteral("yyyyMMdd-hhmmsszzz")) + u'.' + ext;
        const QString path = JoinPath(folder, name);
        if (!QFileInfo::exists(path)) return path;
        stamp = stamp.addMSecs(1);
    }
    throw std::runtime_error("No free time-stamp name is left in the save folder.");
}

}  // namespace dravemo
