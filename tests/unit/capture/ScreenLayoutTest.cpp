// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "capture/ScreenLayout.h"

namespace dravemo {
namespace {

// Two monitors side by side, the left one above and left of the primary's corner, both scaled
// by `ratio`: Qt keeps each screen's corner and divides its size.
std::vector<ScreenScale> TwoScreens(double ratio) {
    return {{QRect(-1920, -200, qRound(1920 / ratio), qRound(1080 / ratio)), ratio},
            {QRect(0, 0, qRound(1280 / ratio), qRound(800 / ratio)), ratio}};
}

TEST(ScreenLayout, PointsConvertByTheScreenThatHoldsThem) {
    struct Case {
        double ratio;
        TPoint physical;
        QPoint logical;
    };
    const Case cases[] = {
        {1.0, {-1920, -200}, {-1920, -200}},
        {1.0, {-1, 879}, {-1, 879}},
        {1.0, {0, 0}, {0, 0}},
        {1.0, {1279, 799}, {1279, 799}},
        {1.5, {-1920, -200}, {-1920, -200}},
        {1.5, {-1, 879}, {-641, 519}},
        {1.5, {0, 0}, {0, 0}},
        {1.5, {300, 150}, {200, 100}},
        {1.5, {1279, 799}, {852, 532}},
    };
    const PixelGrid none(3.0, QPoint(7, 7));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.ratio << " at " << c.physical.X << "," << c.physical.Y);
        const auto screens = TwoScreens(c.ratio);
        const PixelGrid grid = GridAtPhysical(screens, c.physical, none);
        EXPECT_EQ(grid.Scale(), c.ratio);
        EXPECT_EQ(QPoint(grid.LogicalX(c.physical.X), grid.LogicalY(c.physical.Y)), c.logical);
        // The logical point finds the same screen, and goes back within a pixel.
        const PixelGrid back = GridAtLogical(screens, c.logical, none);
        EXPECT_NEAR(back.PhysicalX(c.logical.x()), c.physical.X, 1);
        EXPECT_NEAR(back.PhysicalY(c.logical.y()), c.physical.Y, 1);
    }
}

TEST(ScreenLayout, RectanglesScaleAboutTheirScreensCornerNotTheDesktopOrigin) {
    const auto screens = TwoScreens(1.5);
    const PixelGrid left = GridAtLogical(screens, QPoint(-1900, -190), PixelGrid());
    EXPECT_EQ(left.ToPhysical(QRect(-1900, -190, 100, 50)), RectOfSize(-1890, -185, 150, 75));
    // The whole left monitor covers exactly its logical screen, and back.
    EXPECT_EQ(left.CoverLogical(QRect(-1920, -200, 1920, 1080)), QRect(-1920, -200, 1280, 720));
    EXPECT_EQ(left.CoverPhysical(QRect(-1920, -200, 1280, 720)), QRect(-1920, -200, 1920, 1080));
    for (double ratio : {1.0, 1.5}) {
        std::vector<Monitor> monitors;
        for (const ScreenScale& screen : TwoScreens(ratio))
            monitors.push_back({PhysicalArea(screen), false});
        EXPECT_EQ(monitors[0].Bounds.X, -1920);
        EXPECT_EQ(monitors[0].Bounds.Width, 1920);
        EXPECT_EQ(monitors[0].Bounds.Height, 1080);
        EXPECT_EQ(DesktopBounds(monitors), (TRect{-1920, -200, 1280, 880}));
    }
}

TEST(ScreenLayout, APointOnNoScreenGetsTheFallback) {
    const PixelGrid fallback(2.0, QPoint(5, 5));
    const auto screens = TwoScreens(1.5);
    EXPECT_EQ(GridAtPhysical(screens, {-500, 900}, fallback).Scale(), 2.0);
    EXPECT_EQ(GridAtLogical(screens, QPoint(-600, 10), fallback).Scale(), 2.0);
    EXPECT_EQ(GridAtPhysical({}, {0, 0}, fallback).Scale(), 2.0);
}

TEST(PixelGrid, CoversRoundOutwardsAndKeepExactEdges) {
    const PixelGrid local(1.5);
    EXPECT_EQ(local.CoverPhysical(QRect(1, 1, 1, 1)), QRect(1, 1, 2, 2));
    EXPECT_EQ(local.CoverLogical(QRect(1, 1, 1, 1)), QRect(0, 0, 2, 2));
    EXPECT_EQ(local.CoverLogical(QRect(0, 0, 300, 300)), QRect(0, 0, 200, 200));
    const QRegion twoPixels = QRegion(QRect(0, 0, 1, 1)) + QRegion(QRect(5, 5, 1, 1));
    EXPECT_EQ(local.CoverPhysical(twoPixels).boundingRect(), QRect(0, 0, 9, 9));
    EXPECT_EQ(local.PhysicalPoint(QPointF(3.0, -2.0)), QPointF(4.5, -3.0));
    EXPECT_EQ(PixelGrid(1.0).CoverLogical(QRect(-3, 4, 5, 6)), QRect(-3, 4, 5, 6));
}

}  // namespace
}  // namespace dravemo
