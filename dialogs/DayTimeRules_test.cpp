#include <gtest/gtest.h>

#include "dialogs/DayTimeRules.h"
#include "document/model/ModelTestSupport.h"

namespace {

class DayTimeRulesTest : public ModelTest {};

constexpr double kMinute = 1.0 / (24 * 60);

} // namespace

TEST_F(DayTimeRulesTest, TheFinishFollowsTheDurationWithinItsDay)
{
    const struct {
        const char* name;
        double start;
        double hours;
        double finish;
        double duration; // from start and the finish found
        const wchar_t* shown; // the hours as the box shows them
    } cases[] = {
        {"two and a half hours", Time(9, 0), 2.5, Time(11, 30), 2.5, L"2.5"},
        {"past midnight stops at 23:59", Time(22, 0), 5, Time(23, 59), 119.0 / 60, L"1.98"},
        {"on a dated start, its own day's end", Date(2024, 5, 15) + Time(22, 0), 5, Date(2024, 5, 15) + Time(23, 59),
         119.0 / 60, L"1.98"},
        {"no hours", Time(8, 0), 0, Time(8, 0), 0, L"0"},
        {"a third of an hour is kept whole, shown with two decimals", Time(9, 0), 1.0 / 3, Time(9, 20), 1.0 / 3,
         L"0.33"},
        {"three quarters stay three quarters", Time(9, 0), 0.75, Time(9, 45), 0.75, L"0.75"},
        {"already at the day's end", Time(23, 59), 1, Time(23, 59), 0, L"0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const double finish = FinishFromDuration(c.start, c.hours);
        EXPECT_NEAR(finish, c.finish, kMinute / 600);
        EXPECT_NEAR(DurationFromTimes(c.start, finish), c.duration, 1e-9);
        EXPECT_EQ(FormatHoursText(DurationFromTimes(c.start, finish)), c.shown);
    }
}

TEST_F(DayTimeRulesTest, ANewEntryBooksWhatTheEstimateLeaves)
{
    const struct {
        const char* name;
        double estimation;
        double scheduled;
        bool recurring;
        double proposed;
    } cases[] = {
        {"an hour left", 4, 3, false, 1.0},
        {"nothing scheduled yet", 4, 0, false, 4.0},
        {"all booked", 4, 4, false, 0.5},
        {"more booked than estimated", 4, 5, false, 0.5},
        {"no estimate", 0, 0, false, 0.5},
        {"a recurring task books its estimate each time", 4, 3, true, 4.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ProposedDuration(c.estimation, c.scheduled, c.recurring), c.proposed) << c.name;
}

TEST_F(DayTimeRulesTest, HoursShowTheTwoDecimalsTheRuleKeeps)
{
    const struct {
        double hours;
        const wchar_t* text;
    } cases[] = {
        {1.98, L"1.98"}, {2.0, L"2"}, {2.5, L"2.5"}, {0, L"0"}, {0.333, L"0.33"}, {10, L"10"}, {23.999, L"24"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatHoursText(c.hours), c.text) << c.hours;
}
