// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/LoginAutostart.h"

namespace dravemo {

// Autostart entries as desktop files in ${XDG_CONFIG_HOME:-$HOME/.config}/autostart/, which
// desktop sessions start at log-in.
class XdgAutostart : public LoginAutostart {
public:
    // `folder` empty: the user's autostart folder.
    explicit XdgAutostart(QString folder = QString());

    bool Exists(const QString& name) override;
    void Write(const QString& name, const QString& program, const QStringList& arguments) override;
    void Remove(const QString& name) override;

    QString EntryPath(const QString& name) const;
    // The Exec= value that runs `program` with `arguments`, quoted and escaped as desktop
    // entries require.
    static QString ExecLine(const QString& program, const QStringList& arguments);
    // Whether a desktop entry's text says the session must not start it (Hidden=true, or
    // X-GNOME-Autostart-enabled=false in its [Desktop Entry] group).
    static bool SwitchedOff(const QString& content);

private:
    QString FFolder;
};

}  // namespace dravemo
