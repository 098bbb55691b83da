#include <gtest/gtest.h>

#include "views/calendar/DaySettings.h"
#include "views/calendar/PlanEntryEdits.h"

namespace {

constexpr double kDay = 46000;
constexpr double kHour = 1.0 / 24;

TaskPlanEntry EntryWithColor(double start, double end, COLORREF color)
{
    TaskPlanEntry entry(7, start, end, L"notes", L"Write the report", 1, 0);
    entry.SetTaskColor(static_cast<int>(color));
    return entry;
}

} // namespace

TEST(PlanEntryEditsTest, AnEntryBecomesAnItemOfItsDayWithReadableText)
{
    const struct {
        COLORREF fill;
        int textColorIndex;
    } cases[] = {{RGB(100, 100, 100), COLOR_WINDOW}, {RGB(150, 150, 150), COLOR_BTNTEXT}, {RGB(0, 0, 128), COLOR_WINDOW}};
    for (const auto& c : cases) {
        const PlannerItem item = PlannerItemOfEntry(EntryWithColor(9.5 * kHour, 11 * kHour, c.fill), kDay + 0.25);
        EXPECT_EQ(item.fillColor, c.fill);
        EXPECT_EQ(item.textColor, ::GetSysColor(c.textColorIndex)) << c.fill;
        EXPECT_NEAR(item.start, kDay + 9.5 * kHour, 1e-9);
        EXPECT_EQ(item.lengthMinutes, 90);
        EXPECT_EQ(item.subject, L"Write the report");
        EXPECT_EQ(item.description, L"notes");
        EXPECT_EQ(item.fixedTime, 1);
    }
}

TEST(PlanEntryEditsTest, LengthsAreWholeMinutesEvenForTimesAlittleOffInBinary)
{
    const struct {
        double start, end;
        int minutes;
    } cases[] = {{9 * kHour, 9 * kHour + 20.0 / 1440, 20},
                 {0.1 + 0.2, 0.1 + 0.2 + 7.0 / 1440, 7},
                 {10 * kHour, 10 * kHour, 0},
                 {10 * kHour, 10 * kHour + 30.0 / 86400, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(PlannerItemOfEntry(EntryWithColor(c.start, c.end, 0), kDay).lengthMinutes, c.minutes) << c.start;
}

TEST(PlanEntryEditsTest, TopAndBottomEdgesMoveTheirEndWithinTheDay)
{
    const struct {
        const char* name;
        int kind;
        double delta;
        double start, end;
    } cases[] = {
        {"top up an hour", kEdgeTop, -kHour, 8 * kHour, 10 * kHour},
        {"top above midnight stops at 00:00", kEdgeTop, -12 * kHour, 0, 10 * kHour},
        {"top below the end meets the end", kEdgeTop, 3 * kHour, 10 * kHour, 10 * kHour},
        {"bottom down an hour and a half", kEdgeBottom, 1.5 * kHour, 9 * kHour, 11.5 * kHour},
        {"bottom above the start meets the start", kEdgeBottom, -3 * kHour, 9 * kHour, 9 * kHour},
        {"bottom past midnight stops at 23:59", kEdgeBottom, 20 * kHour, 9 * kHour, 23 * kHour + 59.0 / 1440},
        {"a side edge moves nothing", kEdgeRight, kHour, 9 * kHour, 10 * kHour},
        {"a drag of 69 pixels at 46 an hour is an hour and a half", kEdgeBottom, 69.0 / (24 * 46), 9 * kHour,
         11.5 * kHour},
        {"a drag is not snapped to the grid, only to the minute", kEdgeBottom, 49.0 / (24 * 33), 9 * kHour,
         11 * kHour + 29.0 / 1440},
    };
    for (const auto& c : cases) {
        TimeRange range(9 * kHour, 10 * kHour, L"", L"", 0);
        ApplyEdgeDrag(range, c.kind, c.delta);
        EXPECT_EQ(range.GetStartTimeXmlText(), TimeRange(c.start, c.start, L"", L"", 0).GetStartTimeXmlText()) << c.name;
        EXPECT_EQ(range.GetEndTimeXmlText(), TimeRange(c.end, c.end, L"", L"", 0).GetStartTimeXmlText()) << c.name;
    }
}

TEST(PlanEntryEditsTest, SideDragsCopyToTheDaysBetweenAndNotTheShownDay)
{
    const struct {
        double target;
        std::vector<double> days;
    } cases[] = {{kDay + 3, {kDay + 1, kDay + 2, kDay + 3}},
                 {kDay - 2, {kDay - 2, kDay - 1}},
                 {kDay + 0.7, {}},
                 {kDay + 1.2, {kDay + 1}}};
    for (const auto& c : cases)
        EXPECT_EQ(DaysToCopyTo(kDay + 0.4, c.target), c.days) << c.target;
}
