// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace dravemo {

// A screen rectangle in physical pixels of the virtual screen; may be negative on monitors left
// of or above the primary one. Right and Bottom are exclusive.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    constexpr int32_t Width() const { return Right - Left; }
    constexpr int32_t Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int32_t x, int32_t y) const {
        return x >= Left && x < Right && y >= Top && y < Bottom;
    }
    constexpr bool operator==(const TRect&) const = default;
};

// A screen point in physical pixels.
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    constexpr bool operator==(const TPoint&) const = default;
};

// Builds a rectangle from its position and size.
constexpr TRect RectOfSize(int32_t left, int32_t top, int32_t width, int32_t height) {
    return TRect{left, top, left + width, top + height};
}

// The intersection of two rectangles; empty (all zero) when they do not overlap.
constexpr TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
            a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    return r.IsEmpty() ? TRect{} : r;
}

}  // namespace dravemo
