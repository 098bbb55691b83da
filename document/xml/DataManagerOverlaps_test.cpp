#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "document/model/DateFunctions.h"
#include "document/model/TimeRange.h"
#include "document/xml/DataManagerTestSupport.h"
#include "document/xml/ElementRecords.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

namespace {

const double kDay = Date(2024, 5, 20); // a Monday
const double kNextDay = kDay + 1;

struct Block {
    const wchar_t* start;
    const wchar_t* end;
    bool fixed;
};

struct DayCase {
    const char* name;
    std::vector<Block> existing; // stored as they stand, overlaps and all
    Block added;
    const wchar_t* day;          // afterwards, in document order
    const wchar_t* nextDay;
    bool simultaneous = false;
};

EString DayXml(const std::vector<Block>& blocks, double date = kDay, int firstId = 100)
{
    EString xml = L"<DAY DATE=\"" + DateParser::FormatDate(date) + L"\">";
    int id = firstId;
    for (const Block& block : blocks) {
        xml += EString::Formatted(L"<PLANENTRY ID=\"%d\" TASKID=\"%d\" STARTTIME=\"%s\" ENDTIME=\"%s\" FIXEDTIME=\"%d\"/>",
                                  id, 1 + id % 5, block.start, block.end, block.fixed ? 1 : 0);
        ++id;
    }
    return xml + L"</DAY>";
}

// The first entry of a day's text that starts before the one before it
// ends; empty when none does.
EString FirstOverlap(const EString& day)
{
    double end = 0;
    size_t from = 0;
    while (from < day.size()) {
        const size_t space = day.find(L' ', from);
        const EString entry = day.substr(from, space == EString::npos ? EString::npos : space - from);
        const double start = TimeParser::ParseTime(entry.substr(0, 5));
        if (start < end)
            return entry;
        end = TimeParser::ParseTime(entry.substr(6, 5));
        from = space == EString::npos ? day.size() : space + 1;
    }
    return EString();
}

// A stored entry as the DOM holds it.
struct Stored {
    int id;
    int taskId;
    double start, end;
    bool fixed;
};

class DataManagerOverlapsTest : public DataManagerTest {
protected:
    std::vector<Stored> Entries(double date)
    {
        std::vector<Stored> entries;
        const XmlNode day = m_doc.GetPlanDay(date);
        for (XmlNode child = day.GetFirstChildElement(); child; child = child.GetNextElement()) {
            TimeRange times;
            times.SetStartTimeText(Attribute(child, L"STARTTIME"));
            times.SetEndTimeText(Attribute(child, L"ENDTIME"));
            entries.push_back({ElementRecords::ReadInt(child, L"ID"), ElementRecords::ReadInt(child, L"TASKID"),
                               times.GetStartTime(), times.GetEndTime(), Attribute(child, L"FIXEDTIME") == L"1"});
        }
        return entries;
    }
    // Entries that start before one before them ends.
    int Overlapping(double date)
    {
        int overlapping = 0;
        double latestEnd = -1;
        for (const Stored& entry : Entries(date)) {
            if (entry.start < latestEnd - kSecond)
                ++overlapping;
            latestEnd = std::max(latestEnd, entry.end);
        }
        return overlapping;
    }
    static constexpr double kSecond = 1.0 / 86400;

