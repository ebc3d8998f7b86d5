// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/DevicePixels.h"

#include <cmath>

namespace dravemo {

namespace {

// The rectangle from (left, top) to (right, bottom) scaled by `factor`, widened to whole
// pixels. A small tolerance keeps exact products (300 / 1.5 * 1.5) from growing a pixel.
QRect ScaleOutwards(const QRect& r, qreal factor) {
    constexpr qreal kTolerance = 1e-6;
    const int left = static_cast<int>(std::floor(r.x() * factor + kTolerance));
    const int top = static_cast<int>(std::floor(r.y() * factor + kTolerance));
    const int right = static_cast<int>(std::ceil((r.x() + r.width()) * factor - kTolerance));
    const int bottom = static_cast<int>(std::ceil((r.y() + r.height()) * factor - kTolerance));
    return QRect(left, top, right - left, bottom - top);
}

QRegion ScaleOutwards(const QRegion& region, qreal factor) {
    QRegion result;
    for (const QRect& r : region) result += ScaleOutwards(r, factor);
    return result;
}

}  // namespace

QRect DeviceCover(const QRect& logical, qreal ratio) { return ScaleOutwards(logical, ratio); }

QRegion DeviceCover(const QRegion& logical, qreal ratio) { return ScaleOutwards(logical, ratio); }

QRegion LogicalCover(const QRegion& device, qreal ratio) {
    return ScaleOutwards(device, 1.0 / ratio);
}

}  // namespace dravemo
