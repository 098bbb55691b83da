#include <gtest/gtest.h>

#include <cmath>

#include "document/xml/DataManagerTestSupport.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

namespace {

const double kToday = Date(2024, 5, 15); // a Wednesday
const double kFriday = Date(2024, 5, 17);

class DataManagerSchedulingTest : public DataManagerTest {
protected:
    void OpenWith(const EString& content)
    {
        Open(L"<ROOT>" + content + L"</ROOT>");
    }

    static EString Task(int id, const wchar_t* deadline, const wchar_t* estimation, int status = 0,
                        int importance = 1)
    {
        EString xml = EString::Formatted(L"<TASK ID=\"%d\" NAME=\"t%d\" STATUS=\"%d\" IMPORTANCE=\"%d\" ESTIMATION=\"%s\"",
                                         id, id, status, importance, estimation);
        if (*deadline)
            xml += EString::Formatted(L" DEADLINE=\"%s\"", deadline);
        return xml + L"/>";
    }

    static EString Entry(int id, int taskId, const wchar_t* start, const wchar_t* end)
    {
        return EString::Formatted(L"<PLANENTRY ID=\"%d\" TASKID=\"%d\" STARTTIME=\"%s\" ENDTIME=\"%s\"/>", id, taskId,
                                  start, end);
    }

    EString Deadline(int taskId) { return TaskAttribute(taskId, L"DEADLINE"); }
};

struct RangeCase {
    const char* name;
    const wchar_t* content;
    int categoryId;
    double first;
    double last;
};

const RangeCase kRangeCases[] = {
    {"plans and deadlines after today: from the earliest plan",
     L"<CATEGORY ID=\"1\" NAME=\"c\" DEADLINE=\"2024-06-10\"><TASK ID=\"1\" DEADLINE=\"2024-06-20\"/>"
     L"<TASK ID=\"2\" DEADLINE=\"2024-06-12\"/></CATEGORY>"
     L"<DAILY><DAY DATE=\"2024-06-01\"><PLANENTRY ID=\"1\" TASKID=\"2\"/></DAY>"
     L"<DAY DATE=\"2024-06-05\"><PLANENTRY ID=\"2\" TASKID=\"1\"/></DAY></DAILY>",
     1, Date(2024, 6, 1), Date(2024, 7, 13)},
    {"a task without a deadline is due today and pulls the start back",
     L"<CATEGORY ID=\"1\" NAME=\"c\" DEADLINE=\"2024-06-10\"><TASK ID=\"1\" DEADLINE=\"2024-06-20\"/><TASK ID=\"2\"/>"
     L"</CATEGORY><DAILY><DAY DATE=\"2024-06-01\"><PLANENTRY ID=\"1\" TASKID=\"1\"/></DAY></DAILY>",
     1, Date(2024, 5, 15), Date(2024, 6, 26)},
    {"an empty category whose deadline lies inside shows six weeks from today",
     L"<CATEGORY ID=\"1\" NAME=\"c\" DEADLINE=\"2024-06-01\"/>", 1, Date(2024, 5, 15), Date(2024, 6, 26)},
    {"a category's deadline beyond the range widens it",
     L"<CATEGORY ID=\"1\" NAME=\"c\" DEADLINE=\"2024-09-01\"/>", 1, Date(2024, 5, 15), Date(2024, 9, 1)},
    {"late deadlines and plans of the whole tree stretch the end",
     L"<CATEGORY ID=\"1\" NAME=\"c\"><TASK ID=\"1\" DEADLINE=\"2024-05-01\"/>"
     L"<CATEGORY ID=\"2\" NAME=\"d\"><TASK ID=\"2\" DEADLINE=\"2024-08-01\"/></CATEGORY></CATEGORY>"
     L"<DAILY><DAY DATE=\"2024-10-02\"><PLANENTRY ID=\"1\" TASKID=\"2\"/></DAY></DAILY>",
     0, Date(2024, 5, 1), Date(2024, 10, 2)},
};

} // namespace

