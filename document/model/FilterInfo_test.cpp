#include <gtest/gtest.h>

#include "document/model/DateFunctions.h"
#include "document/model/FilterInfo.h"
#include "document/model/ModelTestSupport.h"
#include "document/model/TaskCard.h"
#include "foundation/Options.h"

namespace {

// Now is Wednesday 2024-05-15; weeks start on Monday 13 May.
const double kToday = Date(2024, 5, 15);

TaskCard Task(int status, int importance, double deadline)
{
    TaskCard task;
    task.SetStatus(status);
    task.SetImportance(importance);
    task.SetDeadline(deadline);
    return task;
}

} // namespace

using FilterInfoTest = ModelTest;

TEST_F(FilterInfoTest, StatusFilter)
{
    struct Case {
        int filter;
        bool keepsNew, keepsInProgress, keepsCompleted;
    } cases[] = {
        {0, true, true, true},   {1, true, true, false},   {2, true, false, false}, {3, false, true, false},
        {4, false, false, true}, {5, false, false, false}, {7, false, false, false}, {-1, false, false, false},
    };
    for (const Case& c : cases) {
        // A selected category does not lift the status filter.
        for (int category : {0, 12}) {
            const FilterInfo filter(c.filter, 0, 0, category);
            EXPECT_EQ(Task(0, 0, 0).MatchesStatusFilter(filter), c.keepsNew) << c.filter;
            EXPECT_EQ(Task(1, 0, 0).MatchesStatusFilter(filter), c.keepsInProgress) << c.filter;
            EXPECT_EQ(Task(2, 0, 0).MatchesStatusFilter(filter), c.keepsCompleted) << c.filter;
            EXPECT_EQ(Task(0, 0, 0).MatchesFilter(filter), c.keepsNew) << c.filter;
        }
    }
}

TEST_F(FilterInfoTest, PriorityFilterWhileNoCategoryIsSelected)
{
    struct Case {
        int filter;
        bool keeps[5]; // importance 0..4
    } cases[] = {
        {0, {true, true, true, true, true}},      {1, {true, false, false, false, false}},
        {2, {true, true, false, false, false}},   {3, {true, true, true, false, true}},
        {4, {false, false, false, false, false}}, {-3, {false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        for (int importance = 0; importance < 5; ++importance) {
            const TaskCard task = Task(0, importance, 0);
            EXPECT_EQ(task.MatchesPriorityFilter(FilterInfo(0, 0, c.filter, 0)), c.keeps[importance])
                << c.filter << " " << importance;
            EXPECT_TRUE(task.MatchesPriorityFilter(FilterInfo(0, 0, c.filter, 3)));
        }
    }
}

TEST_F(FilterInfoTest, DeadlineFilterWhileNoCategoryIsSelected)
{
    const double none = 0;
    const double overdue = kToday - 1;
    const double today = kToday;
    const double todayEvening = kToday + 0.9;
    const double monday = Date(2024, 5, 13);
    const double sunday = Date(2024, 5, 19);
    const double nextMonday = Date(2024, 5, 20);
    const double inSixDays = kToday + 6;
    const double inSevenDays = kToday + 7;
    struct Case {
        double deadline;
        bool today, thisWeek, next7, overdue, todayAndOverdue;
    } cases[] = {
        {none, true, true, true, false, true},
        {overdue, false, true, false, true, true},
        {today, true, true, true, false, true},
        {todayEvening, true, true, true, false, true},
        {monday, false, true, false, true, true},
        {monday - 1, false, false, false, true, true},
        {sunday, false, true, true, false, false},
        {nextMonday, false, false, true, false, false},
        {inSixDays, false, false, true, false, false},
        {inSevenDays, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        const TaskCard task = Task(0, 3, c.deadline);
        const bool expected[] = {true, c.today, c.thisWeek, c.next7, c.overdue, c.todayAndOverdue};
        for (int filter = 0; filter < 6; ++filter)
            EXPECT_EQ(task.MatchesDeadlineFilter(FilterInfo(0, filter, 0, 0)), expected[filter])
                << "deadline " << c.deadline << " filter " << filter;
        EXPECT_FALSE(task.MatchesDeadlineFilter(FilterInfo(0, 9, 0, 0)));
        EXPECT_TRUE(task.MatchesDeadlineFilter(FilterInfo(0, 9, 0, 12)));
    }
}

TEST_F(FilterInfoTest, ThisWeekFollowsTheFirstDayOfTheWeek)
{
    // Today a Sunday: from Monday the week began six days ago, from Sunday it begins today.
    SetNow(DateTime(2024, 5, 19, 8, 0));
    struct Case {
        int startOfWeek;
        double first;
    } cases[] = {{2, Date(2024, 5, 13)}, {1, Date(2024, 5, 19)}, {3, Date(2024, 5, 13)}};
    for (const Case& c : cases) {
        Options::SetStartOfWeek(c.startOfWeek);
        EXPECT_EQ(StartOfCurrentWeek(), c.first) << c.startOfWeek;
        const FilterInfo thisWeek(0, 2, 0, 0);
        EXPECT_TRUE(Task(0, 0, c.first).MatchesDeadlineFilter(thisWeek)) << c.startOfWeek;
        EXPECT_TRUE(Task(0, 0, c.first + 6).MatchesDeadlineFilter(thisWeek)) << c.startOfWeek;
        EXPECT_FALSE(Task(0, 0, c.first - 1).MatchesDeadlineFilter(thisWeek)) << c.startOfWeek;
        EXPECT_FALSE(Task(0, 0, c.first + 7).MatchesDeadlineFilter(thisWeek)) << c.startOfWeek;
    }
}

TEST_F(FilterInfoTest, StartOfWeekOnItsOwnFirstDay)
{
    SetNow(DateTime(2024, 5, 13, 0, 0)); // a Monday
    EXPECT_EQ(StartOfCurrentWeek(), Date(2024, 5, 13));
    Options::SetStartOfWeek(1);
    SetNow(DateTime(2024, 5, 12, 23, 59)); // a Sunday
    EXPECT_EQ(StartOfCurrentWeek(), Date(2024, 5, 12));
}

TEST_F(FilterInfoTest, SelectedCategoryLeavesOnlyTheStatusFilter)
{
    const TaskCard future = Task(0, 3, kToday + 30);
    EXPECT_TRUE(future.MatchesFilter(FilterInfo(0, 4, 1, 12)));
    EXPECT_FALSE(future.MatchesFilter(FilterInfo(0, 4, 1, 0)));
    EXPECT_FALSE(future.MatchesFilter(FilterInfo(4, 4, 1, 12)));

    const TaskCard urgent = Task(1, 0, kToday - 2);
    EXPECT_TRUE(urgent.MatchesFilter(FilterInfo(1, 4, 1, 0)));
    EXPECT_FALSE(urgent.MatchesFilter(FilterInfo(1, 1, 1, 0)));
    EXPECT_FALSE(urgent.MatchesFilter(FilterInfo(2, 4, 1, 0)));
}