    void OpenDay(const std::vector<Block>& blocks) { OpenDays({blocks}); }
    // The days from kDay on, one after another.
    void OpenDays(const std::vector<std::vector<Block>>& days)
    {
        EString daily = L"<DAILY>";
        for (size_t i = 0; i < days.size(); ++i)
            daily += DayXml(days[i], kDay + static_cast<double>(i), 100 + 1000 * static_cast<int>(i));
        OpenSmallPlanWith(daily + L"</DAILY>");
    }
    // The small plan with these sections of its own at its end.
    void OpenSmallPlanWith(const EString& sections)
    {
        EString plan = kSmallPlan;
        plan.insert(plan.size() - 7, sections);
        Open(plan);
    }
    long PlanEntryCount() { return m_doc.GetDocument(false).SelectNodes(L"//PLANENTRY").GetLength(); }
};

const DayCase kDayCases[] = {
    {"an overlapping entry and each follower it then meets are pushed",
     {{L"09:00", L"10:00", false}, {L"10:00", L"11:00", false}, {L"11:00", L"12:00", false}},
     {L"09:30", L"10:30", false},
     L"09:00-10:00 10:00-11:00 11:00-12:00 12:00-13:00",
     L""},
    {"a fixed entry cuts the entry it is added over",
     {{L"09:00", L"11:00", false}},
     {L"10:00", L"10:30", true},
     L"09:00-10:00 10:00-10:30f",
     L""},
    {"an entry added at the start of a fixed one goes behind it",
     {{L"10:00", L"11:00", true}},
     {L"10:00", L"10:30", false},
     L"10:00-11:00f 11:00-11:30",
     L""},
    {"an entry running into a fixed one later on is cut there",
     {{L"09:00", L"09:30", false}, {L"10:00", L"11:00", true}},
     {L"09:15", L"10:30", false},
     L"09:00-09:30 09:30-10:00 10:00-11:00f",
     L""},
    {"a push past 23:59 ends the entry there and copies the overflow to the next day",
     {{L"22:00", L"23:30", false}},
     {L"22:30", L"23:30", false},
     L"22:00-23:30 23:30-23:59",
     L"00:00-00:31"},
    {"a push to 23:59 moves the whole entry to the next day",
     {{L"20:00", L"23:59", false}},
     {L"21:00", L"22:00", false},
     L"20:00-23:59",
     L"00:00-01:00"},
    {"of two fixed entries that clash the later is pushed to the earlier's end",
     {{L"10:30", L"11:30", true}},
     {L"10:00", L"11:00", true},
     L"10:00-11:00f 11:00-12:00f",
     L""},
    {"two fixed entries that clash at the day's end make one overflow copy",
     {{L"22:30", L"23:30", true}},
     {L"22:00", L"23:00", true},
     L"22:00-23:00f 23:00-23:59f",
     L"00:00-00:01f"},
    {"the followers of an entry pushed off the day are pushed as well",
     {{L"20:00", L"21:00", false}, {L"21:00", L"21:30", false}, {L"21:30", L"22:00", false}},
     {L"20:30", L"23:59", false},
     L"20:00-21:00 21:00-23:59",
     L"00:00-00:30 00:30-01:00 01:00-01:30"},
    {"a fixed entry met further on is pulled forward, and the fixed ones after it are still met",
     {{L"09:00", L"10:00", true}, {L"09:30", L"09:45", false}, {L"09:50", L"10:20", true}, {L"10:30", L"11:00", true},
      {L"10:40", L"11:10", false}},
     {L"08:30", L"09:30", false},
     L"08:30-09:00 09:00-10:00f 10:00-10:30f 10:30-11:00f 11:00-11:15 11:15-11:45",
     L""},
    {"a fixed entry added over free and fixed ones",
     {{L"10:00", L"11:00", false}, {L"10:30", L"11:30", true}, {L"11:00", L"12:00", false}, {L"11:15", L"11:45", true},
      {L"12:00", L"13:00", false}},
     {L"10:00", L"10:45", true},
     L"10:00-10:45f 10:45-11:45f 11:45-12:15f 12:15-13:15 13:15-14:15 14:15-15:15",
     L""},
    {"fixed and free entries crowding the day's end",
     {{L"22:00", L"23:00", true}, {L"22:30", L"23:30", false}, {L"23:00", L"23:59", true}},
     {L"21:30", L"22:30", false},
     L"21:30-22:00 22:00-23:00f 23:00-23:59f",
     L"00:00-00:01 00:01-01:00"},
    {"entries carried to the next day keep the order they left in",
     {{L"20:00", L"21:00", false}, {L"21:00", L"21:20", false}, {L"21:20", L"21:30", false}},
     {L"20:30", L"23:59", false},
     L"20:00-21:00 21:00-23:59",
     L"00:00-00:30 00:30-00:50 00:50-01:00"},
    {"with simultaneous entries allowed nothing moves",
     {{L"09:00", L"10:00", false}},
     {L"09:30", L"10:30", false},
     L"09:00-10:00 09:30-10:30",
     L"",
     true},
};

} // namespace

