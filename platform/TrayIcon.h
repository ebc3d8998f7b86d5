// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>

class QMenu;

namespace dravemo {

// The program's icon in the desktop's notification area. Where the desktop has no tray the
// icon appears when one starts; the program works without it.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // Shows the icon with its hint, its context menu and a handler for a left click.
    virtual void Show(const QString& hint, QMenu* contextMenu, std::function<void()> onClick) = 0;
    virtual void SetHint(const QString& hint) = 0;
    virtual QString Hint() const = 0;
};

}  // namespace dravemo
