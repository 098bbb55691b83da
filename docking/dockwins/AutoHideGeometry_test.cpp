#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "docking/dockwins/AutoHideGeometry.h"

using dockwins::CDockingSide;

namespace {

bool Same(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

::testing::Message Describe(const RECT& r)
{
    return ::testing::Message() << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

} // namespace

TEST(AutoHideGeometryTest, LabelsKeepTheirWidthsWhenTheyFitElseShareTheBar)
{
    struct Case {
        int length;
        std::vector<int> desired;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {200, {50, 60}, {50, 60}},
        {121, {50, 60}, {50, 60}},           // 55 + 65 fill the room of 120 exactly
        {100, {50, 60}, {44, 44}},           // each gets half the room less its gap
        {100, {10, 80}, {10, 79}},           // the narrow label leaves its spare room to the wide one
        {150, {20, 100, 100}, {20, 57, 57}},
        {8, {30, 30}, {0, 0}},               // no room for even a gap: no width at all
        {0, {20}, {0}},
        {100, {}, {}},                       // a bar without labels divides nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(dockwins::AutoHideLabelWidths(c.length, c.desired), c.expected) << "bar of " << c.length;
}

TEST(AutoHideGeometryTest, TopAndBottomBarsLeaveTheCornersToTheSideBars)
{
    struct Case {
        std::array<bool, 4> hasLabels; // bottom, right, top, left
        std::array<RECT, 4> bars;
        RECT client;
    };
    const RECT none = {};
    const Case cases[] = {
        {{true, true, true, true},
         {RECT{24, 276, 376, 300}, RECT{376, 24, 400, 276}, RECT{24, 0, 376, 24}, RECT{0, 24, 24, 276}},
         {24, 24, 376, 276}},
        {{false, false, true, true}, {none, none, RECT{24, 0, 400, 24}, RECT{0, 24, 24, 300}}, {24, 24, 400, 300}},
        {{true, false, false, false}, {RECT{0, 276, 400, 300}, none, none, none}, {0, 0, 400, 276}},
        {{false, false, false, false}, {none, none, none, none}, {0, 0, 400, 300}},
    };
    for (const Case& c : cases) {
        RECT client = {0, 0, 400, 300};
        const std::array<RECT, 4> bars = dockwins::LayOutAutoHideBars(client, 24, c.hasLabels);
        for (size_t side = 0; side < 4; ++side)
            EXPECT_TRUE(Same(bars[side], c.bars[side])) << "bar " << side << " " << Describe(bars[side]);
        EXPECT_TRUE(Same(client, c.client)) << Describe(client);
    }
}

TEST(AutoHideGeometryTest, TheFlyOutTakesThePaneAndItsSizingBarWithinTheArea)
{
    struct Case {
        RECT area;
        int side;
        int size;
        RECT expected;
    };
    const Case cases[] = {
        {{0, 0, 400, 300}, CDockingSide::Top, 180, {0, 0, 400, 185}},
        {{0, 0, 400, 300}, CDockingSide::Bottom, 180, {0, 115, 400, 300}},
        {{0, 0, 400, 300}, CDockingSide::Left, 180, {0, 0, 185, 300}},
        {{0, 0, 400, 300}, CDockingSide::Right, 180, {215, 0, 400, 300}},
        {{0, 0, 400, 300}, CDockingSide::Top, 500, {0, 0, 400, 295}},  // the area less 5
        {{0, 0, 400, 3}, CDockingSide::Top, 180, {0, 0, 400, 5}},      // an area under 5 still gives 5
        {{10, 10, 14, 200}, CDockingSide::Right, 180, {9, 10, 14, 200}},
        {{0, 0, 400, 300}, CDockingSide::Top, 0, {0, 0, 400, 5}},
    };
    for (const Case& c : cases) {
        const RECT rect = dockwins::AutoHideFlyOutRect(c.area, CDockingSide(c.side), c.size);
        EXPECT_TRUE(Same(rect, c.expected)) << "side " << c.side << " size " << c.size << " " << Describe(rect);
    }
}

TEST(AutoHideGeometryTest, SizingKeepsTheInnerEdgeFivePixelsInsideTheArea)
{
    struct Case {
        RECT area;
        int side;
        int edge;
        int expected;
    };
    const Case cases[] = {
        {{0, 20, 400, 300}, CDockingSide::Top, 10, 25},
        {{0, 20, 400, 300}, CDockingSide::Top, 400, 295},
        {{0, 20, 400, 300}, CDockingSide::Bottom, 100, 100},
        {{0, 20, 400, 300}, CDockingSide::Left, 0, 5},
        {{0, 20, 400, 300}, CDockingSide::Right, 399, 395},
        {{0, 0, 400, 6}, CDockingSide::Top, 3, 5}, // no room between the margins: the lower one holds
    };
    for (const Case& c : cases)
        EXPECT_EQ(dockwins::AutoHideSizingBounds(c.area, CDockingSide(c.side)).Clamp(c.edge), c.expected)
            << "side " << c.side << " edge " << c.edge;
}

TEST(AutoHideGeometryTest, TheSlideMovesTheInnerEdgeATenthPerStep)
{
    struct Case {
        RECT flyOut;
        int side;
        int step;
        RECT expected;
    };
    const Case cases[] = {
        {{0, 0, 400, 185}, CDockingSide::Top, 0, {0, 0, 400, 0}},
        {{0, 0, 400, 185}, CDockingSide::Top, 5, {0, 0, 400, 90}},
        {{0, 0, 400, 185}, CDockingSide::Top, 10, {0, 0, 400, 185}},
        {{0, 115, 400, 300}, CDockingSide::Bottom, 1, {0, 282, 400, 300}},
        {{215, 0, 400, 300}, CDockingSide::Right, 2, {364, 0, 400, 300}},
        {{0, 0, 7, 300}, CDockingSide::Left, 9, {0, 0, 0, 300}},  // under 10 pixels: all at the last step
        {{0, 0, 400, 0}, CDockingSide::Top, 3, {0, 0, 400, 0}},
    };
    for (const Case& c : cases) {
        const RECT rect = dockwins::AutoHideSlideStep(c.flyOut, CDockingSide(c.side), c.step);
        EXPECT_TRUE(Same(rect, c.expected)) << "side " << c.side << " step " << c.step << " " << Describe(rect);
    }
}
