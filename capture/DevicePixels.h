// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QRegion>

namespace dravemo {

// Conversions between a window's logical coordinates (what Qt lays out and reports) and its
// device pixels (physical = logical x ratio). Each rounds outwards, so that the result covers
// every pixel of what it was given, also at fractional ratios such as 1.5.

// The device pixels touched by a logical rectangle.
QRect DeviceCover(const QRect& logical, qreal ratio);
QRegion DeviceCover(const QRegion& logical, qreal ratio);
// The logical rectangles whose device pixels include every pixel of `device`.
QRegion LogicalCover(const QRegion& device, qreal ratio);

}  // namespace dravemo
