#include <gtest/gtest.h>

#include "document/xml/DataManagerTestSupport.h"
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

class DataManagerOverlapsTest : public DataManagerTest {
protected:
    void OpenDay(const std::vector<Block>& blocks) { OpenDays({blocks}); }
    // The days from kDay on, one after another.
    void OpenDays(const std::vector<std::vector<Block>>& days)
    {
        EString daily = L"<DAILY>";
        for (size_t i = 0; i < days.size(); ++i)
            daily += DayXml(days[i], kDay + static_cast<double>(i), 100 + 1000 * static_cast<int>(i));
        EString plan = kSmallPlan;
        plan.insert(plan.size() - 7, daily + L"</DAILY>");
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
    EString plan = kSmallPlan;
    plan.insert(plan.size() - 7, L"<DAILY>" + DayXml({{L"22:00", L"23:30", false}}) +
                                     L"<DAY DATE=\"2024-05-21\"><PLANENTRY ID=\"200\" TASKID=\"3\" STARTTIME=\"00:30\" "
                                     L"ENDTIME=\"01:00\"/></DAY></DAILY>");
    Open(plan);
    Add(kDay, 2, L"22:30", L"23:30");
    EXPECT_EQ(Day(kDay), L"22:00-23:30 23:30-23:59");
    EXPECT_EQ(Day(kNextDay), L"00:00-00:31 00:31-01:01");
}

TEST_F(DataManagerOverlapsTest, SpillsThroughDaysThatAreAllFixedStopAtABoundAndLoseNothing)
{
    // A thousand days each taken whole by a fixed entry: each spill would
    // carry the entry one day further, a recursion as deep as the run.
    EString plan = kSmallPlan;
    EString daily = L"<DAILY>";
    for (int i = 0; i < 1000; ++i)
        daily += EString::Formatted(L"<DAY DATE=\"%s\"><PLANENTRY ID=\"%d\" TASKID=\"1\" STARTTIME=\"00:00\" "
                                    L"ENDTIME=\"23:59\" FIXEDTIME=\"1\"/></DAY>",
                                    DateParser::FormatDate(kDay + i).c_str(), 100 + i);
    plan.insert(plan.size() - 7, daily + L"</DAILY>");
    Open(plan);
    const int id = Add(kDay, 2, L"10:00", L"11:00");
    EXPECT_EQ(m_doc.GetDocument(false).SelectNodes(L"//PLANENTRY").GetLength(), 1001);
    const XmlNode placed = m_doc.FindPlanEntry(id);
    ASSERT_FALSE(placed.IsEmpty());
    const double day = XmlDataElements::GetEntryDay(placed);
    EXPECT_GT(day, kDay);
    EXPECT_LT(day, kDay + 40);
    EXPECT_EQ(Day(kDay), L"00:00-23:59f");
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

TEST_F(DataManagerOverlapsTest, OnTheLastDayARepairReachesEntriesAreStillRepairedAsFarAsTheyFit)
{
    // Every day overflows by the hour it was given: the repair carries that
    // hour on from day to day until it stops, and there the hour still goes
    // behind the fixed morning, while the entry that would have to leave
    // stays whole where it stood.
    const std::vector<Block> day = {{L"00:00", L"12:00", true}, {L"12:00", L"23:59", false}};
    OpenDays(std::vector<std::vector<Block>>(60, day));
    Add(kDay, 1, L"12:00", L"13:00");
    int days = 0;
    while (days < 60 && Day(kDay + days) == L"00:00-12:00f 12:00-13:00 13:00-23:59")
        ++days;
    EXPECT_GT(days, 1);
    EXPECT_LT(days, 40);
    EXPECT_EQ(Day(kDay + days), L"00:00-12:00f 12:00-13:00 12:00-23:59");
    EXPECT_EQ(Day(kDay + days + 1), L"00:00-12:00f 12:00-23:59");
    // The day's overflow copied on to each day up to the last one.
    EXPECT_EQ(PlanEntryCount(), 121 + days);
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
    EString plan = kSmallPlan;
    plan.insert(plan.size() - 7, L"<DAILY>" + DayXml({{L"09:00", L"10:00", false}}) +
                                     L"</DAILY><RECURRENCESECTION><RECURRENCE ID=\"1\" PATTERNPERIOD=\"0\" "
                                     L"STARTDATE=\"2024-05-01\" STARTTIME=\"09:00\" ENDTIME=\"10:00\"/>"
                                     L"</RECURRENCESECTION>");
    Open(plan);
    const int id = m_doc.MovePlanEntry(kDay, TimeParser::ParseTime(L"14:00"), 100, false);
    EXPECT_EQ(Day(kDay), L"14:00-15:00");
    EXPECT_TRUE(Entry(id).IsDailyRecurrence());
    EXPECT_EQ(Attribute(m_doc.FindRecurrence(1), L"STARTTIME"), L"14:00");
    EXPECT_EQ(Attribute(m_doc.FindRecurrence(1), L"ENDTIME"), L"15:00");
}
