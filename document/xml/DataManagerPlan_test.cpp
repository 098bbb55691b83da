#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include "document/xml/DataManagerTestSupport.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

namespace {

const double kToday = Date(2024, 5, 15);

class DataManagerPlanTest : public DataManagerTest {
protected:
    void SetUp() override
    {
        DataManagerTest::SetUp();
        Open(kSmallPlan);
    }

    void OpenWithDaily(const EString& daily, const EString& more = EString())
    {
        EString plan = kSmallPlan;
        plan.insert(plan.size() - 7, L"<DAILY>" + daily + L"</DAILY>" + more);
        Open(plan);
    }

    TaskPlanEntry NewEntry(int taskId, const wchar_t* start, const wchar_t* end, bool recurring = false)
    {
        TaskPlanEntry entry(taskId, TimeParser::ParseTime(start), TimeParser::ParseTime(end), L"", L"", 0,
                            recurring ? 1 : 0);
        TaskCard task;
        m_doc.GetTask(taskId, task);
        entry.SetTask(task);
        return entry;
    }
};

} // namespace

TEST_F(DataManagerPlanTest, EntriesWithTheSameStartStandNewestFirst)
{
    Options::SetAllowSimultaneous(1);
    const int first = Add(kToday, 1, L"09:00", L"10:00");
    const int second = Add(kToday, 2, L"09:00", L"09:30");
    const int third = Add(kToday, 1, L"08:00", L"08:30");
    EXPECT_EQ(Day(kToday, true),
              EString::Formatted(L"#%d 08:00-08:30 #%d 09:00-09:30 #%d 09:00-10:00", third, second, first));
}

TEST_F(DataManagerPlanTest, ReadingADayRemovesTheEntriesOfTasksThatAreGoneAndKeepsTheOthers)
{
    OpenWithDaily(L"<DAY DATE=\"2024-05-15\"><PLANENTRY ID=\"1\" TASKID=\"1\" STARTTIME=\"09:00\" ENDTIME=\"10:00\"/>"
                  L"<PLANENTRY ID=\"2\" TASKID=\"99\" STARTTIME=\"10:00\" ENDTIME=\"11:00\"/><!-- note -->"
                  L"<PLANENTRY ID=\"3\" TASKID=\"2\" STARTTIME=\"11:00\" ENDTIME=\"12:00\"/></DAY>");
    std::vector<TaskPlanEntry> entries;
    m_doc.GetDayPlanEntries(kToday, entries);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].GetName(), L"Write");
    EXPECT_EQ(entries[1].GetName(), L"Read");
    EXPECT_EQ(entries[1].GetTask().GetId(), 2);
    EXPECT_EQ(Day(kToday), L"09:00-10:00 11:00-12:00");
    EXPECT_TRUE(m_doc.FindPlanEntry(2).IsEmpty());

    // A day read for the first time is kept, empty.
    m_doc.GetDayPlanEntries(kToday + 3, entries);
    EXPECT_FALSE(Select(m_doc, L"//DAY[@DATE=\"2024-05-18\"]").IsEmpty());
}

TEST_F(DataManagerPlanTest, ATaskThatDoesNotReadIsAnErrorAndItsEntriesStay)
{
    OpenWithDaily(L"<DAY DATE=\"2024-05-15\"><PLANENTRY ID=\"1\" TASKID=\"6\" STARTTIME=\"09:00\" ENDTIME=\"10:00\"/>"
                  L"</DAY>");
    m_doc.GetRoot().AppendChild(XmlNode(m_doc.GetDocument(false).CreateElement(L"TASK")));
    XmlDoc::SetAttribute(Select(m_doc, L"/ROOT/TASK[last()]"), L"ID", L"6");
    XmlDoc::SetAttribute(Select(m_doc, L"/ROOT/TASK[last()]"), L"STATUS", L"done");
    m_doc.InvalidateIndex();
    std::vector<TaskPlanEntry> entries;
    EXPECT_EQ(RaisedError([&] { m_doc.GetDayPlanEntries(kToday, entries); }).Error(), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Day(kToday), L"09:00-10:00");
}

