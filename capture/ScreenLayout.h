// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "capture/PixelGrid.h"
#include "capture/TRect.h"
#include "platform/ScreenSource.h"

namespace dravemo {

// One screen as Qt reports it: its geometry in logical pixels and its device pixel ratio.
// Qt's X11 layer keeps each screen's top left corner at its physical position and scales
// the rest of the screen about that corner, so that physical = corner + (logical - corner) x
// ratio on that screen. Logical layouts of scaled screens therefore may overlap or leave gaps;
// a point is converted by the screen that holds it.
struct ScreenScale {
    QRect Logical;
    double Ratio = 1.0;
};

// The screen's pixel grid, about its corner.
PixelGrid GridOf(const ScreenScale& screen);
// The screen's area in physical pixels.
ScreenRect PhysicalArea(const ScreenScale& screen);
// The grid of the first screen whose physical area holds the point; `fallback` when none does.
PixelGrid GridAtPhysical(const std::vector<ScreenScale>& screens, TPoint physical,
                         const PixelGrid& fallback);
// The grid of the first screen whose logical area holds the point; `fallback` when none does.
PixelGrid GridAtLogical(const std::vector<ScreenScale>& screens, QPoint logical,
                        const PixelGrid& fallback);
// The screens of the running application.
std::vector<ScreenScale> ApplicationScreens();
// The application's screens as monitors in physical pixels.
std::vector<Monitor> ApplicationMonitors();

// The bounding rectangle of all monitors in physical pixels; empty for none. Monitors with a
// negative size count as empty, and the result is kept to what an int32 width can express.
TRect DesktopBounds(const std::vector<Monitor>& monitors);

}  // namespace dravemo
