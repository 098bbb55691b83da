#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "views/calendar/PlannerLayout.h"

namespace {

constexpr double kDay = 46000; // December 9, 2025
constexpr double kMinute = 1.0 / 1440;

PlannerItem At(int hour, int minute, int length)
{
    PlannerItem item;
    item.start = kDay + (hour * 60 + minute) * kMinute;
    item.lengthMinutes = length;
    return item;
}

struct Expected {
    int itemIndex;
    int lane;
    bool overlappedRight;
};

struct LayoutCase {
    const char* name;
    std::vector<PlannerItem> items;
    std::vector<Expected> expected;
};

} // namespace

TEST(PlannerLayoutTest, ItemsTakeTheFirstLaneWithoutAnOverlap)
{
    const LayoutCase cases[] = {
        {"back to back hours share lane 0", {At(9, 0, 60), At(10, 0, 60)}, {{0, 0, false}, {1, 0, false}}},
        {"three at 09:30 stand side by side",
         {At(9, 0, 60), At(9, 15, 60), At(9, 30, 30), At(14, 0, 60)},
         {{0, 0, true}, {1, 1, true}, {2, 2, false}, {3, 0, false}}},
        {"a later item takes the lane freed before it", {At(9, 0, 120), At(9, 30, 30), At(10, 0, 30)},
         {{0, 0, true}, {1, 1, false}, {2, 1, false}}},
        {"a sixth overlapping item is left out",
         {At(9, 0, 60), At(9, 0, 60), At(9, 0, 60), At(9, 0, 60), At(9, 0, 60), At(9, 30, 10)},
         {{0, 0, true}, {1, 1, true}, {2, 2, true}, {3, 3, true}, {4, 4, false}}},
        {"an item left out narrows nothing",
         {At(9, 0, 120), At(9, 0, 120), At(9, 0, 30), At(9, 0, 60), At(9, 0, 60), At(10, 0, 60), At(9, 50, 20)},
         {{0, 0, true}, {1, 1, true}, {2, 2, true}, {3, 3, true}, {4, 4, false}, {5, 2, false}}},
    };
    for (const LayoutCase& c : cases) {
        const std::vector<PlacedItem> placed = LayOutPlannerItems(c.items, {.firstDay = kDay, .dayCount = 1}).placed;
        ASSERT_EQ(placed.size(), c.expected.size()) << c.name;
        for (size_t i = 0; i < placed.size(); ++i) {
            EXPECT_EQ(placed[i].itemIndex, c.expected[i].itemIndex) << c.name << " #" << i;
            EXPECT_EQ(placed[i].lane, c.expected[i].lane) << c.name << " #" << i;
            EXPECT_EQ(placed[i].overlappedRight, c.expected[i].overlappedRight) << c.name << " #" << i;
        }
    }
}

TEST(PlannerLayoutTest, MinutesAreClippedToEachShownDayAndRaisedToTheMinimum)
{
    struct Case {
        const char* name;
        PlannerItem item;
        PlannerLayoutOptions options;
        std::vector<std::pair<int, int>> minutes; // start and last minute on each day it shows
    };
    const Case cases[] = {
        {"an hour ends in its 59th minute", At(9, 0, 60), {.firstDay = kDay}, {{540, 599}}},
        {"a zero-length item takes the minimum", At(9, 0, 0), {.firstDay = kDay, .minimumLength = 5}, {{540, 544}}},
        {"without a minimum an empty item is one minute", At(9, 0, 0), {.firstDay = kDay}, {{540, 540}}},
        {"23:30 for two hours runs into the next day", At(23, 30, 120), {.firstDay = kDay, .dayCount = 2},
         {{1410, 1439}, {0, 89}}},
        {"an item of a day not shown is left out", At(9, 0, 60), {.firstDay = kDay + 1, .dayCount = 3}, {}},
        {"rows snap the start down and the end to the row's end", At(9, 10, 25),
         {.firstDay = kDay, .rowMinutes = 30, .snapToRows = true}, {{540, 599}}},
        {"an end on a row boundary stays", At(9, 10, 21), {.firstDay = kDay, .rowMinutes = 30, .snapToRows = true},
         {{540, 570}}},
    };
    for (const Case& c : cases) {
        const std::vector<PlacedItem> placed = LayOutPlannerItems({c.item}, c.options).placed;
        ASSERT_EQ(placed.size(), c.minutes.size()) << c.name;
        for (size_t i = 0; i < placed.size(); ++i) {
            EXPECT_EQ(placed[i].startMinute, c.minutes[i].first) << c.name;
            EXPECT_EQ(placed[i].endMinute, c.minutes[i].second) << c.name;
            EXPECT_EQ(placed[i].lengthMinutes, c.minutes[i].second - c.minutes[i].first) << c.name;
        }
    }
}

