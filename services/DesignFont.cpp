// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "services/DesignFont.h"

#include <QStringList>

namespace dravemo {

QFont DesignFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("Noto Sans"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK KR")});
    font.setPixelSize(12);
    return font;
}

}  // namespace dravemo
