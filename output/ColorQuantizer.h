// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "capture/TBitmap.h"

namespace dravemo {

// Reduces a truecolour (24- or 32-bit) bitmap to an 8-bit indexed one with at most
// `maxColours` colours (2 to 256). A bitmap with no more distinct colours than that keeps them
// exactly. Otherwise the palette comes from median cut over the bitmap's colours, each box
// split where it leaves the most squared error, and the pixels are mapped with Floyd-Steinberg
// error diffusion.
TBitmap QuantizeColours(const TBitmap& truecolour, int maxColours = 256);

// Finds the palette colour nearest to any RGB value (squared distance), exactly. The colour
// cube is cut into cells; each cell remembers, on first use, the few entries that can be
// nearest to a point inside it.
class NearestColourFinder {
public:
    explicit NearestColourFinder(std::vector<TPaletteEntry> palette);
    int Find(int red, int green, int blue);

private:
    const std::vector<uint8_t>& Candidates(int cell);
    std::vector<TPaletteEntry> FPalette;
    std::vector<std::vector<uint8_t>> FCells;
    std::vector<bool> FCellReady;
};

}  // namespace dravemo
