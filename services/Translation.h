// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace dravemo {

// Translates a text of the program (written in Korean, or already translated into one of the
// seven languages) into `language`, or into the current language when none is given. A text
// without a catalogue entry comes back as written.
QString TranslateText(const QString& text, const QString& language = QString());

}  // namespace dravemo
