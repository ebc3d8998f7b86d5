// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/DragSelection.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace dravemo {

namespace {

// Darkens `count` pixels of 32 bits from `source` into `target`.
void DarkenPixels(const uint8_t* source, uint8_t* target, int count) {
    for (int i = 0; i < count; ++i, source += 4, target += 4) {
        target[0] = Darken(source[0]);
        target[1] = Darken(source[1]);
        target[2] = Darken(source[2]);
        target[3] = source[3];
    }
}

}  // namespace

TRect NormalizeRect(TPoint p1, TPoint p2) {
    return TRect{std::min(p1.X, p2.X), std::min(p1.Y, p2.Y), std::max(p1.X, p2.X),
                 std::max(p1.Y, p2.Y)};
}

void ComposeSelection(const TBitmap& frozen, const TRect& selection, TBitmap& picture) {
    if (frozen.PixelFormat() != TPixelFormat::pf32bit) {
        throw std::invalid_argument("The frozen desktop must have 32 bits per pixel.");
    }
    if (picture.PixelFormat() != TPixelFormat::pf32bit || picture.Width() != frozen.Width() ||
        picture.Height() != frozen.Height()) {
        picture = TBitmap(frozen.Width(), frozen.Height());
    }
    const TRect inside = Intersect(selection, RectOfSize(0, 0, frozen.Width(), frozen.Height()));
    for (int y = 0; y < frozen.Height(); ++y) {
        const uint8_t* source = frozen.ScanLine(y);
        uint8_t* target = picture.ScanLine(y);
        if (inside.IsEmpty() || y < inside.Top || y >= inside.Bottom) {
            DarkenPixels(source, target, frozen.Width());
            continue;
        }
        DarkenPixels(source, target, inside.Left);
        std::memcpy(target + inside.Left * 4, source + inside.Left * 4,
                    static_cast<size_t>(inside.Width()) * 4);
        DarkenPixels(source + inside.Right * 4, target + inside.Right * 4,
                     frozen.Width() - inside.Right);
    }
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

QRegion ChangedArea(const TRect& before, const TRect& after) {
    const QRegion a = before.IsEmpty() ? QRegion() : QRegion(ToQRect(before));
    const QRegion b = after.IsEmpty() ? QRegion() : QRegion(ToQRect(after));
    return a.xored(b);
}

TBitmap CopyRect(const TBitmap& frozen, const TRect& rect) {
    if (frozen.PixelFormat() != TPixelFormat::pf32bit || rect.IsEmpty() ||
        Intersect(rect, RectOfSize(0, 0, frozen.Width(), frozen.Height())) != rect) {
        throw std::invalid_argument("The selection must lie inside the frozen desktop.");
    }
    TBitmap result(rect.Width(), rect.Height());
    for (int y = 0; y < result.Height(); ++y) {
        std::memcpy(result.ScanLine(y), frozen.ScanLine(rect.Top + y) + rect.Left * 4,
                    static_cast<size_t>(result.Width()) * 4);
    }
    return result;
}

}  // namespace dravemo
