#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document/DocumentText.h"
#include "document/PelquornDocTestSupport.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

namespace {

using Codes = std::vector<DocNotifyCode>;

class PlanEntriesTest : public PlanDocTest {
protected:
    void SetUp() override
    {
        PlanDocTest::SetUp();
        StartNew();
        Category category(L"Move house", L"", 0, 0);
        ASSERT_TRUE(document.AddCategory(0, category));
        categoryId = category.GetId();
        document.SetCurrentCategoryId(categoryId);
    }
    int AddTask(const wchar_t* name, double hours, int status = TaskCard::kNew)
    {
        TaskCard task(name, L"", hours, Date(2024, 5, 20), 1, status, 0, 0, -1);
        EXPECT_TRUE(document.AddTask(task));
        return task.GetId();
    }
    Category ReadCategory()
    {
        Category category;
        EXPECT_TRUE(document.GetCategory(categoryId, category));
        return category;
    }

    int categoryId = 0;
};

} // namespace

TEST_F(PlanEntriesTest, CompletingTheLastOpenTaskOffersToCompleteItsCategory)
{
    const struct {
        const char* name;
        const wchar_t* categoryName;
        DWORD prompt;
        bool openTaskLeft;
        int statusFilter;
        bool answer;
        bool asked;
        int categoryStatus;
        Codes codes;
    } cases[] = {
        {"completed, hidden by the to-do filter", L"Hidden", 1, false, 1, true, true, 1, {NotifyCode::kAll}},
        {"completed, shown with all tasks", L"All", 1, false, 0, true, true, 1, {}},
        {"completed, shown with the completed tasks", L"Completed", 1, false, 4, true, true, 1, {}},
        {"the user says no", L"No", 1, false, 1, false, true, 0, {}},
        {"the question is switched off", L"Off", 0, false, 1, true, false, 0, {}},
        {"an open task remains", L"Open", 1, true, 1, true, false, 0, {}},
    };
    for (const auto& c : cases) {
        Category category(c.categoryName, L"", 0, 0);
        ASSERT_TRUE(document.AddCategory(0, category));
        categoryId = category.GetId();
        document.SetCurrentCategoryId(categoryId);
        const int task = AddTask(L"Pack", 1);
        if (c.openTaskLeft)
            AddTask(L"Clean", 1, TaskCard::kInProgress);
        AddTask(L"Done before", 1, TaskCard::kCompleted);
        Options::SetPromptForCompletingCategory(c.prompt);
        document.SetStatusFilter(c.statusFilter);
        dialogs.asked.clear();
        dialogs.completeAnswers = {c.answer};
        TakeCodes();

        TaskCard card;
        ASSERT_TRUE(document.GetTask(task, card));
        card.SetStatus(TaskCard::kCompleted);
        document.UpdateTask(card);
        EXPECT_EQ(!dialogs.asked.empty(), c.asked) << c.name;
        EXPECT_EQ(ReadCategory().GetStatus(), c.categoryStatus) << c.name;
        EXPECT_EQ(TakeCodes(), c.codes) << c.name;

        dialogs.asked.clear();
        document.UpdateTask(card);
        EXPECT_TRUE(dialogs.asked.empty()) << c.name << ": a task that was completed already asks nothing";
    }
}

TEST_F(PlanEntriesTest, CompletingAPlanEntryOffersToCompleteTheCategoryToo)
{
    const int task = AddTask(L"Pack", 1);
    TaskPlanEntry entry(task, Time(9, 0), Time(10, 0), L"", L"Pack", 0, 0);
    ASSERT_TRUE(document.AddPlanEntry(Date(2024, 5, 15), entry));
    dialogs.completeAnswers = {true};
    TaskPlanEntry stored;
    ASSERT_TRUE(document.GetPlanEntry(entry.GetId(), stored));
    stored.SetCompleted(true);
    ASSERT_TRUE(document.UpdatePlanEntry(stored));
    EXPECT_EQ(dialogs.asked, std::vector<std::string>{"complete"});
    EXPECT_EQ(ReadCategory().GetStatus(), 1);
}