TEST_F(DataManagerSchedulingTest, TheDateRangeOfACalendarFollowsPlansDeadlinesAndTheCategory)
{
    for (const RangeCase& c : kRangeCases) {
        SCOPED_TRACE(c.name);
        OpenWith(c.content);
        double first = 0, last = 0;
        m_doc.GetTaskDateRange(c.categoryId, FilterInfo(0, 0, 0, c.categoryId), first, last);
        EXPECT_EQ(DateParser::FormatDate(first), DateParser::FormatDate(c.first));
        EXPECT_EQ(DateParser::FormatDate(last), DateParser::FormatDate(c.last));
    }
}

TEST_F(DataManagerSchedulingTest, DeadlinesSpreadOverWorkDaysByTheLoadFactor)
{
    // By deadline, then importance, then id; the completed task keeps its deadline and adds nothing.
    OpenWith(L"<CATEGORY ID=\"1\" NAME=\"c\">" + Task(3, L"2024-05-01", L"3.0", 0, 1) +
             Task(1, L"2024-05-01", L"2.0", 0, 0) + Task(2, L"2024-04-01", L"9.0", 2) +
             Task(4, L"2024-05-02", L"2.0") + L"</CATEGORY>");
    m_doc.ArrangeDeadlines(1, 0, kFriday + 0.5, 2.5f);
    EXPECT_EQ(Deadline(1), L"2024-05-17"); // 2 hours: that Friday
    EXPECT_EQ(Deadline(3), L"2024-05-20"); // 5 hours: the Monday after
    EXPECT_EQ(Deadline(4), L"2024-05-21"); // 7 hours
    EXPECT_EQ(Deadline(2), L"2024-04-01");
}

TEST_F(DataManagerSchedulingTest, ALoadFactorThatIsNoPositiveNumberCountsAsTheDefault)
{
    for (const float factor : {0.0f, -1.0f, std::nanf(""), INFINITY}) {
        SCOPED_TRACE(factor);
        OpenWith(L"<CATEGORY ID=\"1\" NAME=\"c\">" + Task(1, L"2024-05-01", L"2.0") + Task(2, L"2024-05-02", L"3.0") +
                 L"</CATEGORY>");
        m_doc.ArrangeDeadlines(1, 0, kFriday, factor);
        EXPECT_EQ(Deadline(1), L"2024-05-17");
        EXPECT_EQ(Deadline(2), L"2024-05-20");
    }
    // So small a factor that the deadline passes the last date there is: held there, counted at once.
    OpenWith(L"<CATEGORY ID=\"1\" NAME=\"c\">" + Task(1, L"2024-05-01", L"2.0") + L"</CATEGORY>");
    m_doc.ArrangeDeadlines(1, 0, kFriday, 1e-30f);
    EXPECT_EQ(Deadline(1), L"9999-12-31");
}

TEST_F(DataManagerSchedulingTest, WorkDaysAreCountedAsSteppingThroughThemWould)
{
    const std::vector<double> holidays = {Date(2024, 5, 20), Date(2024, 5, 25), Date(2024, 5, 25), 45440.5,
                                          Date(2023, 12, 25)};
    for (const bool weekendsOff : {true, false}) {
        const WorkCalendar calendar(holidays, weekendsOff);
        Holidays reference;
        reference.SetDates(holidays);
        for (double first = Date(2023, 12, 20); first < Date(2024, 1, 5); first += 3) {
            for (double last = first - 2; last < Date(2024, 6, 10); last += 5) {
                long long stepped = 0;
                for (double day = first; day <= last; ++day)
                    stepped += reference.IsHoliday(day, weekendsOff) ? 1 : 0;
                ASSERT_EQ(calendar.CountNonWorkDays(first, last), stepped)
                    << weekendsOff << " " << first << " " << last;
            }
        }
    }
    const WorkCalendar calendar(holidays, true);
    EXPECT_EQ(calendar.NextWorkDay(kFriday), Date(2024, 5, 21)); // the Monday is a holiday
    EXPECT_EQ(calendar.NextWorkDay(Date(2024, 5, 23)), Date(2024, 5, 24));
    EXPECT_EQ(calendar.AdjustForNonWorkDays(kFriday, kFriday + 1), Date(2024, 5, 21));
    // A span of millions of days is counted at once: its weekends, a worked
    // Saturday and two weekday holidays.
    long long weekends = 0;
    for (long long day = -600000; day <= 2900000; ++day)
        weekends += ((day % 7) + 7) % 7 < 2 ? 1 : 0;
    EXPECT_EQ(calendar.CountNonWorkDays(-600000, 2900000), weekends + 1);
}