TEST_F(DataManagerOverlapsTest, AddedEntriesRepairTheirDay)
{
    for (const DayCase& c : kDayCases) {
        SCOPED_TRACE(c.name);
        Options::SetAllowSimultaneous(c.simultaneous ? 1 : 0);
        OpenDay(c.existing);
        Add(kDay, 1, c.added.start, c.added.end, c.added.fixed);
        EXPECT_EQ(Day(kDay), c.day);
        EXPECT_EQ(Day(kNextDay), c.nextDay);
    }
}

TEST_F(DataManagerOverlapsTest, AnOverflowCopyIsANewEntryOfTheSameTask)
{
    OpenDay({{L"22:00", L"23:30", false}});
    const int id = Add(kDay, 2, L"22:30", L"23:30");
    const XmlNode copy = Select(m_doc, L"//DAY[@DATE=\"2024-05-21\"]/PLANENTRY");
    ASSERT_FALSE(copy.IsEmpty());
    EXPECT_NE(Attribute(copy, L"ID"), EString::Formatted(L"%d", id));
    EXPECT_EQ(Attribute(copy, L"TASKID"), L"2");
    EXPECT_EQ(Entry(id).GetEndTimeXmlText(), L"23:59");
}

TEST_F(DataManagerOverlapsTest, AnOverflowCopyPushesTheNextDayOnlyAsFarAsTheOverflowReaches)
{
    // Placed at the hour the entry lasts and cut afterwards, the copy would
    // leave the next day's entry pushed to 01:00 for nothing.
    OpenSmallPlanWith(L"<DAILY>" + DayXml({{L"22:00", L"23:30", false}}) +
                      L"<DAY DATE=\"2024-05-21\"><PLANENTRY ID=\"200\" TASKID=\"3\" STARTTIME=\"00:30\" "
                      L"ENDTIME=\"01:00\"/></DAY></DAILY>");
    Add(kDay, 2, L"22:30", L"23:30");
    EXPECT_EQ(Day(kDay), L"22:00-23:30 23:30-23:59");
    EXPECT_EQ(Day(kNextDay), L"00:00-00:31 00:31-01:01");
}

TEST_F(DataManagerOverlapsTest, AnEntrySpilledThroughDaysThatAreAllFixedLandsOnTheFirstDayWithRoom)
{
    // A thousand days each taken whole by a fixed entry: the entry goes on
    // from day to day, a walk each, until a day has room for it.
    EString daily = L"<DAILY>";
    for (int i = 0; i < 1000; ++i)
        daily += EString::Formatted(L"<DAY DATE=\"%s\"><PLANENTRY ID=\"%d\" TASKID=\"1\" STARTTIME=\"00:00\" "
                                    L"ENDTIME=\"23:59\" FIXEDTIME=\"1\"/></DAY>",
                                    DateParser::FormatDate(kDay + i).c_str(), 100 + i);
    OpenSmallPlanWith(daily + L"</DAILY>");
    const int id = Add(kDay, 2, L"10:00", L"11:00");
    EXPECT_EQ(PlanEntryCount(), 1001);
    EXPECT_EQ(XmlDataElements::GetEntryDay(m_doc.FindPlanEntry(id)), kDay + 1000);
    EXPECT_EQ(Day(kDay + 1000), L"00:00-01:00");
    EXPECT_EQ(Day(kDay), L"00:00-23:59f");
    EXPECT_EQ(Day(kDay + 999), L"00:00-23:59f");
    EXPECT_TRUE(m_doc.TakeUnrepairedOverlaps().IsEmpty());
}

TEST_F(DataManagerOverlapsTest, AnAddBeforeRunsOfCrowdedDaysRepairsThemAllWithWorkInStepWithWhatItCarries)
{
    // Days of 32 overlapping hours each. The repair walked the next day again
    // for every entry it carried there, and its work grew several times over
    // with every day crossed. Now twice the run takes a little more than twice
    // the work: what is carried grows by some eight entries a day.
    const std::vector<Block> crowded(32, {L"09:00", L"10:00", false});
    long long previousSteps = 0;
    for (const int run : {1, 2, 4, 8}) {
        SCOPED_TRACE(run);
        OpenDays(std::vector<std::vector<Block>>(run, crowded));
        const long long before = m_doc.OverlapWalkSteps();
        Add(kDay, 1, L"09:00", L"10:00");
        const long long steps = m_doc.OverlapWalkSteps() - before;
        EXPECT_GE(PlanEntryCount(), run * 32 + 1);
        int lastDay = 0;
        for (int i = 0; i < 40; ++i) {
            EXPECT_EQ(FirstOverlap(Day(kDay + i)), L"") << "day " << i;
            if (!Day(kDay + i).empty()) {
                lastDay = i;
            }
        }
        EXPECT_LT(lastDay, 32) << "carried no further than the repair reaches";
        if (previousSteps > 0) {
            EXPECT_LE(steps, 3 * previousSteps) << "steps " << steps << " after " << previousSteps;
        }
        previousSteps = steps;
    }
}

