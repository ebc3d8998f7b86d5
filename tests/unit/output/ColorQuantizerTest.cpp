// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "output/ColorQuantizer.h"

namespace dravemo {
namespace {

int BruteForceDistance(const std::vector<TPaletteEntry>& palette, int r, int g, int b) {
    int best = std::numeric_limits<int>::max();
    for (const TPaletteEntry& e : palette) {
        const int d =
            (r - e.Red) * (r - e.Red) + (g - e.Green) * (g - e.Green) + (b - e.Blue) * (b - e.Blue);
        best = std::min(best, d);
    }
    return best;
}

// The cell shortcut must find a truly nearest colour for every query, also for palettes
// clustered in one corner of the cube (where most cells are far from every entry).
TEST(NearestColourFinderTest, FindsTheNearestPaletteColour) {
    std::mt19937 random(7);
    for (int size : {1, 2, 17, 256}) {
        for (int spread : {256, 24}) {
            std::vector<TPaletteEntry> palette;
            for (int i = 0; i < size; ++i) {
                palette.push_back({uint8_t(random() % spread), uint8_t(random() % spread),
                                   uint8_t(random() % spread), 0});
            }
            NearestColourFinder finder(palette);
            for (int q = 0; q < 20000; ++q) {
                const int r = int(random() % 256), g = int(random() % 256), b = int(random() % 256);
                const TPaletteEntry& e = palette[finder.Find(r, g, b)];
                const int d = (r - e.Red) * (r - e.Red) + (g - e.Green) * (g - e.Green) +
                              (b - e.Blue) * (b - e.Blue);
                ASSERT_EQ(d, BruteForceDistance(palette, r, g, b))
                    << size << " " << spread << " " << r << "," << g << "," << b;
            }
        }
    }
}

}  // namespace
}  // namespace dravemo