TEST_F(PlanEntriesTest, TheSummaryCountsTheFilteredTasksAndTheirDays)
{
    const struct {
        double regularHours;
        double hours;
        const wchar_t* summary;
    } cases[] = {
        {8, 24, L"Day: 0 entries, 0 h   Tasks: 1, 24 h (3 days)"},
        {8, 0.5, L"Day: 0 entries, 0 h   Tasks: 2, 25 h (4 days)"},
        {0, 7, L"Day: 0 entries, 0 h   Tasks: 3, 32 h (4 days)"}, // a day of no hours is one of 8
    };
    for (const auto& c : cases) {
        Options::SetRegularHours(c.regularHours);
        statusBar.texts.clear();
        AddTask(L"Task", c.hours);
        ASSERT_FALSE(statusBar.texts.empty());
        EXPECT_EQ(statusBar.texts.back(), std::make_pair(1, EString(c.summary)));
    }
    EXPECT_TRUE(document.HasFilteredTasks());
    std::vector<TaskCard> tasks;
    document.SelectTasks(tasks, true, true);
    ASSERT_EQ(tasks.size(), 3u);
    TaskPlanEntry entry(tasks[0].GetId(), Time(9, 0), Time(10, 30), L"",
                        L"", 0, 0);
    ASSERT_TRUE(document.AddPlanEntry(Date(2024, 5, 15), entry));
    document.UpdateDaySummary(Date(2024, 5, 15));
    EXPECT_EQ(statusBar.texts.back().second, L"Day: 1 entry, 1.5 h   Tasks: 3, 32 h (4 days)");

    document.SetStatusFilter(4);
    EXPECT_FALSE(document.HasFilteredTasks()) << "no completed task";
}