TEST_F(DataManagerOverlapsTest, ARunOfDaysThatEachOverflowIsRepairedToItsEnd)
{
    // Every day overflows by the hour it was given: the repair carries that
    // hour on from day to day, behind each day's fixed morning, to the first
    // day with room.
    const std::vector<Block> day = {{L"00:00", L"12:00", true}, {L"12:00", L"23:59", false}};
    OpenDays(std::vector<std::vector<Block>>(60, day));
    Add(kDay, 1, L"12:00", L"13:00");
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(Day(kDay + i), L"00:00-12:00f 12:00-13:00 13:00-23:59") << "day " << i;
    EXPECT_EQ(Day(kDay + 60), L"00:00-01:00");
    // The day's overflow copied on to each next day.
    EXPECT_EQ(PlanEntryCount(), 121 + 60);
    EXPECT_TRUE(m_doc.TakeUnrepairedOverlaps().IsEmpty());
}

TEST_F(DataManagerOverlapsTest, UpdatingAnEntryResortsItAndRepairsTheDayUnlessOverlapsAreKept)
{
    OpenDay({{L"09:00", L"10:00", false}, {L"11:00", L"12:00", false}});
    TaskPlanEntry entry = Entry(100);
    entry.SetStartKeepDuration(TimeParser::ParseTime(L"11:30"));
    m_doc.UpdatePlanEntry(entry, true);
    EXPECT_EQ(Day(kDay), L"11:00-12:00 11:30-12:30");

    entry.SetStartKeepDuration(TimeParser::ParseTime(L"10:30"));
    m_doc.UpdatePlanEntry(entry, false);
    EXPECT_EQ(Day(kDay), L"10:30-11:30 11:30-12:30");
}

TEST_F(DataManagerOverlapsTest, WithSimultaneousEntriesAllowedARepairLeavesWhatItMovedOnTheNextDayAsItArrived)
{
    // The internal callers repair whatever the setting says; an entry moved
    // whole then asks for no walk of its new day, and stands there from 00:00.
    Options::SetAllowSimultaneous(1);
    OpenDay({{L"20:00", L"23:00", false}, {L"21:00", L"21:30", false}, {L"21:30", L"22:00", false}});
    TaskPlanEntry entry = Entry(100);
    entry.SetEnd(TimeParser::ParseTime(L"23:59"));
    m_doc.UpdatePlanEntry(entry, false);
    EXPECT_EQ(Day(kDay), L"20:00-23:59");
    EXPECT_EQ(Day(kNextDay, true), L"#101 00:00-00:30 #102 00:00-00:30");
    EXPECT_EQ(m_doc.GetLastPlanDateOfTask(2), kNextDay);
}

TEST_F(DataManagerOverlapsTest, EntriesAreArrangedOneAfterAnotherMovedOrCopied)
{
    OpenDay({{L"09:00", L"10:00", false}, {L"13:00", L"13:30", false}});
    m_doc.ArrangePlanEntries(kNextDay, TimeParser::ParseTime(L"08:00"), {101, 100}, false);
    EXPECT_EQ(Day(kDay), L"");
    EXPECT_EQ(Day(kNextDay, true), L"#101 08:00-08:30 #100 08:30-09:30");

    m_doc.ArrangePlanEntries(kDay, TimeParser::ParseTime(L"23:30"), {100}, true);
    EXPECT_EQ(Day(kDay), L"23:30-23:59");
    EXPECT_EQ(Day(kNextDay, true), L"#101 08:00-08:30 #100 08:30-09:30");
    EXPECT_EQ(RaisedError([&] { m_doc.MovePlanEntry(kDay, 0, 999, false); }).Error(), E_POINTER);
}

