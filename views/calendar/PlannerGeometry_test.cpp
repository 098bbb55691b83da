#include <gtest/gtest.h>

#include <cmath>

#include "views/calendar/PlannerGeometry.h"

namespace {

constexpr double kDay = 46000;
constexpr double kHour = 1.0 / 24;

double At(int hour, int minute = 0)
{
    return kDay + hour * kHour + minute / 1440.0;
}

} // namespace

TEST(PlannerGeometryTest, HourHeightMakesRoomForTheHourOrEveryRowLabel)
{
    const struct {
        int hourFont, minuteFont, rowMinutes, height;
    } cases[] = {{27, 13, 30, 33}, {27, 13, 10, 90}, {27, 13, 20, 45}, {27, 13, 15, 60}, {40, 5, 30, 46}};
    for (const auto& c : cases)
        EXPECT_EQ(HourHeightOf(c.hourFont, c.minuteFont, c.rowMinutes), c.height) << c.rowMinutes;
    // The 12-hour clock's AM or PM under the hour must not run into the next hour.
    EXPECT_EQ(HourHeightOf(27, 13, 30, true), 46);
    EXPECT_EQ(HourHeightOf(27, 13, 10, true), 90);
}

TEST(PlannerGeometryTest, TheSubjectKeepsItsMarginsUnlessAShortBoxWouldCutItsLine)
{
    const struct {
        int boxHeight, inset;
    } cases[] = {{40, 3}, {19, 3}, {17, 2}, {15, 1}, {8, 1}};
    for (const auto& c : cases) {
        const RECT text = ItemTextRect({100, 200, 180, 200 + c.boxHeight}, 13);
        EXPECT_EQ(text.top - 200, c.inset) << c.boxHeight;
        EXPECT_EQ(200 + c.boxHeight - text.bottom, c.inset) << c.boxHeight;
        EXPECT_EQ(text.left, 106);
        EXPECT_EQ(text.right, 174);
    }
}

TEST(PlannerGeometryTest, RowScalesAreClampedToTheFourRowSizes)
{
    const struct {
        int index, minutes;
    } cases[] = {{-1, 30}, {0, 30}, {1, 20}, {2, 15}, {3, 10}, {4, 10}};
    for (const auto& c : cases)
        EXPECT_EQ(RowMinutesOfScale(c.index), c.minutes) << c.index;
    EXPECT_FALSE(IsValidRowMinutes(25));
}

TEST(PlannerGeometryTest, ColumnsAreEqualAndTheLastTakesTheRemainder)
{
    const std::vector<RECT> columns = SplitIntoColumns(40, 503, 0, 10, 5);
    ASSERT_EQ(columns.size(), 5u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(columns[i].right - columns[i].left, 100) << i;
    EXPECT_EQ(columns[4].right - columns[4].left, 103);
    EXPECT_EQ(columns[4].right, 543);
}

TEST(PlannerGeometryTest, TimesAndPixelsConvertBothWays)
{
    const struct {
        int y, hourHeight;
        double time;
    } cases[] = {{0, 60, 0}, {90, 60, 1.5 * kHour}, {540, 60, 9 * kHour}, {33 * 12, 33, 12 * kHour}};
    for (const auto& c : cases) {
        EXPECT_NEAR(TimeOfDayAtContentY(c.y, c.hourHeight), c.time, 1e-9) << c.y;
        EXPECT_EQ(ContentYOfTime(c.time, c.hourHeight), c.y) << c.y;
    }
    // Below the last hour is still the day's last moment.
    EXPECT_LT(TimeOfDayAtContentY(24 * 60 + 5, 60), 1.0);
}

TEST(PlannerGeometryTest, EdgeDragDeltasAreInDaysAndUnsnapped)
{
    const struct {
        int press, release, hourHeight;
        double delta;
    } cases[] = {{100, 190, 60, 1.0 / 16}, {190, 100, 60, -1.0 / 16}, {100, 133, 33, kHour}, {10, 10, 33, 0}};
    for (const auto& c : cases)
        EXPECT_NEAR(EdgeDragDelta(c.press, c.release, c.hourHeight), c.delta, 1e-12) << c.release;
}

TEST(PlannerGeometryTest, APressBecomesADragBeyondFivePixels)
{
    const struct {
        POINT now;
        bool drag;
    } cases[] = {{{103, 100}, false}, {{105, 100}, false}, {{103, 104}, false},
                 {{106, 100}, true},  {{100, 94}, true},   {{104, 104}, true}};
    for (const auto& c : cases)
        EXPECT_EQ(IsDragDistance({100, 100}, c.now), c.drag) << c.now.x << "," << c.now.y;
}

TEST(PlannerGeometryTest, KeysMoveTheSelectedTimeWithinTheirLimits)
{
    const double page = 6 * kHour;
    const struct {
        const char* name;
        double from;
        UINT key;
        double to;
    } cases[] = {
        {"page down", At(9), VK_NEXT, At(15)},
        {"page down past midnight stops at 23:00", At(20), VK_NEXT, At(23)},
        {"page up", At(9), VK_PRIOR, At(3)},
        {"page up stops at 00:00", At(3), VK_PRIOR, At(0)},
        {"end", At(9, 30), VK_END, At(23)},
        {"home", At(9, 30), VK_HOME, At(0)},
        {"home in hour 0 does nothing", At(0, 30), VK_HOME, At(0, 30)},
        {"up", At(9), VK_UP, At(8)},
        {"up at hour 0 does nothing", At(0, 10), VK_UP, At(0, 10)},
        {"down", At(9), VK_DOWN, At(10)},
        {"down at hour 23 does nothing", At(23), VK_DOWN, At(23)},
        {"left", At(9), VK_LEFT, At(9) - 1},
        {"right", At(9), VK_RIGHT, At(9) + 1},
        {"another key", At(9), 'A', At(9)},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(TimeAfterKey(c.from, c.key, page), c.to, 1e-9) << c.name;
}

TEST(PlannerGeometryTest, ScrollingToAnHourStaysWithinTheContent)
{
    const struct {
        int hour, clientHeight, position;
    } cases[] = {{9, 300, 540}, {0, 300, 0}, {23, 300, 24 * 60 - 300}, {5, 2000, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ScrollPositionOfHour(c.hour, 60, c.clientHeight), c.position) << c.hour;
}

TEST(PlannerGeometryTest, ColoursBlendInIntegerStepsAndDarkFillsTakeLightText)
{
    EXPECT_EQ(BlendTowards(RGB(160, 160, 160), 255, 15), RGB(174, 174, 174));
    EXPECT_EQ(BlendTowards(RGB(240, 240, 240), 204, 15), RGB(235, 235, 235)); // towards a darker target
    EXPECT_EQ(BlendTowards(RGB(0, 100, 255), 255, 50), RGB(127, 177, 255));
    EXPECT_TRUE(IsDarkFill(RGB(100, 100, 100)));
    EXPECT_FALSE(IsDarkFill(RGB(150, 150, 150)));
    EXPECT_FALSE(IsDarkFill(RGB(148, 148, 148))); // 444 exactly is light
}
