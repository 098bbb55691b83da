#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "document/model/DateFunctions.h"
#include "document/model/ModelTestSupport.h"
#include "document/model/TaskPlanEntry.h"
#include "document/model/TimeRange.h"
#include "foundation/Options.h"

namespace {

const double kEndOfDay = 1439.0 / 1440.0;

TimeRange Range(double start, double end)
{
    return TimeRange(start, end, L"", L"", 0);
}

void ExpectTimes(const TimeRange& range, double start, double end, const char* what)
{
    EXPECT_DOUBLE_EQ(range.GetStartTime(), start) << what;
    EXPECT_DOUBLE_EQ(range.GetEndTime(), end) << what;
}

} // namespace

using TimeRangeTest = ModelTest;

TEST_F(TimeRangeTest, SetEndStaysWithinTheDayAndAfterTheStart)
{
    struct Case {
        const char* what;
        double end, expected;
    } cases[] = {
        {"later", Time(11, 0), Time(11, 0)},
        {"at the start", Time(9, 0), Time(9, 0)},
        {"before the start", Time(8, 0), Time(9, 0)},
        {"half a minute before midnight", Time(23, 59, 30), kEndOfDay},
        {"with a day part", Date(2024, 5, 15) + Time(11, 0), kEndOfDay},
        {"tomorrow's small hours", 1 + Time(0, 30), kEndOfDay},
        {"negative", -0.5, Time(9, 0)},
    };
    for (const Case& c : cases) {
        TimeRange range = Range(Time(9, 0), Time(10, 0));
        range.SetEnd(c.end);
        ExpectTimes(range, Time(9, 0), c.expected, c.what);
    }
}

TEST_F(TimeRangeTest, SetStartNeverPassesTheEnd)
{
    struct Case {
        const char* what;
        double start, expectedStart;
    } cases[] = {
        {"earlier", Time(8, 0), Time(8, 0)},
        {"inside", Time(9, 30), Time(9, 30)},
        {"after the end", Time(15, 0), Time(10, 0)},
        {"with a day part", 45000 + Time(9, 30), Time(10, 0)},
        {"negative", -0.25, 0},
    };
    for (const Case& c : cases) {
        TimeRange range = Range(Time(9, 0), Time(10, 0));
        range.SetStart(c.start);
        ExpectTimes(range, c.expectedStart, Time(10, 0), c.what);
    }
}

TEST_F(TimeRangeTest, MovingTheStartKeepsTheLengthUntilTheDayEnds)
{
    struct Case {
        const char* what;
        double start, end, newStart, expectedStart, expectedEnd;
    } cases[] = {
        {"earlier", Time(9, 0), Time(10, 30), Time(7, 0), Time(7, 0), Time(8, 30)},
        {"later", Time(9, 0), Time(10, 30), Time(13, 15), Time(13, 15), Time(14, 45)},
        {"cut at 23:59", Time(22, 0), Time(23, 30), Time(23, 0), Time(23, 0), kEndOfDay},
        {"to the last minute", Time(8, 0), Time(9, 0), kEndOfDay, kEndOfDay, kEndOfDay},
        // Starts past the day's last minute stay in the day, as ends do.
        {"past 23:59", Time(8, 0), Time(9, 0), Time(23, 59, 30), kEndOfDay, kEndOfDay},
        {"with a day part", Time(8, 0), Time(9, 0), 2 + Time(4, 0), kEndOfDay, kEndOfDay},
        {"empty block", Time(8, 0), Time(8, 0), Time(12, 0), Time(12, 0), Time(12, 0)},
    };
    for (const Case& c : cases) {
        TimeRange range = Range(c.start, c.end);
        range.SetStartKeepDuration(c.newStart);
        ExpectTimes(range, c.expectedStart, c.expectedEnd, c.what);
    }
}

TEST_F(TimeRangeTest, ConstructionKeepsTheBlockInItsDay)
{
    ExpectTimes(Range(Time(9, 0), Time(10, 0)), Time(9, 0), Time(10, 0), "plain");
    ExpectTimes(Range(Time(11, 0), Time(10, 0)), Time(11, 0), Time(11, 0), "end before start");
    ExpectTimes(Range(Time(23, 59, 40), Time(23, 59, 50)), kEndOfDay, kEndOfDay, "seconds before midnight");
    ExpectTimes(Range(Time(22, 0), 1.1), Time(22, 0), kEndOfDay, "end tomorrow");
}

