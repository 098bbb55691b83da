// The data manager on the generated plan of 10,000 tasks and on the large plan of crowded days: its queries and edits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "benchmark/BenchmarkTimer.h"
#include "benchmark/FigureLines.h"
#include "benchmark/LargePlan.h"
#include "benchmark/PlanGenerator.h"
#include "document/xml/DataManager.h"
#include "document/xml/DataManagerTestSupport.h"
#include "foundation/CTFile.h"
#include "foundation/TimeParser.h"

namespace {

double MillisecondsOf(const std::function<void()>& work)
{
    return MedianMilliseconds(1, work);
}

// The slowest of a few runs of each: what a user can meet.
double Worst(int runs, const std::function<void(int)>& work)
{
    double worst = 0;
    for (int i = 0; i < runs; ++i)
        worst = std::max(worst, MillisecondsOf([&] { work(i); }));
    return worst;
}

// Where the repair stopped: what it moved on, and what still overlaps.
void PrintOverlapsLeft(const DataManager::UnrepairedOverlaps& left)
{
    if (left.IsEmpty()) {
        std::printf("  no overlaps left\n");
        return;
    }
    std::printf("  %d entries moved on over %.0f days; still overlapping:", left.moved,
                left.lastDay - left.firstDay + 1);
    for (const DataManager::UnrepairedOverlaps::Day& day : left.days)
        std::printf(" %d on day %+.0f", day.overlapping, day.date - left.firstDay + 1);
    std::printf("\n");
}

} // namespace

TEST_F(DataManagerTest, QueriesAndEditsOfTheGeneratedPlan)
{
    const std::string bytes = GeneratePlan(PlanSize(), 20261208);
    const EString text = Utf8ToWide(bytes.data(), bytes.size());
    // Now in the middle of the plan's three years.
    SetNow(DateTime(2025, 6, 11, 10, 30));
    const double open = MillisecondsOf([&] { Open(text); });
    const double table = MillisecondsOf([&] { m_doc.GetLastPlanDateOfTask(1); });
    std::printf("load and seed:                         %.0f ms\n", open);
    std::printf("plan-entry table, built once:          %.0f ms\n", table);

    const FilterInfo all(0, 0, 0, 0);
    // The lists are dropped outside the measure: the views keep them.
    std::vector<std::vector<TaskCard>> kept(6);
    const double rootSelection = Worst(3, [&](int i) { m_doc.SelectTasks(0, kept[i], all, true, true, true); });
    const size_t count = kept[0].size();
    EXPECT_EQ(count, 10000u);
    const double filtered =
        Worst(3, [&](int i) { m_doc.SelectTasks(0, kept[3 + i], FilterInfo(1, 0, 3, 0), true, false, true); });
    const double summary = Worst(3, [&](int) {
        m_doc.CountTasks(0, all);
        m_doc.GetTotalEstimation(0, all);
    });
    double first = 0, last = 0;
    const double range = Worst(3, [&](int) { m_doc.GetTaskDateRange(0, all, first, last); });
    const double categoryRange = Worst(3, [&](int i) { m_doc.GetTaskDateRange(1 + i, FilterInfo(0, 0, 0, 1 + i), first, last); });
    std::printf("select the root's tasks with times:    %.1f ms (%zu tasks)\n", rootSelection, count);
    std::printf("  the same, to do and no future tasks: %.1f ms\n", filtered);
    std::printf("count and estimation of the root:      %.1f ms\n", summary);
    std::printf("date range of the root:                %.1f ms\n", range);
    std::printf("date range of a category:              %.1f ms\n", categoryRange);

    const double day0 = Date(2025, 6, 11);
    std::vector<TaskPlanEntry> entries;
    const double dayRead = Worst(20, [&](int i) {
        entries.clear();
        m_doc.GetDayPlanEntries(day0 + i, entries);
    });
    std::printf("a day's plan entries:                  %.2f ms (%zu entries)\n", dayRead, entries.size());

    std::vector<std::pair<const char*, double>> edits;
    auto edit = [&](const char* name, int runs, const std::function<void(int)>& work) {
        edits.push_back({name, Worst(runs, work)});
        std::printf("%-39s%.2f ms\n", name, edits.back().second);
    };
    edit("add a task:", 5, [&](int) { m_doc.AddTask(150, TaskCard(L"Added", L"", 1, 0, 1, 0, 0, 0, -1)); });
    edit("add a plan entry, pushing the day:", 5, [&](int i) {
        TaskPlanEntry entry(500 + i, TimeParser::ParseTime(L"09:00"), TimeParser::ParseTime(L"10:00"), L"", L"", 0, 0);
        m_doc.AddPlanEntry(day0 + 30 + i, entry, true, true);
    });
    edit("update a plan entry:", 5, [&](int i) {
        TaskPlanEntry entry;
        m_doc.GetPlanEntry(50000 + i, entry);
        entry.SetEnd(entry.GetEndTime() + 5.0 / 1440);
        m_doc.UpdatePlanEntry(entry, false);
    });
    edit("move a task:", 5, [&](int i) { m_doc.MoveTasks(200, {3000 + i}); });
    edit("delete a task:", 5, [&](int i) { m_doc.DeleteTask(4000 + i); });
    edit("delete a plan entry:", 5, [&](int i) { m_doc.DeletePlanEntry(60000 + i); });
    EString fragment;
    const double copy = Worst(3, [&](int i) { fragment = m_doc.GetCategoryXml(20 + i); });
    std::printf("copy a category to a fragment:         %.1f ms (%zu characters)\n", copy, fragment.size());

    PrintAim("the root's tasks", rootSelection, 50.0 * 2); // this machine runs Wine at about half the measured speed
    PrintAim("a day's plan entries", dayRead, 5.0 * 2);
    for (const auto& [name, ms] : edits)
        PrintAim(name, ms, 10.0 * 2);
}

