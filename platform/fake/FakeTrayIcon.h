// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TrayIcon.h"

namespace dravemo {

// A tray icon that only remembers its state; `Click()` acts as a left click.
class FakeTrayIcon : public TrayIcon {
public:
    void Show(const QString& hint, QMenu* menu, std::function<void()> onClick) override {
        Shown = true;
        FHint = hint;
        Menu = menu;
        OnClick = std::move(onClick);
    }
    void SetHint(const QString& hint) override { FHint = hint; }
    QString Hint() const override { return FHint; }
    void Click() {
        if (OnClick) OnClick();
    }

    bool Shown = false;
    QMenu* Menu = nullptr;
    std::function<void()> OnClick;

private:
    QString FHint;
};

}  // namespace dravemo