TEST_F(PlanEntriesTest, TheSummaryCountedOnceFollowsEachToldChangeOfItsTasks)
{
    const int pack = AddTask(L"Pack", 2);
    const int clean = AddTask(L"Clean", 3);
    document.SetStatusFilter(1);
    const auto change = [&](int id, const std::function<void(TaskCard&)>& edit) {
        TaskCard task;
        ASSERT_TRUE(document.GetTask(id, task));
        edit(task);
        document.UpdateTask(task);
    };
    const struct {
        const char* name;
        std::function<void()> change;
        int count;
        int hours;
    } cases[] = {
        {"completed", [&] { change(pack, [](TaskCard& task) { task.SetStatus(TaskCard::kCompleted); }); }, 1, 3},
        {"estimated again", [&] { change(clean, [](TaskCard& task) { task.SetEstimation(5); }); }, 1, 5},
        {"deleted", [&] { document.DeleteTask(clean); }, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        document.GetFilteredTaskCount();
        c.change();
        document.Notify(nullptr, NotifyCode::kAll);
        EXPECT_EQ(document.GetFilteredTaskCount(), c.count);
        EXPECT_EQ(document.GetFilteredTaskHours(), c.hours);
    }
}

TEST_F(PlanEntriesTest, TheSummarySaysOneEntryAndOneDayInTheSingular)
{
    Options::SetRegularHours(8);
    const int task = AddTask(L"Pack", 4);
    const wchar_t* const summaries[] = {
        L"Day: 0 entries, 0 h   Tasks: 1, 4 h (1 day)",
        L"Day: 1 entry, 1 h   Tasks: 1, 4 h (1 day)",
        L"Day: 2 entries, 2 h   Tasks: 1, 4 h (1 day)",
    };
    for (int entries = 0; entries < 3; ++entries) {
        if (entries > 0) {
            TaskPlanEntry entry(task, Time(8 + entries, 0), Time(9 + entries, 0), L"", L"", 0, 0);
            ASSERT_TRUE(document.AddPlanEntry(Date(2024, 5, 15), entry));
        }
        document.UpdateDaySummary(Date(2024, 5, 15));
        EXPECT_EQ(statusBar.texts.back().second, summaries[entries]);
    }
}

TEST_F(PlanEntriesTest, TrackingGrowsAnEntryOfTheSelectedTaskUntilItStops)
{
    document.StartTracking();
    EXPECT_TRUE(document.IsTracking()) << "set even without a task";
    EXPECT_EQ(document.GetTrackedPlanEntryId(), 0);
    EXPECT_TRUE(TakeCodes().empty());
    document.StopTracking();
    EXPECT_FALSE(document.IsTracking());
    EXPECT_EQ(TakeCodes(), Codes{NotifyCode::kTasksChanged});

    const int task = AddTask(L"Write report", 3);
    document.SetSelectedTaskIds({task});
    document.StartTracking();
    const int tracked = document.GetTrackedPlanEntryId();
    ASSERT_GT(tracked, 0);
    EXPECT_EQ(TakeCodes(), Codes{NotifyCode::kTasksChanged});
    TaskPlanEntry entry;
    ASSERT_TRUE(document.GetPlanEntry(tracked, entry));
    EXPECT_EQ(entry.GetName(), L"Write report");
    EXPECT_EQ(entry.GetFixedTime(), 1);
    EXPECT_NEAR(entry.GetStartTime(), Time(10, 30), 1e-6);

    SetNow(DateTime(2024, 5, 15, 11, 15));
    document.UpdateTrackedPlanEntry();
    ASSERT_TRUE(document.GetPlanEntry(tracked, entry));
    EXPECT_NEAR(entry.GetEndTime(), Time(11, 15), 1e-6);
    SetNow(DateTime(2024, 5, 15, 11, 45));
    document.StopTracking();
    ASSERT_TRUE(document.GetPlanEntry(tracked, entry));
    EXPECT_NEAR(entry.GetEndTime(), Time(11, 45), 1e-6);
    EXPECT_EQ(document.GetTrackedPlanEntryId(), 0);
    EXPECT_EQ(TakeCodes(), Codes{NotifyCode::kTasksChanged});
}

// Tracked time is booked on each day it fell on; a stretch in which the
// program did not run past several midnights is booked on none.
TEST_F(PlanEntriesTest, TrackedTimeIsBookedOnEachDayItSpans)
{
    struct Moment {
        int day; // after the first
        int hour;
        int minute;
    };
    const struct {
        const char* name;
        // The start, the ticks and the stop.
        std::vector<Moment> moments;
        // The tracked task's entries of the first day and of each day after.
        std::vector<EString> days;
    } cases[] = {
        {"within a day", {{0, 10, 0}, {0, 10, 30}, {0, 11, 0}}, {L"10:00-11:00"}},
        {"across one midnight", {{0, 23, 58}, {1, 0, 1}}, {L"23:58-23:59", L"00:00-00:01"}},
        {"across one midnight, ticking on both days",
         {{0, 23, 50}, {0, 23, 59}, {1, 0, 10}, {1, 0, 20}, {1, 0, 30}},
         {L"23:50-23:59", L"00:00-00:30"}},
        {"ending exactly at midnight", {{0, 23, 50}, {1, 0, 0}}, {L"23:50-23:59", L""}},
        {"starting at 00:00", {{0, 0, 0}, {0, 0, 45}}, {L"00:00-00:45"}},
        {"across two midnights",
         {{0, 18, 0}, {0, 18, 30}, {2, 9, 0}, {2, 9, 40}},
         {L"18:00-18:30", L"", L"09:00-09:40"}},
        {"across two midnights, stopped on waking", {{0, 18, 0}, {0, 18, 30}, {2, 9, 0}}, {L"18:00-18:30", L"", L""}},
    };
    double first = Date(2024, 6, 3);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        first += 7;
        auto at = [&](const Moment& moment) { SetNow(first + moment.day + Time(moment.hour, moment.minute)); };
        const int task = AddTask(L"Write report", 3);
        document.SetSelectedTaskIds({task});
        at(c.moments.front());
        document.StartTracking();
        for (size_t i = 1; i + 1 < c.moments.size(); ++i) {
            at(c.moments[i]);
            document.UpdateTrackedPlanEntry();
        }
        at(c.moments.back());
        document.StopTracking();
        EXPECT_FALSE(document.IsTracking());
        EXPECT_EQ(document.GetTrackedPlanEntryId(), 0);
        for (size_t day = 0; day < c.days.size(); ++day) {
            std::vector<TaskPlanEntry> entries;
            document.GetDayPlanEntries(first + static_cast<double>(day), entries);
            EString booked;
            for (const TaskPlanEntry& entry : entries) {
                if (entry.GetTaskId() != task)
                    continue;
                booked += (booked.empty() ? L"" : L" ") + entry.GetStartTimeXmlText() + L"-" +
                          entry.GetEndTimeXmlText();
                EXPECT_EQ(entry.GetFixedTime(), 1);
            }
            EXPECT_EQ(booked, c.days[day]) << "day " << day;
        }
        EXPECT_TRUE(prompts.errors.empty());
    }
}

