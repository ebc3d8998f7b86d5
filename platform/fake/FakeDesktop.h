// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include "platform/Desktop.h"

namespace dravemo {

// A desktop with preset answers that records what was opened.
class FakeDesktop : public Desktop {
public:
    QString LocaleLanguageName() override { return Language; }
    QString DesktopFolder() override { return Folder; }
    void EnsureDesktopFolder() override { ++EnsureCalls; }
    bool OpenUrl(const QString& url) override {
        OpenedUrls << url;
        return true;
    }
    bool OpenFolder(const QString& path) override {
        OpenedFolders << path;
        return true;
    }

    QString Language = QStringLiteral("en");
    QString Folder = QStringLiteral("/home/user/Desktop");
    int EnsureCalls = 0;
    QStringList OpenedUrls;
    QStringList OpenedFolders;
};

}  // namespace dravemo
