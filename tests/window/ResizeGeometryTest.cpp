// The resizer's arithmetic: each positional rule and resize bit applied to
// one control in a parent that grew, with the decimals the rules produce.
#include <gtest/gtest.h>

#include "window/ResizeGeometry.h"
#include "window/ResizeStrategy.h"

namespace {

// A parent of 200 x 100 at (10, 20) grown to 300 x 150 (scale 1.5 both
// ways); the control sits at (50, 30), 40 x 10, i.e. 40 from the parent's
// left and 10 from its top.
const PositionGroup kParentOrig{10, 20, 200, 100};
const PositionGroup kParentNow{10, 20, 300, 150};
const PositionGroup kControl{50, 30, 40, 10};

struct Case {
    const char* what;
    int positional;
    int resize;
    PositionGroup expected;
};

}  // namespace

TEST(ResizeGeometryTest, EachRuleAndBitPlacesTheControlAsDescribed) {
    const Case cases[] = {
        {"proportional, scaled", 0, 0, {10 + 60, 20 + 15, 60, 15}},
        {"absolute, size locked", 257, 3, {50, 30, 40, 10}},
        {"fix left and top", 1028, 3, {50, 30, 40, 10}},
        // Distance to the right edge 160, scaled to 240: 10 + 300 - 240 (with an
        // exact scale the same place as proportional).
        {"fix right, scaled", 2, 0, {70, 35, 60, 15}},
        // Unscaled when the width is locked: 10 + 300 - 160.
        {"fix right, width locked", 2 | 512, 3, {150, 20 + 150 - 90, 40, 10}},
        // Offset from the centre -60 (x 1.5 = -90) from the new centre 160.
        {"fix centre, scaled", 8, 0, {10 + 150 - 90, 35, 60, 15}},
        {"fix centre, locked", 8 | 2048, 3, {10 + 150 - 60, 20 + 75 - 40, 40, 10}},
        // Nearest edge: 40 from the left is nearer than 120 from the right.
        {"nearest edge is the left", 16 | 4096, 3, {50, 30, 40, 10}},
        // The centre moved by 50 and 25.
        {"follow the centre unscaled", 32 | 8192, 3, {100, 55, 40, 10}},
        // Right and bottom edges keep their distances: widths grow by 100 and 50.
        {"edges follow", 1028, 12, {50, 30, 140, 60}},
        // Half as much: 50 and 25.
        {"edges follow half", 1028, 48, {50, 30, 90, 35}},
        // Following wins over locking.
        {"follow beats lock; height scaled", 1028, 1 | 4, {50, 30, 140, 15}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComputeNewPosition(c.positional, c.resize, kParentOrig, kControl, kParentNow),
                  c.expected)
            << c.what;
    }
}

TEST(ResizeGeometryTest, NearestEdgeKeepsTheRightDistanceOfAControlNearTheRight) {
    // 150 from the left, 10 from the right: stays 10 from the right edge.
    PositionGroup button{160, 100, 40, 14};
    PositionGroup parentOrig{0, 0, 200, 120}, parentNow{0, 0, 300, 120};
    EXPECT_EQ(ComputeNewPosition(4112, 3, parentOrig, button, parentNow),
              (PositionGroup{260, 100, 40, 14}));
    // Equal distances count as nearer the right.
    PositionGroup middle{80, 0, 40, 14};
    EXPECT_EQ(ComputeNewPosition(16, 3, parentOrig, middle, parentNow).XPos, 180);
}

TEST(ResizeGeometryTest, ScalesKeepFourPlacesAndResultsDropTheFraction) {
    EXPECT_EQ(ScaleOf(300, 200), 15000);
    EXPECT_EQ(ScaleOf(200, 300), 6667);  // 0.66666 rounds up
    EXPECT_EQ(ScaleOf(196, 96), 20417);  // 2.041666
    EXPECT_EQ(ScaleOf(100, 0), 10000);   // a parent without size is not scaled
    // 250 / 150 = 1.6667: offset 6 gives 10.0002 and width 100 gives 166.67.
    PositionGroup parentOrig{4, 4, 150, 100}, parentNow{4, 4, 250, 100};
    PositionGroup entry{10, 24, 100, 12};
    EXPECT_EQ(ComputeNewPosition(1024, 2, parentOrig, entry, parentNow),
              (PositionGroup{14, 24, 166, 12}));
    // Shrinking cuts toward zero too: 100 x 0.6667 = 66.67.
    EXPECT_EQ(ComputeNewPosition(0, 0, {0, 0, 300, 300}, {30, 30, 100, 100}, {0, 0, 200, 200}),
              (PositionGroup{20, 20, 66, 66}));
}

TEST(ResizeGeometryTest, AParentWithoutSizeDoesNotDivideByZero) {
    PositionGroup moved = ComputeNewPosition(0, 0, {0, 0, 0, 0}, {5, 5, 10, 10}, {0, 0, 50, 50});
    EXPECT_EQ(moved, (PositionGroup{5, 5, 10, 10}));
}

TEST(ResizeGeometryTest, DefaultStrategiesFollowTheApplicationStrategy) {
    struct Row {
        int app, type, positional, resize;
    };
    const Row rows[] = {
        {1, 9, 4112, 3},  {1, 8, 0, 2},      {1, 14, 0, 0},     {2, 8, 1024, 2},
        {2, 10, 1024, 2}, {2, 14, 1028, 12}, {2, 13, 1028, 12}, {2, 37, 1028, 12},
        {2, 9, 4112, 3},  {2, 12, 4112, 3},  {2, 17, 0, 0},     {3, 14, 257, 3},
        {4, 8, 1028, 6},  {4, 17, 1028, 12}, {4, 2, 1028, 3},   {5, 9, 2056, 3},
        {6, 8, 0, 0},     {0, 9, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(DefaultPositionStrategy(r.type, r.app), r.positional)
            << "app " << r.app << " type " << r.type;
        EXPECT_EQ(DefaultResizeStrategy(r.type, r.app), r.resize)
            << "app " << r.app << " type " << r.type;
    }
}