TEST_F(DataManagerOverlapsTest, AMovedEntryTakesTheRecurrenceTimesOfItsTaskAlong)
{
    OpenSmallPlanWith(L"<DAILY>" + DayXml({{L"09:00", L"10:00", false}}) +
                      L"</DAILY><RECURRENCESECTION><RECURRENCE ID=\"1\" PATTERNPERIOD=\"0\" "
                      L"STARTDATE=\"2024-05-01\" STARTTIME=\"09:00\" ENDTIME=\"10:00\"/>"
                      L"</RECURRENCESECTION>");
    const int id = m_doc.MovePlanEntry(kDay, TimeParser::ParseTime(L"14:00"), 100, false);
    EXPECT_EQ(Day(kDay), L"14:00-15:00");
    EXPECT_TRUE(Entry(id).IsDailyRecurrence());
    EXPECT_EQ(Attribute(m_doc.FindRecurrence(1), L"STARTTIME"), L"14:00");
    EXPECT_EQ(Attribute(m_doc.FindRecurrence(1), L"ENDTIME"), L"15:00");
}

TEST_F(DataManagerOverlapsTest, AnEntryCarriedOnIsTheSameEntryOnTheNextDayAndItsTaskAndRecurrenceFollow)
{
    // Moved, not made anew: its id, description and any attribute of a later
    // version stay with it; its task keeps its status and colour, and its
    // recurrence takes its times.
    OpenSmallPlanWith(L"<DAILY><DAY DATE=\"2024-05-20\"><PLANENTRY ID=\"100\" TASKID=\"1\" STARTTIME=\"20:00\" "
                      L"ENDTIME=\"23:59\" FIXEDTIME=\"0\"/><PLANENTRY ID=\"101\" TASKID=\"3\" STARTTIME=\"21:00\" "
                      L"ENDTIME=\"22:00\" FIXEDTIME=\"0\" LATER=\"kept\"><DESCRIPTION>bring the notes</DESCRIPTION>"
                      L"</PLANENTRY></DAY></DAILY><RECURRENCESECTION><RECURRENCE ID=\"3\" PATTERNPERIOD=\"1\" "
                      L"STARTDATE=\"2024-05-01\" STARTTIME=\"21:00\" ENDTIME=\"22:00\"/></RECURRENCESECTION>");
    EXPECT_EQ(TaskStatus(3), 2);
    const int added = Add(kDay, 2, L"19:00", L"20:30");
    EXPECT_EQ(Day(kDay, true), EString::Formatted(L"#%d 19:00-20:30 #100 20:30-23:59", added));
    // The rest of the first entry, a copy, then the second, moved.
    EXPECT_EQ(Day(kNextDay, true), EString::Formatted(L"#%d 00:00-00:30 #101 00:30-01:30", added + 1));
    const XmlNode moved = m_doc.FindPlanEntry(101);
    ASSERT_FALSE(moved.IsEmpty());
    EXPECT_EQ(XmlDataElements::GetEntryDay(moved), kNextDay);
    EXPECT_EQ(Attribute(moved, L"LATER"), L"kept");
    EXPECT_EQ(Entry(101).GetDescription(), L"bring the notes");
    EXPECT_EQ(TaskStatus(3), 2);
    EXPECT_EQ(TaskAttribute(3, L"COLORDEF"), L"");
    EXPECT_EQ(Attribute(m_doc.FindRecurrence(3), L"STARTTIME"), L"00:30");
    EXPECT_EQ(Attribute(m_doc.FindRecurrence(3), L"ENDTIME"), L"01:30");
    // The plan's table of entries knows the new days and times.
    EXPECT_EQ(m_doc.GetLastPlanDateOfTask(3), kNextDay);
    EXPECT_EQ(m_doc.GetLastPlanDateOfTask(1), kNextDay);
    TaskCard task;
    m_doc.GetTaskWithTimes(3, task);
    EXPECT_NEAR(task.GetPlannedTime(), 1.0, 1e-9);
    const EString today = Day(kDay, true), tomorrow = Day(kNextDay, true);
    Reopen();
    EXPECT_EQ(Day(kDay, true), today);
    EXPECT_EQ(Day(kNextDay, true), tomorrow);
}