TEST(PlannerLayoutTest, LanesShareTheColumnAndTheLastLaneReachesItsEdge)
{
    // Three overlapping items and one alone, in a column 300 pixels wide from x = 50, 60 pixels an hour.
    const std::vector<PlacedItem> placed =
        LayOutPlannerItems({At(9, 0, 60), At(9, 15, 60), At(9, 30, 30), At(14, 0, 60)}, {.firstDay = kDay}).placed;
    const int maxLane = MaxLaneOfDay(placed, kDay);
    ASSERT_EQ(maxLane, 2);
    struct Case {
        int record;
        RECT rect;
    };
    const Case cases[] = {
        {0, {54, 540, 146, 599}},   // lane 0, one lane wide
        {1, {154, 555, 246, 614}},  // lane 1, one lane wide
        {2, {254, 570, 346, 599}},  // lane 2 reaches the right edge
        {3, {54, 840, 346, 899}},   // alone: the whole column
    };
    for (const Case& c : cases) {
        const RECT rect = PlacedItemRect(placed[static_cast<size_t>(c.record)], maxLane, 50, 350, 60);
        EXPECT_EQ(rect.left, c.rect.left) << c.record;
        EXPECT_EQ(rect.right, c.rect.right) << c.record;
        EXPECT_EQ(rect.top, c.rect.top) << c.record;
        EXPECT_EQ(rect.bottom, c.rect.bottom) << c.record;
    }
    // Lanes narrower than 8 pixels show nothing.
    const RECT narrow = PlacedItemRect(placed[0], maxLane, 0, 23, 60);
    EXPECT_TRUE(::IsRectEmpty(&narrow));
}

