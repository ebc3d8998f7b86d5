// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QtCore/qnamespace.h>

#include <cstdint>
#include <vector>

#include "capture/PixelGrid.h"
#include "capture/TRect.h"
#include "platform/ScreenSource.h"

namespace dravemo {

// A size in pixels.
struct TSize {
    int32_t Width = 0;
    int32_t Height = 0;
    constexpr bool operator==(const TSize&) const = default;
};

// The region frame's geometry in physical pixels: a border of kRegionBorder pixels around the
// region and a header of `header` pixels above it.
inline constexpr int kRegionBorder = 6;
// The region's smallest size in either dimension.
inline constexpr int kRegionMinimum = 2;
// Neither window coordinates nor sizes go beyond what the X protocol carries.
inline constexpr int kRegionCoordinateLimit = 32767;
// The region sizes of the three size presets before the user changes them, presets 1 to 3.
inline constexpr TSize kPresetDefaults[] = {{320, 240}, {640, 480}, {720, 480}};

// The region inside a window at `window` whose header is `header` pixels high.
TRect RegionOfWindow(const TRect& window, int header);
// The window size around a region of `width` x `height`, within the size limits.
TSize WindowSizeOfRegion(int width, int height, int header);
// A window size made to obey the size limits: a region of at least 2 x 2 and a window no
// larger than the coordinate limit.
TSize LimitWindowSize(TSize size, int header);
// A window position kept inside the coordinate range.
TPoint LimitWindowPosition(TPoint position);

// Where a mouse press on the frame window's border acts (the system's hit-test codes).
enum THitZone : int {
    htNowhere = 0,
    htClient = 1,
    htCaption = 2,
    htLeft = 10,
    htRight = 11,
    htTop = 12,
    htTopLeft = 13,
    htTopRight = 14,
    htBottom = 15,
    htBottomLeft = 16,
    htBottomRight = 17,
};
// The zone of the client point (x, y) of a window of `width` x `height` whose header is
// `header` pixels high; the comparisons are strict, so the left zone is 6 pixels wide and
// the right and bottom zones 5. Points outside the window are htNowhere.
THitZone HitTest(int x, int y, int width, int height, int header);
// The window edges a resize zone moves; none for the caption and for nowhere.
Qt::Edges ZoneEdges(THitZone zone);

// Which header parts a window of this physical width shows.
struct THeaderParts {
    bool RecordingTime = false;
    bool CloseButton = false;
    bool SizeLabel = false;
    bool operator==(const THeaderParts&) const = default;
};
THeaderParts VisibleHeaderParts(int windowWidth);

// The stored placement: `left`, `top` of the window and the region's `width`, `height`.
struct TStoredPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TStoredPlacement&) const = default;
};
// The placement of a first start: a 480 x 360 region, the window's corner placed as if that
// region were centred on the primary monitor.
TStoredPlacement DefaultPlacement(const std::vector<Monitor>& monitors);
// Whether a stored placement may be used: the rectangle (left, top, left + width,
// top + height) lies strictly inside the desktop, touching no edge, and holds a region of at
// least the smallest size.
bool PlacementInsideDesktop(const TStoredPlacement& placement,
                            const std::vector<Monitor>& monitors);

// Whether the window system keeps a frame window `logical` pixels long at exactly its
// scaled length, with the border strips on its far side whole: Qt publishes its one-pixel
// logical step, scaled and rounded, as the window's resize increment, which the window
// manager applies to every size; and only some physical lengths are scaled logical lengths.
bool KeptWindowLength(const PixelGrid& grid, int logical);
// The kept logical length nearest to `logical`, preferring the smaller one; at least `minimum`.
int NearestKeptLength(const PixelGrid& grid, int logical, int minimum);
// The kept logical length that steps `physicalDelta` physical pixels (about) from `logical`,
// at least one kept length in the step's direction.
int StepKeptLength(const PixelGrid& grid, int logical, int physicalDelta, int minimum);
// The logical coordinate (x, or y when `vertical`) that moves `physicalDelta` physical pixels
// (about) from `logical`, at least one logical pixel in the step's direction.
int StepCoordinate(const PixelGrid& grid, bool vertical, int logical, int physicalDelta);

}  // namespace dravemo