TEST_F(DataManagerOverlapsTest, AnEntryRepairedOrMovedLeavesItsCompletedTaskAndCategoryAsTheyWere)
{
    // Task 3 and its category are completed; its entry follows task 1's.
    const auto edit = [this](const wchar_t* start, const wchar_t* end) {
        TaskPlanEntry entry = Entry(100);
        entry.SetStartKeepDuration(TimeParser::ParseTime(start));
        entry.SetEnd(TimeParser::ParseTime(end));
        m_doc.UpdatePlanEntry(entry, false);
    };
    const struct {
        const char* name;
        std::function<void()> change;
        double lastDay; // of task 3's entries afterwards
    } cases[] = {
        {"an edit of the entry before it pushes it whole on to the next day", [&] { edit(L"13:00", L"23:59"); },
         kNextDay},
        {"an add pushes it whole on to the next day", [&] { Add(kDay, 2, L"13:30", L"23:59"); }, kNextDay},
        {"an add runs it over the day's end, its rest copied on",
         [&] { Add(kDay, 2, L"14:00", L"23:30"); }, kNextDay},
        {"moved to another day", [&] { m_doc.MovePlanEntry(kNextDay + 1, TimeParser::ParseTime(L"09:00"), 101, false); },
         kNextDay + 1},
        {"arranged later on its day",
         [&] { m_doc.ArrangePlanEntries(kDay, TimeParser::ParseTime(L"16:00"), {101}, false); }, kDay},
    };
    EString plan = kSmallPlan;
    plan.Replace(L"ID=\"11\" NAME=\"Deep\" STATUS=\"0\"", L"ID=\"11\" NAME=\"Deep\" STATUS=\"2\"");
    plan.insert(plan.size() - 7, L"<DAILY><DAY DATE=\"2024-05-20\"><PLANENTRY ID=\"100\" TASKID=\"1\" "
                                 L"STARTTIME=\"13:00\" ENDTIME=\"14:00\"/><PLANENTRY ID=\"101\" TASKID=\"3\" "
                                 L"STARTTIME=\"14:00\" ENDTIME=\"15:00\"/></DAY></DAILY>");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(plan);
        c.change();
        EXPECT_EQ(m_doc.GetLastPlanDateOfTask(3), c.lastDay);
        EXPECT_EQ(TaskStatus(3), 2);
        EXPECT_EQ(TaskAttribute(3, L"COLORDEF"), L"") << "nor is it coloured anew";
        EXPECT_EQ(ElementRecords::ReadInt(m_doc.FindCategory(11), L"STATUS"), 2);
    }
}

TEST_F(DataManagerOverlapsTest, EntriesCarriedOnGoBehindTheNextDaysEntriesOfRemovedTasksAndInFrontOfItsOwn)
{
    OpenSmallPlanWith(L"<DAILY>" + DayXml({{L"21:00", L"23:00", false}, {L"22:00", L"23:00", false}}) +
                      L"<DAY DATE=\"2024-05-21\"><PLANENTRY ID=\"200\" TASKID=\"77\" STARTTIME=\"05:00\" "
                      L"ENDTIME=\"06:00\"/><PLANENTRY ID=\"201\" TASKID=\"2\" STARTTIME=\"00:30\" "
                      L"ENDTIME=\"01:00\"/></DAY></DAILY>");
    Add(kDay, 2, L"21:30", L"22:00");
    EXPECT_EQ(Day(kDay), L"21:00-23:00 23:00-23:30 23:30-23:59");
    EXPECT_EQ(Day(kNextDay), L"05:00-06:00 00:00-00:31 00:31-01:01");
}

TEST_F(DataManagerOverlapsTest, AnEntryCarriedOnWhoseIdAnotherEntrySharesIsWrittenAllTheSame)
{
    // A file edited by hand: the walk tells entries apart by their ids, so
    // this one is written where it is placed.
    OpenSmallPlanWith(L"<DAILY>" + DayXml({{L"20:00", L"23:59", false}, {L"21:00", L"22:00", false}}) +
                      L"<DAY DATE=\"2024-05-25\"><PLANENTRY ID=\"101\" TASKID=\"2\" STARTTIME=\"08:00\" "
                      L"ENDTIME=\"09:00\"/></DAY></DAILY>");
    Add(kDay, 2, L"20:00", L"20:30");
    EXPECT_EQ(Day(kDay), L"20:00-20:30 20:30-23:59");
    EXPECT_EQ(Day(kNextDay), L"00:00-00:30 00:30-01:30");
    EXPECT_EQ(Day(kDay + 5), L"08:00-09:00");
}

