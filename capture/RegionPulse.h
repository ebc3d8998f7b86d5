// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace dravemo {

// A colour 0x00BBGGRR with each of red, green and blue reduced by `percent` percent of itself,
// rounded to the nearest (halves away from zero); a channel never leaves 0 ... 255.
uint32_t DarkenColor(uint32_t color, int percent);

// The region frame's pulsing border colour: every tick gives the base colour darkened by the
// current percentage, which runs 0, 5, ..., 45 and back down to 0 in steps of 5, so that the
// colour comes back every 18 ticks.
struct TAreaPulse {
    uint32_t AreaColor = 0x0000FF;
    uint8_t AreaColor_Percent = 0;
    bool AreaColor_Inc = true;

    // The colour of this tick; moves the percentage on.
    uint32_t Tick();
    void Reset(uint32_t color);
};

// The red, green and blue parts of a colour 0x00BBGGRR.
constexpr int RedOf(uint32_t color) { return static_cast<int>(color & 0xFF); }
constexpr int GreenOf(uint32_t color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int BlueOf(uint32_t color) { return static_cast<int>((color >> 16) & 0xFF); }

}  // namespace dravemo