TEST_F(DataManagerPlanTest, PlanningATaskPutsItInProgressWithTheColourOfItsEntry)
{
    TaskPlanEntry entry = NewEntry(1, L"09:00", L"10:00");
    entry.GetTask().SetColor(0x123456);
    m_doc.AddPlanEntry(kToday, entry, true, true);
    EXPECT_EQ(TaskStatus(1), TaskCard::kInProgress);
    EXPECT_EQ(TaskAttribute(1, L"COLORDEF"), L"1193046");

    // An entry built without its task leaves the task's colour alone.
    const EString colour = TaskAttribute(5, L"COLORDEF");
    Add(kToday, 5, L"11:00", L"12:00");
    EXPECT_EQ(TaskAttribute(5, L"COLORDEF"), colour);
    EXPECT_EQ(TaskStatus(5), TaskCard::kInProgress);
}

TEST_F(DataManagerPlanTest, DeletingTheLastEntryOfATaskMakesItNewWhateverItWas)
{
    const int first = Add(kToday, 3, L"09:00", L"10:00");
    const int second = Add(kToday + 1, 3, L"09:00", L"10:00");
    TaskCard task;
    m_doc.GetTask(3, task);
    task.SetStatus(TaskCard::kCompleted);
    m_doc.UpdateTask(task);
    m_doc.DeletePlanEntry(first);
    EXPECT_EQ(TaskStatus(3), TaskCard::kCompleted);
    m_doc.DeletePlanEntries({second, 12345});
    EXPECT_EQ(TaskStatus(3), TaskCard::kNew);
    EXPECT_EQ(Day(kToday) + Day(kToday + 1), L"");
}

TEST_F(DataManagerPlanTest, DoneHoursAreOfEntriesBegunBeforeNowAndPlannedHoursOfTheRest)
{
    // Now is 10:30 on 2024-05-15.
    OpenWithDaily(L"<DAY DATE=\"2024-05-14\"><PLANENTRY ID=\"1\" TASKID=\"1\" STARTTIME=\"14:00\" ENDTIME=\"16:00\"/></DAY>"
                  L"<DAY DATE=\"2024-05-15\"><PLANENTRY ID=\"2\" TASKID=\"1\" STARTTIME=\"09:00\" ENDTIME=\"11:00\"/>"
                  L"<PLANENTRY ID=\"3\" TASKID=\"1\" STARTTIME=\"10:30\" ENDTIME=\"11:00\"/>"
                  L"<PLANENTRY ID=\"4\" TASKID=\"2\" STARTTIME=\"12:00\" ENDTIME=\"12:30\"/></DAY>"
                  L"<DAY DATE=\"2024-05-16\"><PLANENTRY ID=\"5\" TASKID=\"1\" STARTTIME=\"09:00\" ENDTIME=\"09:15\"/></DAY>");
    TaskCard task;
    m_doc.GetTaskWithTimes(1, task);
    EXPECT_NEAR(task.GetDoneTime(), 4.0, 1e-9);
    EXPECT_NEAR(task.GetPlannedTime(), 0.75, 1e-9);
    EXPECT_DOUBLE_EQ(m_doc.GetLastPlanDateOfTask(1), Date(2024, 5, 16));
    EXPECT_EQ(m_doc.GetLastPlanDateOfTask(5), 0);
    EXPECT_NEAR(m_doc.GetMaxTaskEstimation({1, 2}), 2.0, 1e-9); // task 2: 2.5 less 0.5 planned
    EXPECT_EQ(m_doc.GetMaxTaskEstimation({}), 0);
    EXPECT_EQ(m_doc.SelectPlanEntriesOfTask(1).size(), 4u);
}

TEST_F(DataManagerPlanTest, AMissingEntryLeavesTheRecordAndOneWhoseTaskIsGoneReadsAsRemoved)
{
    OpenWithDaily(L"<DAY DATE=\"2024-05-15\"><PLANENTRY ID=\"7\" TASKID=\"99\" STARTTIME=\"09:00\" ENDTIME=\"10:00\">"
                  L"<DESCRIPTION>kept</DESCRIPTION></PLANENTRY></DAY>");
    TaskPlanEntry entry;
    entry.SetName(L"before");
    EXPECT_FALSE(m_doc.GetPlanEntry(8, entry));
    EXPECT_EQ(entry.GetName(), L"before");
    EXPECT_TRUE(m_doc.GetPlanEntry(7, entry));
    EXPECT_EQ(entry.GetName(), L"TaskRemoved");
    EXPECT_EQ(entry.GetDescription(), L"kept");
    EXPECT_EQ(entry.GetStartTimeXmlText(), L"09:00");
    EXPECT_EQ(RaisedError([&] { m_doc.UpdatePlanEntry(TaskPlanEntry(), true); }).Error(), E_POINTER);
}

