// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/RegionPulse.h"

#include <algorithm>

namespace dravemo {

namespace {
// a * b / c rounded to the nearest, halves away from zero.
int64_t MulDiv(int64_t a, int64_t b, int64_t c) {
    const int64_t product = a * b;
    const int64_t half = c / 2;
    return product >= 0 ? (product + half) / c : (product - half) / c;
}

uint32_t Darken(int channel, int percent) {
    return static_cast<uint32_t>(
        std::clamp<int64_t>(channel - MulDiv(channel, percent, 100), 0, 255));
}
}  // namespace

uint32_t DarkenColor(uint32_t color, int percent) {
    return Darken(RedOf(color), percent) | (Darken(GreenOf(color), percent) << 8) |
           (Darken(BlueOf(color), percent) << 16);
}

uint32_t TAreaPulse::Tick() {
    const uint32_t color = DarkenColor(AreaColor, AreaColor_Percent);
    if (AreaColor_Percent > 40) AreaColor_Inc = false;
    if (AreaColor_Percent == 0) AreaColor_Inc = true;
    AreaColor_Percent =
        static_cast<uint8_t>(AreaColor_Inc ? AreaColor_Percent + 5 : AreaColor_Percent - 5);
    return color;
}

void TAreaPulse::Reset(uint32_t color) {
    AreaColor = color;
    AreaColor_Percent = 0;
    AreaColor_Inc = true;
}

}  // namespace dravemo
