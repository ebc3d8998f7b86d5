// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Desktop.h"

namespace dravemo {

// The freedesktop.org desktop: locale variables, user-dirs.dirs and xdg-open.
class XdgDesktop : public Desktop {
public:
    QString LocaleLanguageName() override;
    QString DesktopFolder() override;
    void EnsureDesktopFolder() override;
    bool OpenUrl(const QString& url) override;
    bool OpenFolder(const QString& path) override;
};

}  // namespace dravemo