namespace {

// Entries of one to twenty minutes, as many as asked, their starts spread
// from 01:00 to 23:00, so that each starts before the one before it ends.
std::vector<Block> CrowdedDay(int count, int fixedEvery, std::vector<EString>& times)
{
    times.clear();
    times.reserve(2 * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int start = 60 + 1320 * i / count;
        const int length = 1 + (i * 7919) % 20;
        times.push_back(EString::Formatted(L"%02d:%02d", start / 60, start % 60));
        times.push_back(EString::Formatted(L"%02d:%02d", (start + length) / 60, (start + length) % 60));
    }
    std::vector<Block> blocks;
    for (int i = 0; i < count; ++i)
        blocks.push_back({times[2 * i].c_str(), times[2 * i + 1].c_str(), fixedEvery > 0 && i % fixedEvery == 0});
    return blocks;
}

} // namespace

TEST_F(DataManagerOverlapsTest, ACrowdedDayIsRepairedIntoTheFollowingDaysInTheOrderItsEntriesStood)
{
    // Three thousand overlapping entries, some 30,000 minutes of them. An
    // entry added in front pushes them all: each day holds them back to back
    // up to 23:59, an entry that passes it ends there and its rest starts
    // the next day at 00:00, and the days go on in the order they stood.
    std::vector<EString> times;
    const std::vector<Block> day = CrowdedDay(3000, 0, times);
    OpenDay(day);
    std::map<int, double> durations;
    double work = 0;
    for (const Stored& entry : Entries(kDay)) {
        durations[entry.id] = entry.end - entry.start;
        work += entry.end - entry.start;
    }
    const int added = Add(kDay, 1, L"00:30", L"01:30");
    work += 1.0 / 24;
    std::vector<int> order;
    std::map<int, double> kept;
    double total = 0;
    int days = 0;
    const Stored* last = nullptr;
    std::vector<Stored> previous;
    for (double date = kDay; !Entries(date).empty(); ++date, ++days) {
        SCOPED_TRACE(days);
        std::vector<Stored> entries = Entries(date);
        EXPECT_EQ(Overlapping(date), 0);
        double at = days == 0 ? TimeParser::ParseTime(L"00:30") : 0;
        for (const Stored& entry : entries) {
            EXPECT_NEAR(entry.start, at, kSecond) << "back to back, from the start of the day";
            at = entry.end;
            total += entry.end - entry.start;
            if (durations.count(entry.id) || entry.id == added) {
                order.push_back(entry.id);
                kept[entry.id] = entry.end - entry.start;
            } else {
                // The rest of the entry that ended the day before, first thing.
                ASSERT_TRUE(last);
                EXPECT_EQ(&entry, &entries.front());
                EXPECT_EQ(entry.taskId, last->taskId);
                EXPECT_NEAR(last->end, EndOfDayTime(), kSecond);
                EXPECT_NEAR(kept[last->id] + entry.end - entry.start, durations[last->id], kSecond);
                kept[last->id] = durations[last->id];
            }
        }
        previous = std::move(entries);
        last = previous.empty() ? nullptr : &previous.back();
    }
    EXPECT_GT(days, 15);
    EXPECT_NEAR(total, work, 1e-6) << "no time lost or gained";
    ASSERT_EQ(order.size(), 3001u);
    EXPECT_EQ(order.front(), added);
    for (size_t i = 1; i < order.size(); ++i)
        ASSERT_EQ(order[i], 100 + static_cast<int>(i) - 1) << "in the order they stood";
    for (const auto& [id, duration] : durations)
        EXPECT_NEAR(kept[id], duration, kSecond) << id;
    EXPECT_TRUE(m_doc.TakeUnrepairedOverlaps().IsEmpty());
}

