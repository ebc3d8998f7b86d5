// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QRegion>
#include <cstdint>
#include <vector>

#include "capture/TBitmap.h"
#include "capture/TRect.h"
#include "platform/ScreenSource.h"

namespace dravemo {

// The pixel rules of the drag selection overlay: how the frozen desktop is darkened around the
// selection, how a drag becomes a rectangle, and which pixels change when the selection does.

// One colour byte outside the selection: 60 % of its value, rounded.
constexpr uint8_t Darken(uint8_t b) {
    return static_cast<uint8_t>((uint32_t{b} * 19660 + 16384) >> 15);
}

// The rectangle between two drag points; the end point is exclusive, so a drag from (10, 10) to
// (20, 20) selects the 10 x 10 pixels (10, 10) to (19, 19), whichever way it went.
TRect NormalizeRect(TPoint p1, TPoint p2);

// The picture the overlay shows, made in one pass: `frozen` (32 bits) copied into `picture`
// with the B, G and R bytes of every pixel outside `selection` darkened; the fourth byte is
// copied as it is. With an empty selection this is the darkened copy of the whole desktop.
void ComposeSelection(const TBitmap& frozen, const TRect& selection, TBitmap& picture);

// The pixels whose colour differs between the pictures of two selections: those inside exactly
// one of them.
QRegion ChangedArea(const TRect& before, const TRect& after);

// The selection's pixels of the frozen desktop, as a new 32-bit bitmap; `rect` must lie inside.
TBitmap CopyRect(const TBitmap& frozen, const TRect& rect);

QRect ToQRect(const TRect& r);

}  // namespace dravemo
