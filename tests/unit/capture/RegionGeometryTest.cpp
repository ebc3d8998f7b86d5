// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <climits>

#include "capture/RegionGeometry.h"
#include "capture/ScreenLayout.h"

namespace dravemo {
namespace {

TEST(RegionGeometry, RegionAndWindowAreSixPixelsApartBesidesTheHeader) {
    // A 492 x 397 window at (100, 50) with a 25-pixel header holds a 480 x 360 region.
    EXPECT_EQ(RegionOfWindow(RectOfSize(100, 50, 492, 397), 25), RectOfSize(106, 81, 480, 360));
    EXPECT_EQ(RegionOfWindow(RectOfSize(-1900, -30, 492, 410), 38),
              RectOfSize(-1894, 14, 480, 360));
    EXPECT_EQ(WindowSizeOfRegion(480, 360, 25), (TSize{492, 397}));
    EXPECT_EQ(WindowSizeOfRegion(480, 360, 38), (TSize{492, 410}));
}

TEST(RegionGeometry, SizesStayBetweenTheSmallestRegionAndTheCoordinateLimit) {
    struct Case {
        int width, height;
        TSize window;
    };
    for (const Case& c : {Case{2, 2, {14, 39}}, Case{1, 0, {14, 39}}, Case{-50, -7, {14, 39}},
                          Case{INT_MAX, INT_MAX, {32767, 32767}}, Case{INT_MIN, INT_MIN, {14, 39}},
                          Case{32755, 32730, {32767, 32767}}, Case{32756, 10, {32767, 47}}}) {
        EXPECT_EQ(WindowSizeOfRegion(c.width, c.height, 25), c.window)
            << c.width << " x " << c.height;
    }
    EXPECT_EQ(LimitWindowSize({13, 38}, 25), (TSize{14, 39}));
    EXPECT_EQ(LimitWindowPosition({INT_MIN, INT_MAX}), (TPoint{-32767, 32767}));
    EXPECT_EQ(LimitWindowPosition({-1920, 1080}), (TPoint{-1920, 1080}));
}

TEST(RegionGeometry, HitTestZonesUseStrictComparisons) {
    // A 200 x 150 window with a 25-pixel header: the top zone is the strip y 25 ... 30 below it.
    struct Case {
        int x, y;
        THitZone zone;
    };
    const Case cases[] = {
        {0, 25, htTopLeft},        {5, 30, htTopLeft},    {6, 30, htTop},
        {194, 30, htTop},          {195, 30, htTopRight}, {199, 25, htTopRight},
        {100, 31, htCaption},      {0, 31, htLeft},       {5, 100, htLeft},
        {6, 100, htCaption},       {194, 100, htCaption}, {195, 100, htRight},
        {100, 144, htCaption},     {100, 145, htBottom},  {5, 145, htBottomLeft},
        {195, 149, htBottomRight}, {0, 0, htTopLeft},     {100, 10, htTop},
        {-1, 100, htNowhere},      {200, 100, htNowhere}, {100, 150, htNowhere},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HitTest(c.x, c.y, 200, 150, 25), c.zone) << c.x << ", " << c.y;
    }
    EXPECT_EQ(ZoneEdges(htTopLeft), Qt::TopEdge | Qt::LeftEdge);
    EXPECT_EQ(ZoneEdges(htBottomRight), Qt::BottomEdge | Qt::RightEdge);
    EXPECT_EQ(ZoneEdges(htRight), Qt::RightEdge);
    EXPECT_EQ(ZoneEdges(htCaption), Qt::Edges());
}

TEST(RegionGeometry, HeaderPartsDisappearAtTheirWidths) {
    struct Case {
        int width;
        THeaderParts parts;
    };
    for (const Case& c : {Case{293, {true, true, true}}, Case{292, {false, true, true}},
                          Case{113, {false, true, true}}, Case{112, {false, false, true}},
                          Case{65, {false, false, true}}, Case{64, {false, false, false}},
                          Case{14, {false, false, false}}}) {
        EXPECT_EQ(VisibleHeaderParts(c.width), c.parts) << c.width;
    }
}

// Two monitors: a 1920 x 1080 one left of and above the primary 1280 x 800 one at the origin.
const std::vector<Monitor> kTwoMonitors = {{{-1920, -200, 1920, 1080}, false},
                                           {{0, 0, 1280, 800}, true}};

TEST(RegionGeometry, TheDefaultIsCentredOnThePrimaryMonitor) {
    EXPECT_EQ(DefaultPlacement({{{0, 0, 1280, 800}, true}}),
              (TStoredPlacement{400, 220, 480, 360}));
    EXPECT_EQ(DefaultPlacement(kTwoMonitors), (TStoredPlacement{400, 220, 480, 360}));
    // A primary monitor away from the origin; one narrower than the region (division toward zero).
    EXPECT_EQ(DefaultPlacement({{{0, 0, 800, 600}, false}, {{-1024, -768, 1024, 768}, true}}),
              (TStoredPlacement{-752, -564, 480, 360}));
    EXPECT_EQ(DefaultPlacement({{{0, 0, 301, 200}, true}}), (TStoredPlacement{-89, -80, 480, 360}));
    EXPECT_EQ(DesktopBounds(kTwoMonitors), (TRect{-1920, -200, 1280, 880}));
}

TEST(RegionGeometry, AStoredRegionIsKeptOnlyStrictlyInsideTheDesktop) {
    struct Case {
        const char* what;
        TStoredPlacement placement;
        bool kept;
    };
    const Case cases[] = {
        {"inside the primary monitor", {100, 50, 200, 120}, true},
        {"on the monitor left of the origin", {-1900, -150, 640, 480}, true},
        {"spanning both monitors", {-100, 10, 300, 300}, true},
        {"touching the left edge", {-1920, 0, 200, 100}, false},
        {"touching the top edge", {10, -200, 200, 100}, false},
        {"touching the right edge", {1080, 0, 200, 100}, false},
        {"touching the bottom edge", {-1000, 780, 200, 100}, false},
        {"one pixel inside every edge", {-1919, -199, 3198, 1078}, true},
        {"beyond the right edge", {1200, 100, 200, 100}, false},
        {"where a removed monitor was", {1400, 100, 300, 200}, false},
        {"no width", {100, 100, 0, 100}, false},
        {"a negative height", {100, 100, 100, -50}, false},
        {"sizes that overflow", {100, 100, INT_MAX, INT_MAX}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlacementInsideDesktop(c.placement, kTwoMonitors), c.kept) << c.what;
    }
    EXPECT_FALSE(PlacementInsideDesktop({1, 1, 10, 10}, {})) << "no monitor at all";
    // With a single monitor at the origin, a window at left 0 is on the edge.
    EXPECT_FALSE(PlacementInsideDesktop({0, 100, 480, 360}, {{{0, 0, 1280, 800}, true}}));
}

}  // namespace
}  // namespace dravemo