TEST_F(DataManagerOverlapsTest, ACrowdedDayWithFixedEntriesLeavesNoOverlapOnAnyDayAndKeepsEveryEntry)
{
    // One in twenty fixed: those stay where they are, the others are cut
    // before them or go behind them, as the rest moves on day after day.
    std::vector<EString> times;
    OpenDay(CrowdedDay(3000, 20, times));
    std::map<int, Stored> before;
    for (const Stored& entry : Entries(kDay))
        before[entry.id] = entry;
    TaskPlanEntry first = Entry(100);
    first.SetDescription(L"edited");
    m_doc.UpdatePlanEntry(first, false);
    std::set<int> seen;
    double date = kDay;
    for (; !Entries(date).empty(); ++date) {
        EXPECT_EQ(Overlapping(date), 0) << "day " << date - kDay;
        for (const Stored& entry : Entries(date)) {
            if (!before.count(entry.id))
                continue;
            EXPECT_TRUE(seen.insert(entry.id).second);
            const Stored& was = before[entry.id];
            if (was.fixed) {
                EXPECT_EQ(date, kDay) << entry.id;
                EXPECT_NEAR(entry.start, was.start, kSecond) << entry.id;
                EXPECT_NEAR(entry.end, was.end, kSecond) << entry.id;
            }
        }
    }
    EXPECT_EQ(seen.size(), before.size());
    EXPECT_GT(date - kDay, 10);
    EXPECT_TRUE(m_doc.TakeUnrepairedOverlaps().IsEmpty());
}

TEST_F(DataManagerOverlapsTest, AtItsLimitARepairStopsWhereItStandsLosesNothingAndTellsWhatItMovedAndWhatStillOverlaps)
{
    std::vector<EString> times;
    const struct {
        const char* name;
        std::vector<std::vector<Block>> days;
        long long limit;
        bool stopsOnTheChangedDay;
    } cases[] = {
        // Each day carries more on to the next and the run has no end.
        {"days of thirty overlapping hours each", std::vector<std::vector<Block>>(40, std::vector<Block>(30, {L"09:00", L"10:00", false})), 400,
         false},
        // The limit is reached on the changed day itself.
        {"a crowded day", {CrowdedDay(3000, 20, times)}, 500, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenDays(c.days);
        const int dayCount = static_cast<int>(c.days.size());
        std::map<int, double> days;
        std::vector<int> untouched;
        for (int i = 0; i < dayCount; ++i) {
            for (const Stored& entry : Entries(kDay + i))
                days[entry.id] = kDay + i;
            untouched.push_back(Overlapping(kDay + i));
        }
        m_doc.SetRepairStepLimit(c.limit);
        const int added = Add(kDay, 1, L"00:10", L"01:00");
        const DataManager::UnrepairedOverlaps left = m_doc.TakeUnrepairedOverlaps();
        ASSERT_FALSE(left.IsEmpty());
        EXPECT_TRUE(m_doc.TakeUnrepairedOverlaps().IsEmpty()) << "told once";

        // Every day before where it stopped is repaired, each it names still
        // overlaps as it says, and the days it never reached stay as they were.
        std::map<double, int> told;
        for (const DataManager::UnrepairedOverlaps::Day& day : left.days)
            told[day.date] = day.overlapping;
        const double firstTold = told.begin()->first, lastTold = told.rbegin()->first;
        EXPECT_LT(lastTold, kDay + 20) << "stopped well before the run's end";
        EXPECT_EQ(firstTold == kDay, c.stopsOnTheChangedDay);
        EXPECT_EQ(left.firstDay, kNextDay);
        int moved = 0;
        double lastReached = 0;
        for (int i = 0; i < dayCount + 5; ++i) {
            const double date = kDay + i;
            SCOPED_TRACE(i);
            if (told.count(date)) {
                EXPECT_EQ(Overlapping(date), told[date]);
            } else if (date < firstTold) {
                EXPECT_EQ(Overlapping(date), 0);
            } else if (date > lastTold && i < dayCount) {
                EXPECT_EQ(Overlapping(date), untouched[i]);
            }
            for (const Stored& entry : Entries(date)) {
                const auto from = days.find(entry.id);
                // An entry of the day that left it, or a copy of the rest of one.
                const bool carried = from != days.end() ? from->second != date : entry.id != added || date != kDay;
                if (carried) {
                    ++moved;
                    lastReached = std::max(lastReached, date);
                }
                if (from != days.end())
                    days.erase(from);
            }
        }
        EXPECT_TRUE(days.empty()) << "no entry lost";
        EXPECT_EQ(left.moved, moved);
        EXPECT_EQ(left.lastDay, lastReached);
    }
}
