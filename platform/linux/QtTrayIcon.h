// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QSystemTrayIcon>

#include "platform/TrayIcon.h"

namespace dravemo {

// The notification-area icon through the system tray protocol of the desktop.
class QtTrayIcon : public TrayIcon {
public:
    QtTrayIcon();
    void Show(const QString& hint, QMenu* contextMenu, std::function<void()> onClick) override;
    void SetHint(const QString& hint) override { FIcon.setToolTip(hint); }
    QString Hint() const override { return FIcon.toolTip(); }

private:
    QSystemTrayIcon FIcon;
    std::function<void()> FOnClick;
};

}  // namespace dravemo
