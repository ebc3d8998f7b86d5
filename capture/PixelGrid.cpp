// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/PixelGrid.h"

#include <cmath>
#include <cstdlib>

namespace dravemo {

namespace {
int Scaled(int distance, double scale) { return qRound(distance * scale); }

// The rectangle `r` scaled by `factor` about `origin`, widened to whole pixels. A small tolerance
// keeps exact products (300 / 1.5 * 1.5) from growing a pixel.
QRect ScaleOutwards(const QRect& r, double factor, QPoint origin) {
    constexpr double kTolerance = 1e-6;
    const auto low = [&](int v, int o) {
        return o + static_cast<int>(std::floor((v - o) * factor + kTolerance));
    };
    const auto high = [&](int v, int o) {
        return o + static_cast<int>(std::ceil((v - o) * factor - kTolerance));
    };
    const int left = low(r.x(), origin.x());
    const int top = low(r.y(), origin.y());
    const int right = high(r.x() + r.width(), origin.x());
    const int bottom = high(r.y() + r.height(), origin.y());
    return QRect(left, top, right - left, bottom - top);
}

QRegion ScaleOutwards(const QRegion& region, double factor, QPoint origin) {
    QRegion result;
    for (const QRect& r : region) result += ScaleOutwards(r, factor, origin);
    return result;
}

}  // namespace

PixelGrid::PixelGrid(double scale, QPoint origin)
    : FScale(std::isfinite(scale) && scale > 0 ? scale : 1.0), FOrigin(origin) {}

int PixelGrid::PhysicalX(int logicalX) const {
    return FOrigin.x() + Scaled(logicalX - FOrigin.x(), FScale);
}

int PixelGrid::PhysicalY(int logicalY) const {
    return FOrigin.y() + Scaled(logicalY - FOrigin.y(), FScale);
}

int PixelGrid::PhysicalLength(int logical) const { return Scaled(logical, FScale); }

TRect PixelGrid::ToPhysical(const QRect& logical) const {
    // The window system gets the scaled position and the scaled size, each rounded.
    return RectOfSize(PhysicalX(logical.x()), PhysicalY(logical.y()),
                      PhysicalLength(logical.width()), PhysicalLength(logical.height()));
}

QPointF PixelGrid::PhysicalPoint(QPointF logical) const {
    const QPointF origin(FOrigin);
    return origin + (logical - origin) * FScale;
}

QRect PixelGrid::CoverPhysical(const QRect& logical) const {
    return ScaleOutwards(logical, FScale, FOrigin);
}

QRegion PixelGrid::CoverPhysical(const QRegion& logical) const {
    return ScaleOutwards(logical, FScale, FOrigin);
}

QRect PixelGrid::CoverLogical(const QRect& physical) const {
    return ScaleOutwards(physical, 1.0 / FScale, FOrigin);
}

QRegion PixelGrid::CoverLogical(const QRegion& physical) const {
    return ScaleOutwards(physical, 1.0 / FScale, FOrigin);
}

int PixelGrid::Nearest(int physical, int origin) const {
    const int guess = static_cast<int>(std::floor((physical - origin) / FScale));
    int best = guess - 1;
    for (int candidate = guess; candidate <= guess + 2; ++candidate) {
        if (std::abs(Scaled(candidate, FScale) - (physical - origin)) <
            std::abs(Scaled(best, FScale) - (physical - origin))) {
            best = candidate;
        }
    }
    return origin + best;
}

int PixelGrid::LogicalX(int physicalX) const { return Nearest(physicalX, FOrigin.x()); }

int PixelGrid::LogicalY(int physicalY) const { return Nearest(physicalY, FOrigin.y()); }

int PixelGrid::LogicalLength(int physical) const { return Nearest(physical, 0); }

int PixelGrid::LogicalLengthAtLeast(int physical) const {
    int logical = LogicalLength(physical);
    while (PhysicalLength(logical) < physical) ++logical;
    while (logical > 0 && PhysicalLength(logical - 1) >= physical) --logical;
    return logical;
}

}  // namespace dravemo
