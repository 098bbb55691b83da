#include "reports/ReportPeriods.h"

#include <gtest/gtest.h>

#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/TestSupport.h"

namespace {

class ReportPeriodsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
    }
    void TearDown() override
    {
        Clock::ResetForTesting();
        ClearProgramRegistry();
    }

    std::vector<ReportPeriod> stored;
};

double Day(int year, int month, int day)
{
    return MakeOleDate(year, month, day);
}

TEST_F(ReportPeriodsTest, TheWeeksRunFromTheUsersFirstDayOfTheWeek)
{
    // 10 March 2024 was a Sunday, 11 March a Monday.
    const struct {
        const char* name;
        double today;
        DWORD startOfWeek;
        int index;
        double start;
    } cases[] = {
        {"this week, Monday weeks, on a Sunday", Day(2024, 3, 10) + 0.75, 2, 0, Day(2024, 3, 4)},
        {"this week, Monday weeks, on a Monday", Day(2024, 3, 11) + 0.25, 2, 0, Day(2024, 3, 11)},
        {"this week, Sunday weeks, on a Sunday", Day(2024, 3, 10), 1, 0, Day(2024, 3, 10)},
        {"this week, Sunday weeks, on a Saturday", Day(2024, 3, 16), 1, 0, Day(2024, 3, 10)},
        {"last week", Day(2024, 3, 10), 2, 1, Day(2024, 2, 26)},
        {"two weeks ago, across a month", Day(2024, 3, 13), 2, 2, Day(2024, 2, 26)},
        {"custom period means this week", Day(2024, 3, 10), 2, 3, Day(2024, 3, 4)},
        {"across a year", Day(2024, 1, 2), 2, 1, Day(2023, 12, 25)},
    };
    for (const auto& test : cases) {
        Clock::SetNowForTesting(test.today);
        Options::SetStartOfWeek(test.startOfWeek);
        const ReportPeriodList list(stored);
        const ReportPeriod range = list.GetRange(test.index);
        EXPECT_DOUBLE_EQ(range.start, test.start) << test.name;
        EXPECT_DOUBLE_EQ(range.end, test.start + 6) << test.name;
    }
}

TEST_F(ReportPeriodsTest, StoredPeriodsComeFirstNewestFirstThenTheWeeks)
{
    Clock::SetNowForTesting(Day(2024, 3, 10));
    Options::SetStartOfWeek(2);
    stored = {{Day(2024, 2, 1), Day(2024, 2, 29)}};
    ReportPeriodList list(stored);
    EXPECT_EQ(list.Add(Day(2024, 1, 5) + 0.6, Day(2024, 1, 9) + 0.2), 0) << "a new period goes on top";
    const std::vector<EString> texts = list.GetTexts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], ReportPeriodList::FormatPeriod({Day(2024, 1, 5), Day(2024, 1, 9)}));
    EXPECT_EQ(texts[1], ReportPeriodList::FormatPeriod({Day(2024, 2, 1), Day(2024, 2, 29)}));
    EXPECT_EQ((std::vector<EString>(texts.begin() + 2, texts.end())),
              (std::vector<EString>{L"This week", L"Last week", L"Two weeks ago", L"Custom period..."}));
    EXPECT_EQ(list.GetCustomIndex(), 5);
    EXPECT_EQ(list.GetRange(0), (ReportPeriod{Day(2024, 1, 5), Day(2024, 1, 9)})) << "cut to whole days";
    EXPECT_EQ(list.GetRange(2), (ReportPeriod{Day(2024, 3, 4), Day(2024, 3, 10)}));
}

TEST_F(ReportPeriodsTest, AnEqualPeriodIsStoredOnceAndFoundWhereItIs)
{
    stored = {{Day(2024, 2, 1), Day(2024, 2, 29)}};
    ReportPeriodList list(stored);
    EXPECT_EQ(list.Add(Day(2024, 1, 5), Day(2024, 1, 9)), 0);
    EXPECT_EQ(list.Add(Day(2024, 1, 5) + 0.5, Day(2024, 1, 9) + 0.5), 0) << "the same days";
    EXPECT_EQ(list.Add(Day(2024, 2, 1), Day(2024, 2, 29)), 1) << "one stored before";
    EXPECT_EQ(stored.size(), 2u);
    EXPECT_EQ(list.GetAddedCount(), 1);
}

TEST_F(ReportPeriodsTest, OnlyACommittedDialogKeepsThePeriodsItAdded)
{
    const ReportPeriod earlier{Day(2024, 2, 1), Day(2024, 2, 29)};
    for (const bool commit : {false, true}) {
        stored = {earlier};
        {
            ReportPeriodList list(stored);
            list.Add(Day(2024, 1, 5), Day(2024, 1, 9));
            list.Add(Day(2024, 1, 12), Day(2024, 1, 19));
            list.Add(Day(2024, 2, 1), Day(2024, 2, 29));
            EXPECT_EQ(stored.size(), 3u);
            if (commit)
                list.Commit();
        }
        if (commit) {
            EXPECT_EQ(stored.size(), 3u);
            EXPECT_EQ(stored.back(), earlier);
        } else {
            EXPECT_EQ(stored, std::vector<ReportPeriod>{earlier}) << "exactly the two added go";
        }
    }
}

} // namespace
