// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace dravemo {

// The user's desktop environment: where things are, which language, how to open things.
class Desktop {
public:
    virtual ~Desktop() = default;
    // The language part of the user's locale ("ko" for ko_KR.UTF-8); empty when there is none.
    virtual QString LocaleLanguageName() = 0;
    // The user's desktop folder; empty when it cannot be determined.
    virtual QString DesktopFolder() = 0;
    // Creates the desktop folder, and any folder missing above it, with mode 0755 (less the
    // umask) unless it exists; throws std::runtime_error naming the folder when it cannot.
    virtual void EnsureDesktopFolder() = 0;
    // Opens a web address with the user's default handler; false when that could not start.
    virtual bool OpenUrl(const QString& url) = 0;
    // Shows a folder in the user's file manager; false when that could not start.
    virtual bool OpenFolder(const QString& path) = 0;
};

}  // namespace dravemo
