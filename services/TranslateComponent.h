// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QObject;

namespace dravemo {

// Translates a window, widget, menu or action and everything it owns in place: window titles,
// the texts of labels, buttons, check boxes, group boxes, menus and actions (through sub-menus
// too), and the items of combo boxes, which keep their selected index. When `language` is
// given it first becomes the current language; `component` may be null. In the Korean
// interface window titles show the English text.
void TranslateComponent(QObject* component, const QString& language = QString());

}  // namespace dravemo