TEST_F(TimeRangeTest, TimeTexts)
{
    TimeRange range = Range(Time(9, 5), Time(21, 30));
    EXPECT_EQ(range.GetStartTimeXmlText(), L"09:05");
    EXPECT_EQ(range.GetEndTimeXmlText(), L"21:30");
    EXPECT_EQ(range.GetStartTimeText(), L"09:05");
    Options::SetTimeFormat(2);
    EXPECT_EQ(range.GetEndTimeText(), L"09:30 PM");
    EXPECT_EQ(range.GetEndTimeXmlText(), L"21:30");

    struct Case {
        const wchar_t* start;
        const wchar_t* end;
        double expectedStart, expectedEnd;
    } cases[] = {
        {L"10:00", L"12:45", Time(10, 0), Time(12, 45)},
        {L"8pm", L"11pm", Time(20, 0), Time(23, 0)},
        {L"", L"01:00", 0, Time(1, 0)},
        {L"nonsense", L"also nonsense", 0, 0},
        {L"14:00", L"13:00", Time(14, 0), Time(14, 0)},
    };
    for (const Case& c : cases) {
        TimeRange read;
        read.SetStartTimeText(c.start);
        read.SetEndTimeText(c.end);
        ExpectTimes(read, c.expectedStart, c.expectedEnd, "texts");
    }
}

TEST_F(TimeRangeTest, StoredTextsRoundTrip)
{
    const TimeRange original(Time(7, 15), Time(23, 59), L"Standup", L"Daily", 1);
    TimeRange read(0, 0, L"Standup", L"Daily", 1);
    read.SetStartTimeText(original.GetStartTimeXmlText());
    read.SetEndTimeText(original.GetEndTimeXmlText());
    EXPECT_EQ(read, original);
}

TEST_F(TimeRangeTest, Durations)
{
    TimeRange range = Range(Time(9, 0), Time(10, 30));
    EXPECT_DOUBLE_EQ(range.GetDurationHours(), 1.5);
    EXPECT_DOUBLE_EQ(range.GetDurationMinutes(), 90);
    EXPECT_DOUBLE_EQ(range.GetDuration(), Time(1, 30));
    EXPECT_EQ(range.GetDurationText(), L"1.5");
    EXPECT_EQ(Range(Time(9, 0), Time(11, 0)).GetDurationText(), L"2");
    EXPECT_EQ(Range(0, kEndOfDay).GetDurationMinutes(), 1439);
}

TEST_F(TimeRangeTest, PhaseAndRemainingHoursAgainstNow)
{
    // Now is 2024-05-15 10:30.
    const double today = Date(2024, 5, 15);
    struct Case {
        const char* what;
        double day, start, end;
        int phase;
        double remaining;
    } cases[] = {
        {"yesterday", today - 1, Time(20, 0), Time(23, 0), 2, 0},
        {"tomorrow", today + 1, Time(1, 0), Time(2, 0), 0, 1},
        {"later today", today + 0.8, Time(11, 0), Time(13, 0), 0, 2},
        {"running", today, Time(10, 0), Time(12, 0), 1, 1.5},
        {"starting now", today, Time(10, 30), Time(11, 0), 1, 0.5},
        {"ending now", today, Time(9, 0), Time(10, 30), 2, 0},
        {"earlier today", today, Time(8, 0), Time(9, 0), 2, 0},
    };
    for (const Case& c : cases) {
        const TimeRange range = Range(c.start, c.end);
        EXPECT_EQ(range.GetPhase(c.day), c.phase) << c.what;
        EXPECT_NEAR(range.GetRemainingHours(c.day), c.remaining, 1e-9) << c.what;
    }
    EXPECT_EQ(Range(Time(10, 0), Time(12, 0)).GetRemainingHoursText(today), L"1.5");
}