TEST(PlannerLayoutTest, HitTestingFindsTheFirstPlacedRectangleOnly)
{
    std::vector<PlacedItem> placed(3);
    placed[0].rect = {10, 10, 50, 50};
    placed[1].rect = {40, 40, 90, 90};
    placed[2].rect = {}; // a hidden record
    const struct {
        POINT point;
        int found;
    } cases[] = {{{20, 20}, 0}, {{45, 45}, 0}, {{60, 60}, 1}, {{90, 90}, -1}, {{0, 0}, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(FindPlacedItemAt(placed, c.point), c.found) << c.point.x << "," << c.point.y;
}

TEST(PlannerLayoutTest, TheRecordsLeftOutAreKeptWithTheirMinutes)
{
    const LaidOutItems laidOut = LayOutPlannerItems(
        {At(9, 0, 60), At(9, 0, 60), At(9, 0, 60), At(9, 0, 60), At(9, 0, 60), At(9, 30, 10), At(9, 45, 60)},
        {.firstDay = kDay, .dayCount = 2});
    EXPECT_EQ(laidOut.placed.size(), 5u);
    ASSERT_EQ(laidOut.leftOut.size(), 2u);
    const struct {
        int itemIndex;
        int startMinute;
        int endMinute;
    } expected[] = {{5, 570, 579}, {6, 585, 644}};
    for (size_t i = 0; i < laidOut.leftOut.size(); ++i) {
        const PlacedItem& record = laidOut.leftOut[i];
        EXPECT_EQ(record.itemIndex, expected[i].itemIndex) << i;
        EXPECT_EQ(record.startMinute, expected[i].startMinute) << i;
        EXPECT_EQ(record.endMinute, expected[i].endMinute) << i;
        EXPECT_EQ(record.day, kDay) << i;
        EXPECT_EQ(record.lane, -1) << i;
        EXPECT_FALSE(record.overlappedRight) << i;
    }
}

namespace {

PlacedItem Hidden(double day, int start, int end, int itemIndex)
{
    PlacedItem record;
    record.day = day;
    record.startMinute = start;
    record.endMinute = end;
    record.itemIndex = itemIndex;
    return record;
}

struct Group {
    double day;
    int start;
    int end;
    std::vector<int> items;
};

} // namespace

TEST(PlannerLayoutTest, HiddenRecordsAreGroupedWhereTheyOverlapOnOneDay)
{
    const struct {
        const char* name;
        std::vector<PlacedItem> hidden;
        std::vector<Group> groups;
    } cases[] = {
        {"none", {}, {}},
        {"two overlapping, by start", {Hidden(kDay, 570, 600, 4), Hidden(kDay, 560, 580, 7)},
         {{kDay, 560, 600, {7, 4}}}},
        {"a chain of overlaps is one group",
         {Hidden(kDay, 540, 560, 1), Hidden(kDay, 555, 600, 2), Hidden(kDay, 590, 620, 3)},
         {{kDay, 540, 620, {1, 2, 3}}}},
        {"one inside another", {Hidden(kDay, 540, 700, 1), Hidden(kDay, 560, 580, 2)}, {{kDay, 540, 700, {1, 2}}}},
        {"back to back are two", {Hidden(kDay, 540, 599, 1), Hidden(kDay, 600, 659, 2)},
         {{kDay, 540, 599, {1}}, {kDay, 600, 659, {2}}}},
        {"the same hours of two days are two", {Hidden(kDay + 1, 540, 599, 1), Hidden(kDay, 540, 599, 1)},
         {{kDay, 540, 599, {1}}, {kDay + 1, 540, 599, {1}}}},
    };
    for (const auto& c : cases) {
        const std::vector<HiddenGroup> groups = GroupHiddenRecords(c.hidden);
        ASSERT_EQ(groups.size(), c.groups.size()) << c.name;
        for (size_t i = 0; i < groups.size(); ++i) {
            EXPECT_EQ(groups[i].day, c.groups[i].day) << c.name << " #" << i;
            EXPECT_EQ(groups[i].startMinute, c.groups[i].start) << c.name << " #" << i;
            EXPECT_EQ(groups[i].endMinute, c.groups[i].end) << c.name << " #" << i;
            EXPECT_EQ(groups[i].itemIndices, c.groups[i].items) << c.name << " #" << i;
        }
    }
}

// A group of 09:00-09:59 at a pixel a minute, in the column [100, 300), its mark 30 by 15.
TEST(PlannerLayoutTest, AMarkStandsAtTheRightAtTheFootOfItsHoursInView)
{
    const HiddenGroup group{kDay, 540, 599, {5}};
    const struct {
        const char* name;
        int left;
        int right;
        int viewTop;
        int viewBottom;
        RECT mark;
    } cases[] = {
        {"the hours in view", 100, 300, 0, 1440, {265, 583, 295, 598}},
        {"their foot below the view", 100, 300, 0, 570, {265, 553, 295, 568}},
        {"their head above the view", 100, 300, 590, 900, {265, 590, 295, 605}},
        {"out of view", 100, 300, 700, 900, {}},
        {"a column narrower than the mark's room", 100, 130, 0, 1440, {101, 583, 129, 598}},
    };
    for (const auto& c : cases) {
        const RECT mark = HiddenMarkRect(group, kPlannerLaneCount - 1, c.left, c.right, 60, {30, 15}, c.viewTop,
                                         c.viewBottom);
        EXPECT_TRUE(::EqualRect(&mark, &c.mark))
            << c.name << ": " << mark.left << "," << mark.top << "-" << mark.right << "," << mark.bottom;
    }
}

// Seven entries of 09:00-10:29: five fill the lanes, two are left out. Whatever
// whole pixels the column's width leaves over its five lanes, the mark stands
// one pixel inside the right-most box, never over that box's edge.
TEST(PlannerLayoutTest, AMarkStandsInsideTheRightMostBoxHoweverTheLanesWidthsRound)
{
    const LaidOutItems laidOut = LayOutPlannerItems(std::vector<PlannerItem>(7, At(9, 0, 90)), {.firstDay = kDay});
    ASSERT_EQ(laidOut.placed.size(), 5u);
    const std::vector<HiddenGroup> groups = GroupHiddenRecords(laidOut.leftOut);
    ASSERT_EQ(groups.size(), 1u);
    const PlacedItem& rightMost = laidOut.placed[4];
    ASSERT_EQ(rightMost.lane, kPlannerLaneCount - 1);
    const int maxLane = MaxLaneOfDay(laidOut.placed, kDay);
    const struct {
        int left;
        int right;
        int markRight;
    } cases[] = {
        // Widths 200 to 204 all make lanes of 40 pixels: the boxes end at 296.
        {100, 300, 295}, {100, 301, 295}, {100, 302, 295}, {100, 303, 295}, {100, 304, 295}, {100, 305, 300},
        // Around the daily plan test's column with an Arial of Liberation Sans's widths, [50, 773):
        // lanes of 144 pixels end the boxes at 766, 7 pixels short of the column's edge.
        {50, 770, 765}, {50, 771, 765}, {50, 772, 765}, {50, 773, 765}, {50, 774, 765}, {50, 775, 770},
    };
    for (const auto& c : cases) {
        const RECT box = PlacedItemRect(rightMost, maxLane, c.left, c.right, 60);
        const RECT mark = HiddenMarkRect(groups[0], maxLane, c.left, c.right, 60, {30, 15}, 0, 1440);
        const std::string name = "[" + std::to_string(c.left) + ", " + std::to_string(c.right) + ")";
        EXPECT_EQ(mark.right, c.markRight) << name;
        EXPECT_EQ(mark.right, box.right - 1) << name;
        EXPECT_GE(mark.left, box.left) << name;
        EXPECT_GE(mark.top, box.top) << name;
        EXPECT_LE(mark.bottom, box.bottom) << name;
    }
}
