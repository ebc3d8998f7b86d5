// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QRect>
#include <QRegion>

#include "capture/TRect.h"

namespace dravemo {

// How Qt's logical pixels of one screen land on the screen's physical pixels: a coordinate
// is the screen origin plus the rounded scaled distance from it, a length the rounded scaled
// length, as the window system layer places windows. Between them lie the conversions of
// lengths the program gives in physical pixels (the region frame's border, its key steps)
// into the logical units its windows are laid out in. A grid with the origin 0,0 converts a
// window's own (local) coordinates; ScreenLayout gives the grid of each screen.
class PixelGrid {
public:
    // `scale` is the device pixel ratio (1 when the screen is not scaled), `origin` the
    // screen's top left corner, which is the same point in both coordinate systems.
    explicit PixelGrid(double scale = 1.0, QPoint origin = {});

    double Scale() const { return FScale; }
    bool Exact() const { return FScale == 1.0; }

    int PhysicalX(int logicalX) const;
    int PhysicalY(int logicalY) const;
    int PhysicalLength(int logical) const;
    // A logical window geometry in screen pixels.
    TRect ToPhysical(const QRect& logical) const;

    // The logical coordinate or length whose physical value lies nearest to `physical` (the
    // smaller one of two as near).
    int LogicalX(int physicalX) const;
    int LogicalY(int physicalY) const;
    int LogicalLength(int physical) const;
    // A logical point in physical pixels, not rounded (an input position between pixels).
    QPointF PhysicalPoint(QPointF logical) const;

    // The physical pixels touched by a logical rectangle or region, and the logical area whose
    // physical pixels include every pixel of a physical region. Both round outwards, so that
    // the result covers all of what it was given, also at fractional scales such as 1.5.
    QRect CoverPhysical(const QRect& logical) const;
    QRegion CoverPhysical(const QRegion& logical) const;
    QRect CoverLogical(const QRect& physical) const;
    QRegion CoverLogical(const QRegion& physical) const;

    // Whether some logical length has exactly this physical length.
    bool OnGrid(int physical) const { return PhysicalLength(LogicalLength(physical)) == physical; }
    // The smallest logical length that is at least `physical` physical pixels long.
    int LogicalLengthAtLeast(int physical) const;

private:
    int Nearest(int physical, int origin) const;

    double FScale;
    QPoint FOrigin;
};

}  // namespace dravemo
