// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <vector>

#include "capture/RegionPulse.h"

namespace dravemo {
namespace {

TEST(DarkenColor, EachChannelLosesItsRoundedShare) {
    // Red 255: 5 % is 12.75, taken as 13; 30 % is 76.5, taken as 77.
    EXPECT_EQ(DarkenColor(0x0000FF, 0), 0x0000FFu);
    EXPECT_EQ(DarkenColor(0x0000FF, 5), 242u);
    EXPECT_EQ(DarkenColor(0x0000FF, 30), 178u);
    // Channels apart: 0x00BBGGRR with R 10, G 101, B 200 at 25 %: 10 - 3 (2.5 up), 101 - 25
    // (25.25 down), 200 - 50.
    EXPECT_EQ(DarkenColor(0x00C8650A, 25), (150u << 16) | (76u << 8) | 7u);
    EXPECT_EQ(DarkenColor(0x00FFFFFF, 100), 0u);
    // Percentages outside 0 ... 100 keep every channel within a byte.
    EXPECT_EQ(DarkenColor(0x00FFFFFF, 250), 0u);
    EXPECT_EQ(DarkenColor(0x00804020, -100), 0x00FF8040u);
    EXPECT_EQ(DarkenColor(0x00FFFFFF, -100), 0x00FFFFFFu);
    EXPECT_EQ(DarkenColor(0xFF0000FF, 0), 0x0000FFu) << "the byte above blue is no colour";
}

TEST(AreaPulse, RedRunsDownAndBackEvery18Ticks) {
    TAreaPulse pulse;
    pulse.Reset(0x0000FF);
    std::vector<int> reds;
    for (int tick = 0; tick < 37; ++tick) {
        const uint32_t color = pulse.Tick();
        EXPECT_EQ(color & 0xFFFF00u, 0u) << "green and blue stay 0";
        reds.push_back(RedOf(color));
    }
    const std::vector<int> period = {255, 242, 229, 217, 204, 191, 178, 166, 153,
                                     140, 153, 166, 178, 191, 204, 217, 229, 242};
    EXPECT_EQ(std::vector<int>(reds.begin(), reds.begin() + 18), period);
    EXPECT_EQ(std::vector<int>(reds.begin() + 18, reds.begin() + 36), period);
    EXPECT_EQ(reds[36], 255);
    // A reset starts over from the undarkened colour.
    pulse.Reset(0x0000FF);
    EXPECT_EQ(pulse.Tick(), 0x0000FFu);
    EXPECT_EQ(pulse.AreaColor_Percent, 5);
    EXPECT_TRUE(pulse.AreaColor_Inc);
}

}  // namespace
}  // namespace dravemo
