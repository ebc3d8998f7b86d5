// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "services/Translation.h"

namespace dravemo {

// The catalogue is not loaded yet in this build: every text is shown as written.
QString TranslateText(const QString& text, const QString& /*language*/) { return text; }

}  // namespace dravemo