TEST_F(DataManagerTest, AnAddBeforeTheCrowdedDaysOfTheLargePlan)
{
    // Every day of the large plan holds 92 half hours from 09:00 on, 46 hours:
    // an add carries entries on day after day, as far as a repair reaches.
    const std::string bytes = LargePlanXml();
    Open(Utf8ToWide(bytes.data(), bytes.size()));
    const double day = Date(2022, 3, 5);
    std::vector<TaskPlanEntry> entries;
    m_doc.GetDayPlanEntries(day, entries);
    ASSERT_EQ(entries.size(), 92u);
    const long before = m_doc.GetDocument(false).SelectNodes(L"//PLANENTRY").GetLength();
    const long long stepsBefore = m_doc.OverlapWalkSteps();
    TaskPlanEntry entry(1, TimeParser::ParseTime(L"09:00"), TimeParser::ParseTime(L"09:30"), L"", L"", 0, 0);
    const double add = MillisecondsOf([&] { m_doc.AddPlanEntry(day, entry, true, true); });
    const long after = m_doc.GetDocument(false).SelectNodes(L"//PLANENTRY").GetLength();
    std::printf("add before crowded days:               %.0f ms (%lld walk steps, %ld overflow copies)\n", add,
                m_doc.OverlapWalkSteps() - stepsBefore, after - before - 1);
    PrintOverlapsLeft(m_doc.TakeUnrepairedOverlaps());
}

TEST_F(DataManagerTest, AnEditOnTheCrowdedDaysOfTheGeneratedPlans)
{
    // The start-up benchmark's crowded day: a day of ten entries per task,
    // one minute each from 01:00 on, nothing else planned. Its first entry
    // edited repairs the whole day and carries the rest on, day after day.
    const double day = Date(2026, 3, 2);
    for (const PlanSize& base : {PlanSize::Tenth(), PlanSize()}) {
        PlanSize size = base;
        size.planEntries = 0;
        size.fullDays = {{static_cast<int>(day), size.tasks * 10}};
        const std::string bytes = GeneratePlan(size, 20261208);
        Open(Utf8ToWide(bytes.data(), bytes.size()));
        std::vector<TaskPlanEntry> entries;
        m_doc.GetDayPlanEntries(day, entries);
        ASSERT_EQ(entries.size(), static_cast<size_t>(size.tasks * 10));
        const long long stepsBefore = m_doc.OverlapWalkSteps();
        TaskPlanEntry edited = entries.front();
        edited.SetDescription(L"bring the notes");
        const double edit = MillisecondsOf([&] { m_doc.UpdatePlanEntry(edited, false); });
        std::printf("edit on a crowded day of %6d entries: %.0f ms (%lld walk steps)\n", size.tasks * 10, edit,
                    m_doc.OverlapWalkSteps() - stepsBefore);
        PrintOverlapsLeft(m_doc.TakeUnrepairedOverlaps());
    }
}
