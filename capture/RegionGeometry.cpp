// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/RegionGeometry.h"

#include <algorithm>
#include <cstdlib>

#include "capture/ScreenLayout.h"

namespace dravemo {

namespace {
int Clamp(int64_t value, int64_t low, int64_t high) {
    return static_cast<int>(std::clamp(value, low, high));
}
}  // namespace

TRect RegionOfWindow(const TRect& window, int header) {
    return TRect{window.Left + kRegionBorder, window.Top + header + kRegionBorder,
                 window.Right - kRegionBorder, window.Bottom - kRegionBorder};
}

TSize LimitWindowSize(TSize size, int header) {
    const int64_t minWidth = kRegionMinimum + 2 * kRegionBorder;
    const int64_t minHeight = int64_t{header} + kRegionMinimum + 2 * kRegionBorder;
    return TSize{
        Clamp(size.Width, minWidth, std::max<int64_t>(minWidth, kRegionCoordinateLimit)),
        Clamp(size.Height, minHeight, std::max<int64_t>(minHeight, kRegionCoordinateLimit))};
}

TSize WindowSizeOfRegion(int width, int height, int header) {
    const auto limit = [](int64_t v) {
        return Clamp(v, -kRegionCoordinateLimit, kRegionCoordinateLimit);
    };
    return LimitWindowSize({limit(int64_t{width} + 2 * kRegionBorder),
                            limit(int64_t{height} + header + 2 * kRegionBorder)},
                           header);
}

TPoint LimitWindowPosition(TPoint position) {
    return TPoint{Clamp(position.X, -kRegionCoordinateLimit, kRegionCoordinateLimit),
                  Clamp(position.Y, -kRegionCoordinateLimit, kRegionCoordinateLimit)};
}

THitZone HitTest(int x, int y, int width, int height, int header) {
    if (x < 0 || y < 0 || x >= width || y >= height) return htNowhere;
    const bool left = x < kRegionBorder;
    const bool right = x > width - kRegionBorder;
    if (y < header + kRegionBorder) return left ? htTopLeft : right ? htTopRight : htTop;
    if (y > height - kRegionBorder) return left ? htBottomLeft : right ? htBottomRight : htBottom;
    return left ? htLeft : right ? htRight : htCaption;
}

Qt::Edges ZoneEdges(THitZone zone) {
    switch (zone) {
        case htLeft:
            return Qt::LeftEdge;
        case htRight:
            return Qt::RightEdge;
        case htTop:
            return Qt::TopEdge;
        case htBottom:
            return Qt::BottomEdge;
        case htTopLeft:
            return Qt::TopEdge | Qt::LeftEdge;
        case htTopRight:
            return Qt::TopEdge | Qt::RightEdge;
        case htBottomLeft:
            return Qt::BottomEdge | Qt::LeftEdge;
        case htBottomRight:
            return Qt::BottomEdge | Qt::RightEdge;
        default:
            return {};
    }
}

THeaderParts VisibleHeaderParts(int windowWidth) {
    return THeaderParts{windowWidth > 292, windowWidth > 112, windowWidth > 64};
}

TStoredPlacement DefaultPlacement(const std::vector<Monitor>& monitors) {
    ScreenRect primary;
    if (!monitors.empty()) primary = monitors.front().Bounds;
    for (const Monitor& m : monitors) {
        if (m.Primary) primary = m.Bounds;
    }
    // Integer division truncates toward zero, also for a monitor narrower than the region.
    return TStoredPlacement{primary.X + (primary.Width - 480) / 2,
                            primary.Y + (primary.Height - 360) / 2, 480, 360};
}

bool PlacementInsideDesktop(const TStoredPlacement& placement,
                            const std::vector<Monitor>& monitors) {
    if (placement.Width < kRegionMinimum || placement.Height < kRegionMinimum) return false;
    const TRect desktop = DesktopBounds(monitors);
    const int64_t right = int64_t{placement.Left} + placement.Width;
    const int64_t bottom = int64_t{placement.Top} + placement.Height;
    return desktop.Left < placement.Left && desktop.Right > right && desktop.Top < placement.Top &&
           desktop.Bottom > bottom;
}

bool KeptWindowLength(const PixelGrid& grid, int logical) {
    const int physical = grid.PhysicalLength(logical);
    const int increment = grid.Exact() ? 1 : std::max(1, qRound(grid.Scale()));
    return physical % increment == 0 && grid.OnGrid(physical - kRegionBorder);
}

int NearestKeptLength(const PixelGrid& grid, int logical, int minimum) {
    logical = std::max(logical, minimum);
    // Kept lengths lie a few logical pixels apart at most.
    for (int distance = 0; distance <= 16; ++distance) {
        if (logical - distance >= minimum && KeptWindowLength(grid, logical - distance)) {
            return logical - distance;
        }
        if (KeptWindowLength(grid, logical + distance)) return logical + distance;
    }
    return logical;
}

int StepKeptLength(const PixelGrid& grid, int logical, int physicalDelta, int minimum) {
    if (physicalDelta == 0) return logical;
    const int target = grid.PhysicalLength(logical) + physicalDelta;
    int stepped = std::max(grid.LogicalLength(target), minimum);
    const int direction = physicalDelta > 0 ? 1 : -1;
    if ((stepped - logical) * direction <= 0) stepped = logical + direction;
    // On to the next kept length in the step's direction.
    for (int tries = 0; tries < 16 && stepped >= minimum && !KeptWindowLength(grid, stepped);
         ++tries) {
        stepped += direction;
    }
    return stepped < minimum ? logical : stepped;
}

int StepCoordinate(const PixelGrid& grid, bool vertical, int logical, int physicalDelta) {
    if (physicalDelta == 0) return logical;
    const int physical = vertical ? grid.PhysicalY(logical) : grid.PhysicalX(logical);
    int stepped = vertical ? grid.LogicalY(physical + physicalDelta)
                           : grid.LogicalX(physical + physicalDelta);
    const int direction = physicalDelta > 0 ? 1 : -1;
    if ((stepped - logical) * direction <= 0) stepped = logical + direction;
    return stepped;
}

}  // namespace dravemo