TEST_F(PlanEntriesTest, TheTrayTextListsTodaysEntries)
{
    EXPECT_EQ(document.FormatDayPlanText(), L"");
    Options::SetTimeFormat(1);
    const int shortName = AddTask(L"Exactly twenty chars", 1);
    const int longName = AddTask(L"Twenty-one characters", 1);
    TaskPlanEntry first(shortName, Time(8, 0), Time(9, 0), L"", L"", 0, 0);
    TaskPlanEntry second(longName, Time(13, 0), Time(14, 0), L"", L"", 0, 0);
    ASSERT_TRUE(document.AddPlanEntry(Date(2024, 5, 15), first));
    ASSERT_TRUE(document.AddPlanEntry(Date(2024, 5, 15), second));
    TaskCard done;
    ASSERT_TRUE(document.GetTask(shortName, done));
    done.SetStatus(TaskCard::kCompleted);
    Options::SetPromptForCompletingCategory(0);
    document.UpdateTask(done);
    EXPECT_EQ(document.FormatDayPlanText(), L"x 08:00 Exactly twenty chars\n  13:00 Twenty-one character...\n");
}

TEST_F(PlanEntriesTest, HolidaysToggle)
{
    document.ToggleHoliday(Date(2024, 5, 20));
    std::vector<double> dates;
    document.GetHolidays(dates);
    EXPECT_EQ(dates, std::vector<double>{Date(2024, 5, 20)});
    document.ToggleHoliday(Date(2024, 5, 20));
    dates.clear();
    document.GetHolidays(dates);
    EXPECT_TRUE(dates.empty());
    EXPECT_EQ(document.IsModified(), 1);
}

TEST_F(PlanEntriesTest, ArrangedDeadlinesUseTheChosenStartAndHours)
{
    AddTask(L"Pack", 2);
    Options::SetLoadFactor(2.5);
    LRESULT result = 0;
    document.ProcessWindowMessage(mainWindow.Handle(), WM_COMMAND, ID_ARRANGE_DEADLINES, 0, result);
    EXPECT_EQ(dialogs.shownSchedule, std::make_pair(DateTime(2024, 5, 16, 10, 30), 2.5));
    EXPECT_TRUE(TakeCodes().empty()) << "cancelled";

    dialogs.schedules = {{Date(2024, 5, 17), 4.0}};
    document.ProcessWindowMessage(mainWindow.Handle(), WM_COMMAND, ID_ARRANGE_DEADLINES, 0, result);
    EXPECT_EQ(TakeCodes(), Codes{NotifyCode::kTasksChanged});
    EXPECT_EQ(Options::GetLoadFactor(), 4.0);
    std::vector<TaskCard> tasks;
    document.SelectTasks(tasks, false, false);
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].GetDeadline(), Date(2024, 5, 17));
}

TEST_F(PlanEntriesTest, SchedulingAndMovingReportThroughTheirResult)
{
    const int pack = AddTask(L"Pack", 2);
    const int clean = AddTask(L"Clean", 1);
    EXPECT_TRUE(document.ScheduleTasks(Date(2024, 5, 16), Time(9, 0), {pack, clean}, 0.5, 4));
    std::vector<TaskPlanEntry> entries;
    document.GetDayPlanEntries(Date(2024, 5, 16), entries);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_NEAR(document.GetProposedStartTime(Date(2024, 5, 16), 0), Time(12, 0), 1e-6);
    EXPECT_EQ(document.GetLastPlanDateOfTask(pack), Date(2024, 5, 16));
    EXPECT_DOUBLE_EQ(document.GetMaxTaskEstimation({pack, clean}), 0.0) << "all planned";

    EXPECT_TRUE(document.ArrangePlanEntries(Date(2024, 5, 17), Time(8, 0), {entries[1].GetId()}, true));
    std::vector<TaskPlanEntry> moved;
    document.GetDayPlanEntries(Date(2024, 5, 17), moved);
    EXPECT_EQ(moved.size(), 1u);

    EXPECT_FALSE(document.MoveTasks(404, {pack}));
    EXPECT_TRUE(prompts.errors.empty()) << "moves fail silently";
    const int newCategory = document.ConvertTaskToCategory(clean);
    EXPECT_GT(newCategory, 0);
    EXPECT_EQ(document.GetTaskCategory(clean), newCategory);
}