TEST_F(DataManagerPlanTest, ARecurringEntryMakesItsTaskRecurEveryDayFromItsDay)
{
    m_doc.AddPlanEntry(kToday + 1, NewEntry(1, L"08:00", L"08:30", true), true, true);
    RecurrenceInfo rule;
    ASSERT_TRUE(m_doc.GetRecurrence(1, rule));
    EXPECT_TRUE(rule.IsEveryDay());
    EXPECT_EQ(rule.GetStartDate(), kToday + 1);
    EXPECT_EQ(rule.GetStartTimeXmlText(), L"08:00");
    EXPECT_EQ(rule.GetEndTimeXmlText(), L"08:30");
    EXPECT_EQ(TaskAttribute(1, L"DEADLINE"), L"2024-05-16");

    // Without the recurrence flag the entry is only planned.
    m_doc.AddPlanEntry(kToday, NewEntry(2, L"09:00", L"09:30", true), true, false);
    EXPECT_FALSE(m_doc.HasRecurrence(2));
}

TEST_F(DataManagerPlanTest, UpdatingAnEntryFollowsWithItsRecurrenceAndCompletion)
{
    // A plain entry completed completes its task.
    TaskPlanEntry loose = Entry(Add(kToday, 5, L"15:00", L"16:00"));
    loose.SetCompleted(true);
    m_doc.UpdatePlanEntry(loose, false);
    EXPECT_EQ(TaskStatus(5), TaskCard::kCompleted);

    // Made recurring, an entry makes its task recur from the entry's day.
    const int plain = Add(kToday + 1, 1, L"09:00", L"10:00");
    TaskPlanEntry entry = Entry(plain);
    entry.SetDailyRecurrence(true);
    m_doc.UpdatePlanEntry(entry, false);
    RecurrenceInfo rule;
    ASSERT_TRUE(m_doc.GetRecurrence(1, rule));
    EXPECT_EQ(rule.GetStartDate(), kToday + 1);

    // A completed occurrence is marked and the deadline moves past its day.
    entry = Entry(plain);
    EXPECT_TRUE(entry.IsDailyRecurrence());
    entry.SetCompleted(true);
    m_doc.UpdatePlanEntry(entry, false);
    EXPECT_TRUE(m_doc.IsPlanCompleted(1, plain));
    EXPECT_TRUE(Entry(plain).IsCompleted());
    EXPECT_EQ(TaskAttribute(1, L"DEADLINE"), L"2024-05-17");
    entry.SetCompleted(false);
    m_doc.UpdatePlanEntry(entry, false);
    EXPECT_FALSE(m_doc.IsPlanCompleted(1, plain));

    // The times of the occurrence are the rule's; no longer recurring, the rule goes.
    entry.SetStartKeepDuration(TimeParser::ParseTime(L"13:00"));
    m_doc.UpdatePlanEntry(entry, false);
    m_doc.GetRecurrence(1, rule);
    EXPECT_EQ(rule.GetStartTimeXmlText(), L"13:00");
    entry.SetDailyRecurrence(false);
    m_doc.UpdatePlanEntry(entry, false);
    EXPECT_FALSE(m_doc.HasRecurrence(1));
}

TEST_F(DataManagerPlanTest, EachEntryOfADayReadsItsOwnTaskAndItsOwnCompletion)
{
    // Task 1 recurs, with one of its two entries done; task 2 is planned twice too.
    TaskPlanEntry recurring = NewEntry(1, L"08:00", L"09:00", true);
    m_doc.AddPlanEntry(kToday, recurring, true, true);
    const int doneOccurrence = recurring.GetId();
    const int openOccurrence = Add(kToday, 1, L"10:00", L"11:00");
    const int read = Add(kToday, 2, L"12:00", L"13:00");
    const int readAgain = Add(kToday, 2, L"14:00", L"15:00");
    m_doc.AddCompletedPlan(1, doneOccurrence);
    std::vector<TaskPlanEntry> entries;
    m_doc.GetDayPlanEntries(kToday, entries);
    const struct {
        int id;
        const wchar_t* name;
        bool completed;
        bool daily;
    } expected[] = {
        {doneOccurrence, L"Write", true, true},
        {openOccurrence, L"Write", false, true},
        {read, L"Read", false, false},
        {readAgain, L"Read", false, false},
    };
    ASSERT_EQ(entries.size(), std::size(expected));
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].GetId(), expected[i].id) << i;
        EXPECT_EQ(entries[i].GetName(), expected[i].name) << i;
        EXPECT_EQ(entries[i].GetTask().GetId(), entries[i].GetTaskId()) << i;
        EXPECT_EQ(entries[i].IsCompleted(), expected[i].completed) << i;
        EXPECT_EQ(entries[i].IsDailyRecurrence(), expected[i].daily) << i;
    }
}

