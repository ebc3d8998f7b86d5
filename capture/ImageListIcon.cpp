// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/ImageListIcon.h"

#include <QLabel>
#include <QPixmap>
#include <cmath>

namespace dravemo {

int ImageSourceSize(int logicalSize, double ratio) {
    const double wanted = logicalSize * (std::isfinite(ratio) && ratio > 0 ? ratio : 1.0);
    for (int size : kImageSourceSizes) {
        if (size >= wanted - 1e-9) return size;
    }
    return kImageSourceSizes[std::size(kImageSourceSizes) - 1];
}

void LoadImageListIcon(QLabel& picture, const QString& name, int logicalSize) {
    const double ratio = picture.devicePixelRatioF();
    const int source = ImageSourceSize(logicalSize, ratio);
    QPixmap image(QStringLiteral(":/icons/%1-%2.png").arg(name).arg(source));
    if (image.isNull()) {
        picture.setPixmap({});
        return;
    }
    const int physical = qRound(logicalSize * ratio);
    if (image.width() != physical) {
        image = image.scaled(physical, physical, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    image.setDevicePixelRatio(ratio);
    picture.setPixmap(image);
}

}  // namespace dravemo
