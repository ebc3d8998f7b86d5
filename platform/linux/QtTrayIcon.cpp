// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/QtTrayIcon.h"

#include <QIcon>
#include <QMenu>

namespace dravemo {

QtTrayIcon::QtTrayIcon() : FIcon(QIcon(QStringLiteral(":/icon.png"))) {
    QObject::connect(&FIcon, &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger && FOnClick) FOnClick();
                     });
}

void QtTrayIcon::Show(const QString& hint, QMenu* contextMenu, std::function<void()> onClick) {
    FOnClick = std::move(onClick);
    FIcon.setToolTip(hint);
    FIcon.setContextMenu(contextMenu);
    FIcon.show();
}

}  // namespace dravemo