TEST_F(DataManagerPlanTest, EntriesUpdatedAtOnceEachTakeTheirChangeAndOnlyMovedOnesMove)
{
    Options::SetAllowSimultaneous(1);
    const int first = Add(kToday, 5, L"09:00", L"10:00");
    const int second = Add(kToday, 3, L"09:00", L"09:30");
    const int third = Add(kToday, 2, L"11:00", L"12:00");
    const EString order = EString::Formatted(L"#%d 09:00-09:30 #%d 09:00-10:00 #%d 11:00-12:00", second, first, third);
    ASSERT_EQ(Day(kToday, true), order);
    TaskPlanEntry done = Entry(first);
    done.SetCompleted(true);
    TaskPlanEntry alsoDone = Entry(second);
    alsoDone.SetCompleted(true);
    m_doc.UpdatePlanEntries({done, alsoDone}, true);
    EXPECT_EQ(Day(kToday, true), order) << "completing moves nothing, not even among equal starts";
    EXPECT_EQ(TaskStatus(5), TaskCard::kCompleted);
    EXPECT_EQ(TaskStatus(3), TaskCard::kCompleted);

    TaskPlanEntry moved = Entry(third);
    moved.SetStartKeepDuration(TimeParser::ParseTime(L"08:00"));
    moved.SetCompleted(true);
    done.SetCompleted(false);
    m_doc.UpdatePlanEntries({moved, done}, true);
    EXPECT_EQ(Day(kToday, true),
              EString::Formatted(L"#%d 08:00-09:00 #%d 09:00-09:30 #%d 09:00-10:00", third, second, first))
        << "a moved entry takes its place";
    EXPECT_EQ(TaskStatus(2), TaskCard::kCompleted);
    EXPECT_EQ(TaskStatus(5), TaskCard::kInProgress);
}

TEST_F(DataManagerPlanTest, AHolidayIsToggledByItsDayWhateverTheTextOfItsNumber)
{
    m_doc.ToggleHoliday(kToday + 0.75);
    EXPECT_EQ(Attribute(m_doc.FindHoliday(kToday), L"DATE"), L"45427");
    m_doc.ToggleHoliday(kToday);
    EXPECT_TRUE(m_doc.FindHoliday(kToday).IsEmpty());
    EXPECT_EQ(m_doc.GetHolidaysSection().GetChildElements().size(), 0u);

    // A hand-written "45427.0" is the same day to the work-day test, so a
    // toggle takes it away rather than adding a second one.
    Open(L"<ROOT><HOLIDAYS><HOLIDAY DATE=\"45427.0\"/><HOLIDAY DATE=\"45427\"/><HOLIDAY DATE=\"45430\"/></HOLIDAYS>"
         L"</ROOT>");
    EXPECT_FALSE(m_doc.FindHoliday(kToday).IsEmpty());
    m_doc.ToggleHoliday(kToday);
    EXPECT_TRUE(m_doc.FindHoliday(kToday).IsEmpty());
    EXPECT_TRUE(m_doc.GetWorkCalendar().IsNonWorkDay(kToday + 3) == false); // a stored Saturday is worked
    EXPECT_EQ(RaisedError([&] { m_doc.ToggleHoliday(std::nan("")); }).Error(), E_INVALIDARG);
}

TEST_F(DataManagerPlanTest, PropertiesOfADocumentWithoutThemAreEmpty)
{
    DocProperties properties;
    properties.SetAuthor(L"someone");
    m_doc.GetProperties(properties);
    EXPECT_EQ(properties.GetAuthor() + properties.GetCompany() + properties.GetManager() + properties.GetTitle() +
                  properties.GetAddress(),
              L"");
}