TEST_F(DataManagerSchedulingTest, ScheduledTasksRunOnIntoTheNextDayPastMidnight)
{
    OpenWith(L"<CATEGORY ID=\"1\" NAME=\"c\">" + Task(1, L"", L"3.0") + Task(2, L"", L"0.5") + Task(3, L"", L"6.0") +
             L"</CATEGORY>");
    m_doc.ScheduleTasks(kToday, TimeParser::ParseTime(L"22:00"), {1, 2}, 0, 8);
    EXPECT_EQ(Day(kToday), L"22:00-23:59");
    EXPECT_EQ(Day(kToday + 1), L"00:00-01:01 01:01-01:31");
    EXPECT_EQ(TaskStatus(1), TaskCard::kInProgress);

    m_doc.ScheduleTasks(kToday + 3, TimeParser::ParseTime(L"09:00"), {2, 3}, 1, 4);
    EXPECT_EQ(Day(kToday + 3), L"09:00-10:00 10:00-14:00");
}

TEST_F(DataManagerSchedulingTest, TheProposedStartFollowsTheEntriesOfTheDay)
{
    OpenWith(L"<CATEGORY ID=\"1\" NAME=\"c\">" + Task(1, L"", L"3.0") + L"</CATEGORY><DAILY><DAY DATE=\"2024-05-16\">" +
             Entry(1, 1, L"09:00", L"10:00") + Entry(2, 1, L"13:00", L"14:30") + L"</DAY><DAY DATE=\"2024-05-17\">" +
             L"<PLANENTRY ID=\"3\" TASKID=\"1\" STARTTIME=\"11:00\" ENDTIME=\"12:00\" FIXEDTIME=\"1\"/></DAY></DAILY>");
    Options::SetDayBegin(L"08:15");
    const double tomorrow = kToday + 1;
    EXPECT_EQ(TimeParser::FormatTime24(m_doc.GetProposedStartTime(kToday, 0, 0)), L"10:30"); // now
    EXPECT_EQ(TimeParser::FormatTime24(m_doc.GetProposedStartTime(kToday + 5, 0, 0)), L"08:15");
    EXPECT_EQ(TimeParser::FormatTime24(m_doc.GetProposedStartTime(tomorrow, 0, 0)), L"14:30");
    EXPECT_EQ(TimeParser::FormatTime24(m_doc.GetProposedStartTime(tomorrow, 2, 0)), L"10:00");
    EXPECT_EQ(TimeParser::FormatTime24(m_doc.GetProposedStartTime(tomorrow, 1, 0.1)), L"09:00");
    EXPECT_EQ(TimeParser::FormatTime24(m_doc.GetProposedStartTime(tomorrow, 99, 0)), L"14:30");
    EXPECT_EQ(TimeParser::FormatTime24(m_doc.GetProposedStartTime(kFriday, 3, 1.0 / 24)), L"10:00");
}

