// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

#include "capture/TRect.h"

namespace dravemo {

// How Qt's logical pixels of one screen land on the screen's physical pixels: a coordinate
// is the screen origin plus the rounded scaled distance from it, a length the rounded scaled
// length, as the window system layer places windows. Between them lie the conversions of
// lengths the program gives in physical pixels (the region frame's border, its key steps)
// into the logical units its windows are laid out in.
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