TEST_F(TimeRangeTest, RunningNowLooksAtTimesOfDayOnly)
{
    struct Case {
        double now;
        bool running;
    } cases[] = {
        {DateTime(2024, 5, 15, 8, 59), false}, {DateTime(2024, 5, 15, 9, 0), true},
        {DateTime(2030, 1, 1, 9, 59), true},   {DateTime(2024, 5, 15, 10, 0), false},
    };
    const TimeRange range = Range(Time(9, 0), Time(10, 0));
    for (const Case& c : cases) {
        SetNow(c.now);
        EXPECT_EQ(range.IsRunningNow(), c.running) << c.now;
        EXPECT_EQ(range.ContainsNow(), c.running) << c.now;
    }
}

TEST_F(TimeRangeTest, EndToNow)
{
    TimeRange range = Range(Time(9, 0), Time(9, 0));
    range.SetEndToNow();
    ExpectTimes(range, Time(9, 0), Time(10, 30), "after the start");
    TimeRange later = Range(Time(11, 0), Time(12, 0));
    later.EndNow();
    ExpectTimes(later, Time(11, 0), Time(11, 0), "before the start");
}

TEST_F(TimeRangeTest, SortOrders)
{
    const TimeRange nine = Range(Time(9, 0), Time(10, 0));
    const TimeRange nineAndSeconds = Range(Time(9, 0, 40), Time(10, 0));
    const TimeRange ten = Range(Time(10, 0), Time(11, 0));
    EXPECT_TRUE(StartsBefore(nine, ten));
    EXPECT_FALSE(StartsBefore(ten, nine));
    EXPECT_TRUE(StartsBefore(nine, nineAndSeconds));
    EXPECT_FALSE(StartsBefore(nine, nine));
    EXPECT_TRUE(StartsNoLaterToTheMinute(nineAndSeconds, nine));
    EXPECT_TRUE(StartsNoLaterToTheMinute(nine, nineAndSeconds));
    EXPECT_FALSE(StartsNoLaterToTheMinute(ten, nineAndSeconds));

    std::vector<TimeRange> day = {ten, nineAndSeconds, nine};
    std::stable_sort(day.begin(), day.end(), StartsBefore);
    EXPECT_EQ(day[0], nine);
    EXPECT_EQ(day[2], ten);
}

TEST_F(TimeRangeTest, PlanEntryDrawsIdsAndKeepsItsDescriptionAndNameApart)
{
    TaskPlanEntry::SetIdCounter(99);
    const TaskPlanEntry entry(7, Time(9, 0), Time(10, 0), L"desc", L"name", 1, 1);
    EXPECT_EQ(entry.GetId(), 100);
    EXPECT_EQ(entry.GetName(), L"name");
    EXPECT_EQ(entry.GetDescription(), L"desc");
    EXPECT_EQ(entry.GetTask(), TaskCard());

    TaskPlanEntry copy(entry);
    copy.AssignNewId();
    EXPECT_EQ(copy.GetId(), 101);
}

TEST_F(TimeRangeTest, PlanEntryEqualityIncludesCompletionAndTask)
{
    const TaskPlanEntry entry(7, Time(9, 0), Time(10, 0), L"", L"n", 0, 0);
    TaskPlanEntry other(entry);
    other.SetDailyRecurrence(true);
    other.GetTask().SetName(L"copy of the task");
    EXPECT_EQ(other, entry);
    other.SetCompleted(true);
    EXPECT_FALSE(other == entry);
    TaskPlanEntry otherTask(entry);
    otherTask.SetTaskId(8);
    EXPECT_FALSE(otherTask == entry);
}

TEST_F(TimeRangeTest, PlanEntriesSharingATaskChangeOnlyTheirOwn)
{
    auto task = std::make_shared<TaskCard>();
    task->SetName(L"shared");
    TaskPlanEntry first(7, Time(9, 0), Time(10, 0), L"", L"n", 0, 0);
    first.ShareTask(task);
    TaskPlanEntry second(first);
    second.GetTask().SetName(L"renamed");
    first.SetTaskColor(0x123456);
    EXPECT_EQ(task->GetName(), L"shared");
    EXPECT_EQ(task->GetColorDef(), -1);
    EXPECT_EQ(first.GetTask().GetName(), L"shared");
    EXPECT_EQ(second.GetTask().GetName(), L"renamed");
    EXPECT_EQ(second.GetTask().GetColorDef(), -1);
}