TEST_F(DataManagerSchedulingTest, TheEntryBeforeIsProlongedOnlyWhenItIsTheOneExpected)
{
    OpenWith(L"<CATEGORY ID=\"1\" NAME=\"c\">" + Task(1, L"", L"3.0") + L"</CATEGORY><DAILY><DAY DATE=\"2024-05-16\">" +
             Entry(1, 1, L"09:00", L"10:00") + Entry(2, 1, L"11:00", L"12:00") + L"</DAY></DAILY>");
    m_doc.ProlongPreviousEntry(2, 3);
    m_doc.ProlongPreviousEntry(1, 0);
    EXPECT_EQ(Day(kToday + 1), L"09:00-10:00 11:00-12:00");
    m_doc.ProlongPreviousEntry(2, 1);
    EXPECT_EQ(Day(kToday + 1), L"09:00-11:00 11:00-12:00");
}

TEST_F(DataManagerSchedulingTest, UnfinishedWorkIsPlannedAgainOnTheNextWorkDay)
{
    // Task 1 twice, task 2 done, task 3 recurring, task 4 with almost nothing left.
    OpenWith(L"<CATEGORY ID=\"1\" NAME=\"c\">" + Task(1, L"", L"4.0") + Task(2, L"", L"1.0", 2) + Task(3, L"", L"1.0") +
             Task(4, L"", L"1.05") + L"</CATEGORY><DAILY><DAY DATE=\"2024-05-17\">" + Entry(1, 1, L"09:00", L"10:00") +
             Entry(2, 2, L"10:00", L"11:00") + Entry(3, 3, L"11:00", L"12:00") + Entry(4, 4, L"12:00", L"13:00") +
             Entry(5, 1, L"14:00", L"15:00") +
             L"</DAY></DAILY><RECURRENCESECTION><RECURRENCE ID=\"3\" PATTERNPERIOD=\"1\"/></RECURRENCESECTION>");
    EXPECT_EQ(m_doc.RescheduleToNextWorkDay(kFriday), Date(2024, 5, 20));
    // Task 1 has 2 hours left; task 4 0.05, so it takes its entry's hour.
    EXPECT_EQ(Day(Date(2024, 5, 20)), L"09:00-10:00 10:00-12:00");
    EXPECT_EQ(Day(kFriday), L"09:00-10:00 10:00-11:00 11:00-12:00 12:00-13:00 14:00-15:00");
}

TEST_F(DataManagerSchedulingTest, RecurringTasksArePlannedOncePerDay)
{
    OpenWith(L"<CATEGORY ID=\"1\" NAME=\"c\">" + Task(1, L"", L"1.0") + Task(2, L"", L"1.0") + Task(3, L"", L"1.0") +
             L"</CATEGORY><DAILY><DAY DATE=\"2024-05-16\">" + Entry(1, 2, L"07:00", L"07:30") +
             L"</DAY></DAILY><RECURRENCESECTION>"
             L"<RECURRENCE ID=\"1\" PATTERNPERIOD=\"0\" STARTDATE=\"2024-05-01\" STARTTIME=\"08:00\" ENDTIME=\"08:30\"/>"
             L"<RECURRENCE ID=\"2\" PATTERNPERIOD=\"0\" STARTDATE=\"2024-05-01\" STARTTIME=\"07:00\" ENDTIME=\"07:30\"/>"
             L"<RECURRENCE ID=\"3\" PATTERNPERIOD=\"0\" STARTDATE=\"2024-06-01\" STARTTIME=\"09:00\" ENDTIME=\"09:30\"/>"
             L"<RECURRENCE ID=\"9\" PATTERNPERIOD=\"0\" STARTDATE=\"2024-05-01\" STARTTIME=\"10:00\" ENDTIME=\"10:30\"/>"
             L"</RECURRENCESECTION>");
    m_doc.AddRecurringPlanEntries(kToday + 1);
    m_doc.AddRecurringPlanEntries(kToday + 1);
    EXPECT_EQ(Day(kToday + 1), L"07:00-07:30 08:00-08:30");
    std::vector<TaskPlanEntry> entries;
    m_doc.GetDayPlanEntries(kToday + 1, entries);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[1].IsDailyRecurrence());
    EXPECT_EQ(entries[1].GetName(), L"t1");
}
