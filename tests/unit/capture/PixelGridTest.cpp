// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "capture/PixelGrid.h"
#include "capture/RegionGeometry.h"

namespace dravemo {
namespace {

TEST(PixelGrid, AtScaleOneLogicalIsPhysical) {
    const PixelGrid grid(1.0, QPoint(-1920, 0));
    EXPECT_TRUE(grid.Exact());
    for (int v : {-1920, -7, 0, 1, 479, 32767}) {
        EXPECT_EQ(grid.PhysicalX(v), v);
        EXPECT_EQ(grid.LogicalX(v), v);
        EXPECT_EQ(grid.LogicalLength(v), v);
        EXPECT_TRUE(KeptWindowLength(grid, 14 + (v & 0xFF)));
    }
    EXPECT_EQ(grid.ToPhysical(QRect(3, 4, 5, 6)), RectOfSize(3, 4, 5, 6));
}

TEST(PixelGrid, AtOneAndAHalfPositionsAndLengthsRoundAsTheWindowSystemDoes) {
    const PixelGrid grid(1.5);
    // Scaled values, halves away from zero: 67 -> 100.5 -> 101.
    EXPECT_EQ(grid.ToPhysical(QRect(67, 41, 101, 81)), RectOfSize(101, 62, 152, 122));
    EXPECT_EQ(grid.PhysicalLength(25), 38);
    EXPECT_EQ(grid.PhysicalX(-3), -5);
    // Back: the nearest logical value, the smaller of two as near.
    EXPECT_EQ(grid.LogicalX(99), 66);
    EXPECT_EQ(grid.LogicalX(100), 66);
    EXPECT_EQ(grid.LogicalX(101), 67);
    EXPECT_EQ(grid.LogicalLength(6), 4);
    EXPECT_EQ(grid.LogicalLength(44), 29);
    // 1, 4, 7 ... are no scaled length; 14 needs 9 logical pixels (13.5 -> 14).
    EXPECT_FALSE(grid.OnGrid(4));
    EXPECT_TRUE(grid.OnGrid(44));
    EXPECT_EQ(grid.LogicalLengthAtLeast(14), 9);
    EXPECT_EQ(grid.LogicalLengthAtLeast(52), 35);
    // A screen right of another: the grid starts at that screen's corner.
    const PixelGrid right(1.5, QPoint(1280, 0));
    EXPECT_EQ(right.PhysicalX(1280), 1280);
    EXPECT_EQ(right.PhysicalX(1281), 1282);
    EXPECT_EQ(right.LogicalX(1283), 1282);
}

TEST(PixelGrid, KeptLengthsMeetTheResizeIncrementAndLeaveWholeBorders) {
    const PixelGrid grid(1.5);
    // The increment is 2 physical pixels, and the far border's edge must be a scaled length.
    for (int logical = 9; logical < 400; ++logical) {
        const int physical = grid.PhysicalLength(logical);
        EXPECT_EQ(KeptWindowLength(grid, logical), physical % 2 == 0 && grid.OnGrid(physical - 6))
            << logical;
    }
    EXPECT_TRUE(KeptWindowLength(grid, 328));   // 492
    EXPECT_TRUE(KeptWindowLength(grid, 273));   // 410
    EXPECT_FALSE(KeptWindowLength(grid, 330));  // 495: odd
    EXPECT_EQ(NearestKeptLength(grid, 330, 9), 329);
    EXPECT_EQ(NearestKeptLength(grid, 5, 9), 9);
}

TEST(PixelGrid, KeyStepsMoveAtLeastOneLogicalPixelTowardTheirTarget) {
    for (double scale : {1.0, 1.5, 2.0}) {
        const PixelGrid grid(scale);
        for (int start : {100, 101, 102, 103}) {
            const int length = NearestKeptLength(grid, start, 9);
            for (int step : {1, -1, 10, -10}) {
                const int stepped = StepKeptLength(grid, length, step, 9);
                EXPECT_TRUE(KeptWindowLength(grid, stepped))
                    << scale << " " << length << " " << step;
                const int moved = grid.PhysicalLength(stepped) - grid.PhysicalLength(length);
                EXPECT_GT(moved * step, 0) << scale << " " << length << " " << step;
                if (scale == 1.0) {
                    EXPECT_EQ(moved, step);
                }
                // Never more than the step and one kept length on top.
                EXPECT_LE(std::abs(moved), std::abs(step) + 4 * scale) << scale << " " << step;
            }
            const int x = StepCoordinate(grid, false, start, 1);
            EXPECT_EQ(x, start + 1);
            EXPECT_NEAR(grid.PhysicalY(StepCoordinate(grid, true, start, -10)),
                        grid.PhysicalY(start) - 10, scale);
        }
    }
    // The smallest window gets no smaller.
    EXPECT_EQ(StepKeptLength(PixelGrid(1.0), 14, -1, 14), 14);
    EXPECT_EQ(StepKeptLength(PixelGrid(1.5), 9, -10, 9), 9);
}

}  // namespace
}  // namespace dravemo
