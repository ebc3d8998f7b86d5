// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "capture/DragSelection.h"

namespace dravemo {
namespace {

TEST(DragDarkening, IsSixtyPercentRounded) {
    struct Case {
        uint8_t in, out;
    };
    // 60 % of b, rounded half up: 1 -> 0.6 -> 1, 2 -> 1.2 -> 1, 254 -> 152.4, 255 -> 153.
    const Case cases[] = {{0, 0}, {1, 1},    {2, 1},     {3, 2},
                          {5, 3}, {128, 77}, {254, 152}, {255, 153}};
    for (const Case& c : cases) EXPECT_EQ(Darken(c.in), c.out) << int(c.in);
}

TEST(DragNormalizeRect, EveryDirectionGivesTheSameRectangleWithAnExclusiveEnd) {
    struct Case {
        const char* name;
        TPoint from, to;
    };
    const Case cases[] = {
        {"down right", {10, 10}, {20, 25}},
        {"up left", {20, 25}, {10, 10}},
        {"down left", {20, 10}, {10, 25}},
        {"up right", {10, 25}, {20, 10}},
    };
    for (const Case& c : cases) {
        const TRect r = NormalizeRect(c.from, c.to);
        EXPECT_EQ(r, (TRect{10, 10, 20, 25})) << c.name;
        // 10 x 15 pixels: (19, 24) is the last one in, (20, 25) is out.
        EXPECT_EQ(r.Width(), 10) << c.name;
        EXPECT_TRUE(r.Contains(19, 24)) << c.name;
        EXPECT_FALSE(r.Contains(20, 24)) << c.name;
    }
    EXPECT_TRUE(NormalizeRect({7, 3}, {7, 40}).IsEmpty());
    EXPECT_TRUE(NormalizeRect({7, 3}, {7, 3}).IsEmpty());
}

// A 5 x 3 picture whose every byte differs: the selection's pixels stay, all others darken,
// the fourth byte is kept.
TEST(DragComposition, DarkensEveryByteOutsideTheSelectionOnly) {
    TBitmap frozen(5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            uint8_t* p = frozen.ScanLine(y) + x * 4;
            for (int c = 0; c < 4; ++c) p[c] = static_cast<uint8_t>(200 + 17 * (y * 5 + x) + c);
        }
    }
    struct Case {
        const char* name;
        TRect selection;
        TRect bright;  // what stays undarkened
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"inner", {1, 1, 3, 2}, {1, 1, 3, 2}},
        {"whole", {0, 0, 5, 3}, {0, 0, 5, 3}},
        {"beyond the edges", {-4, 2, 9, 8}, {0, 2, 5, 3}},
    };
    for (const Case& c : cases) {
        TBitmap picture;
        ComposeSelection(frozen, c.selection, picture);
        ASSERT_EQ(picture.Width(), 5);
        ASSERT_EQ(picture.Height(), 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 5; ++x) {
                const uint8_t* in = frozen.ScanLine(y) + x * 4;
                const uint8_t* out = picture.ScanLine(y) + x * 4;
                const bool bright = c.bright.Contains(x, y);
                for (int b = 0; b < 3; ++b) {
                    EXPECT_EQ(out[b], bright ? in[b] : Darken(in[b]))
                        << c.name << " at " << x << "," << y << " byte " << b;
                }
                EXPECT_EQ(out[3], in[3]) << c.name;
            }
        }
    }
}

TEST(DragComposition, ChangedAreaIsWhatLiesInExactlyOneSelection) {
    const QRegion grown = ChangedArea({10, 10, 20, 20}, {10, 10, 30, 25});
    EXPECT_EQ(grown, QRegion(10, 10, 20, 15) - QRegion(10, 10, 10, 10));
    EXPECT_EQ(ChangedArea({}, {5, 5, 8, 9}), QRegion(5, 5, 3, 4));
    EXPECT_EQ(ChangedArea({5, 5, 8, 9}, {5, 5, 5, 9}), QRegion(5, 5, 3, 4));
    EXPECT_TRUE(ChangedArea({5, 5, 8, 9}, {5, 5, 8, 9}).isEmpty());
}

}  // namespace
}  // namespace dravemo