TEST_F(PlanEntriesTest, ReadsThatFailAreShownAndGiveTheirDefaults)
{
    document.SetCurrentCategoryId(404);
    double first = 0, last = 0;
    document.GetTaskDateRange(first, last, true, true);
    EXPECT_EQ(first, Date(2024, 5, 15));
    EXPECT_EQ(last, Date(2024, 5, 15) + 42);
    EXPECT_EQ(prompts.errors.size(), 1u);
    std::vector<TaskCard> tasks;
    document.SelectTasks(tasks, true, true);
    EXPECT_TRUE(tasks.empty());
    EXPECT_EQ(prompts.errors.size(), 2u);
    EXPECT_EQ(document.GetFilteredTaskCount(), 0) << "the summary counts silently";
    EXPECT_EQ(document.GetMaxTaskEstimation({404}), 8.0);
    EXPECT_EQ(prompts.errors.size(), 3u);
}

TEST_F(PlanEntriesTest, ARepairThatStopsAtItsLimitTellsWhatItMovedAndWhatStillOverlaps)
{
    // Four hundred days of thirty overlapping hours each, as a plan kept with
    // simultaneous entries allowed holds them: an entry added in front carries
    // more on to every day it crosses, without end.
    const double first = Date(2024, 6, 3);
    std::string plan = "<ROOT><CATEGORY ID=\"4\" NAME=\"Work\" STATUS=\"0\"><TASK ID=\"7\" NAME=\"Write\" "
                       "STATUS=\"1\" IMPORTANCE=\"1\"/></CATEGORY><DAILY>";
    int id = 100;
    for (int day = 0; day < 400; ++day) {
        plan += "<DAY DATE=\"" + WideToUtf8(DateParser::FormatDate(first + day)) + "\">";
        for (int i = 0; i < 30; ++i)
            plan += "<PLANENTRY ID=\"" + std::to_string(id++) +
                    "\" TASKID=\"7\" STARTTIME=\"09:00\" ENDTIME=\"10:00\" FIXEDTIME=\"0\"/>";
        plan += "</DAY>";
    }
    ASSERT_TRUE(document.OpenPath(PlanFile(L"crowded.qvr", plan + "</DAILY></ROOT>")));
    Options::SetAllowSimultaneous(0);
    // A repair that reaches its end tells nothing.
    TaskPlanEntry apart(7, Time(9, 0), Time(10, 0), L"", L"", 0, 0);
    ASSERT_TRUE(document.AddPlanEntry(first - 10, apart));
    TaskPlanEntry second(7, Time(9, 30), Time(10, 0), L"", L"", 0, 0);
    ASSERT_TRUE(document.AddPlanEntry(first - 10, second));
    EXPECT_TRUE(prompts.errors.empty());

    TaskPlanEntry added(7, Time(8, 0), Time(9, 0), L"", L"", 0, 0);
    ASSERT_TRUE(document.AddPlanEntry(first, added));
    ASSERT_EQ(prompts.errors.size(), 1u);

    // What the document holds now: the entries that left their day or were
    // copied on, the days they reached, and the overlaps left before the
    // days the repair never reached.
    int moved = 0;
    double lastDay = 0;
    EString overlapping;
    for (int day = 0; day < 400; ++day) {
        std::vector<TaskPlanEntry> entries;
        document.GetDayPlanEntries(first + day, entries);
        int left = 0;
        double latestEnd = -1;
        bool untouched = entries.size() == 30;
        for (const TaskPlanEntry& entry : entries) {
            if (entry.GetStartTime() < latestEnd - 1e-6)
                ++left;
            latestEnd = std::max(latestEnd, entry.GetEndTime());
            untouched = untouched && entry.GetId() >= 100 + 30 * day && entry.GetId() < 130 + 30 * day &&
                        entry.GetStartTimeXmlText() == L"09:00";
            const bool own = entry.GetId() >= 100 + 30 * day && entry.GetId() < 130 + 30 * day;
            if (!own && entry.GetId() != added.GetId()) {
                ++moved;
                lastDay = first + day;
            }
        }
        if (untouched)
            break;
        if (left > 0)
            overlapping += EString(overlapping.IsEmpty() ? L"" : L", ") + std::to_wstring(left).c_str() +
                           (left == 1 ? L" plan entry on " : L" plan entries on ") + FormatOleDate(first + day);
    }
    ASSERT_FALSE(overlapping.IsEmpty());
    EXPECT_EQ(prompts.errors[0],
              L"Not every overlap could be repaired: one change moves only so many plan entries on to later days.\n" +
                  std::to_wstring(moved) + L" plan entries moved on to the days from " + FormatOleDate(first + 1) +
                  L" to " + FormatOleDate(lastDay) + L".\nStill overlapping: " + overlapping + L".");
}
