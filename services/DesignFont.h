// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace dravemo {

// The font of the program's windows: the design font (Segoe UI, 12 pixels), then what Linux
// desktops have in its place, Korean and other CJK texts included.
QFont DesignFont();

}  // namespace dravemo
