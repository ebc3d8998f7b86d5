// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "platform/AtomicFile.h"

namespace dravemo {

namespace {

// Quotes one argument: inside double quotes the characters " ` $ \ take a backslash, and a
// percent sign is doubled (field codes).
QString QuoteArgument(const QString& argument, bool always) {
    static const QString kReserved = QStringLiteral(" \t\"'\\><~|&;$*?#()`=");
    bool needsQuotes = always || argument.isEmpty();
    QString quoted;
    for (QChar c : argument) {
        if (c == u'\n' || c == u'\r') {
            throw std::runtime_error(
                "A program path with a line break cannot be started at log-in");
        }
        if (kReserved.contains(c)) needsQuotes = true;
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
        if (c == u'%') quoted += u'%';
        quoted += c;
    }
    return needsQuotes ? u'"' + quoted + u'"' : quoted;
}

}  // namespace

XdgAutostart::XdgAutostart(QString folder) : FFolder(std::move(folder)) {
    if (FFolder.isEmpty()) {
        QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
        FFolder = config + QStringLiteral("/autostart");
    }
}

QString XdgAutostart::EntryPath(const QString& name) const {
    return FFolder + u'/' + name + QStringLiteral(".desktop");
}

QString XdgAutostart::ExecLine(const QString& program, const QStringList& arguments) {
    QString line = QuoteArgument(program, true);
    for (const QString& argument : arguments) line += u' ' + QuoteArgument(argument, false);
    // The general string escape of desktop entries applies on top of the quoting.
    line.replace(u'\\', QStringLiteral("\\\\"));
    return line;
}

// An entry that the desktop's start-up settings switched off stays on disk but starts
// nothing: it counts as absent.
bool XdgAutostart::Exists(const QString& name) {
    QFile file(EntryPath(name));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) return false;
    return !SwitchedOff(QString::fromUtf8(file.readAll()));
}

bool XdgAutostart::SwitchedOff(const QString& content) {
    bool inMainGroup = false;
    for (const QString& raw : content.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inMainGroup || equals < 0) continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QStringLiteral("Hidden") && value == QStringLiteral("true")) return true;
        if (key == QStringLiteral("X-GNOME-Autostart-enabled") &&
            value == QStringLiteral("false")) {
            return true;
        }
    }
    return false;
}

void XdgAutostart::Write(const QString& name, const QString& program,
                         const QStringList& arguments) {
    if (name.isEmpty() || name.contains(u'/')) {
        throw std::runtime_error("Invalid autostart entry name");
    }
    if (!QDir().mkpath(FFolder)) {
        throw std::runtime_error("Cannot create the folder \"" + FFolder.toStdString() + "\"");
    }
    const QString content = QStringLiteral(
                                "[Desktop Entry]\n"
                                "Type=Application\n"
                                "Name=%1\n"
                                "Exec=%2\n"
                                "Terminal=false\n"
                                "X-GNOME-Autostart-enabled=true\n")
                                .arg(name, ExecLine(program, arguments));
    AtomicFile file(EntryPath(name).toStdString());
    file.Write(content.toUtf8().toStdString());
    file.Commit();
}

void XdgAutostart::Remove(const QString& name) {
    QFile file(EntryPath(name));
    if (!file.exists()) return;
    if (!file.remove()) {
        throw std::runtime_error("Cannot remove \"" + EntryPath(name).toStdString() +
                                 "\": " + file.errorString().toStdString());
    }
}

}  // namespace dravemo
