// The day list's row order by each column.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "views/calendar/DayListOrder.h"

namespace {

TaskPlanEntry Entry(const wchar_t* name, const wchar_t* start, const wchar_t* end, int importance = 1,
                    const wchar_t* comments = L"")
{
    TaskPlanEntry entry;
    entry.SetName(name);
    entry.SetStartTimeText(start);
    entry.SetEndTimeText(end);
    entry.SetDescription(comments);
    entry.GetTask().SetImportance(importance);
    return entry;
}

} // namespace

TEST(DayListOrder, EachColumnOrdersByItsValueThenByNameWithoutRegardToCase)
{
    using namespace DayListColumn;
    const struct {
        const char* name;
        TaskPlanEntry a, b;
        int column;
        int order; // of a against b, ascending
    } cases[] = {
        {"earlier start first", Entry(L"b", L"09:00", L"12:00"), Entry(L"a", L"10:00", L"10:30"), kStart, -1},
        {"same start: earlier end first", Entry(L"a", L"09:00", L"10:00"), Entry(L"b", L"09:00", L"09:30"), kStart, 1},
        {"same times: by name", Entry(L"Call", L"09:00", L"10:00"), Entry(L"backup", L"09:00", L"10:00"), kStart, 1},
        {"names ignore case", Entry(L"call", L"09:00", L"10:00"), Entry(L"CALL", L"09:00", L"10:00"), kStart, 0},
        {"end only", Entry(L"a", L"08:00", L"11:00"), Entry(L"b", L"10:00", L"10:30"), kEnd, 1},
        {"same end: by name, not start", Entry(L"b", L"08:00", L"11:00"), Entry(L"a", L"10:00", L"11:00"), kEnd, 1},
        {"shorter first", Entry(L"a", L"08:00", L"08:15"), Entry(L"b", L"10:00", L"11:00"), kDuration, -1},
        {"urgent and important first", Entry(L"z", L"08:00", L"09:00", 0), Entry(L"a", L"08:00", L"09:00", 3),
         kPriority, -1},
        {"same importance: by name", Entry(L"z", L"08:00", L"09:00", 2), Entry(L"a", L"08:00", L"09:00", 2),
         kPriority, 1},
        {"comments ignore case", Entry(L"a", L"08:00", L"09:00", 1, L"PHONE"), Entry(L"b", L"08:00", L"09:00", 1, L"mail"),
         kComments, 1},
        {"name column: names only", Entry(L"Alpha", L"12:00", L"13:00"), Entry(L"beta", L"08:00", L"09:00"), kName, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareDayEntries(c.a, c.b, c.column, true), c.order) << c.name;
        EXPECT_EQ(CompareDayEntries(c.a, c.b, c.column, false), -c.order) << c.name << ", descending";
    }
}

TEST(DayListOrder, SortingTheRowsKeepsTheOrderAndTheTiesOfTheComparison)
{
    // Ties of every column, names equal but for case, and texts lstrcmpiW orders otherwise than by code.
    const TaskPlanEntry pool[] = {
        Entry(L"call", L"09:00", L"10:00", 2, L"mail"),   Entry(L"Call", L"09:00", L"10:00", 1, L""),
        Entry(L"backup", L"09:00", L"09:30", 2, L"Mail"), Entry(L"_note", L"08:00", L"10:00", 0, L"phone"),
        Entry(L"CALL", L"10:00", L"10:30", 1, L""),       Entry(L"\u00e9t\u00e9", L"08:00", L"09:00", 3, L"MAIL"),
        Entry(L"zoo", L"08:30", L"09:00", 2, L"phone"),   Entry(L"etc", L"08:00", L"09:00", 1, L""),
    };
    std::vector<TaskPlanEntry> rows;
    for (int round = 0; round < 3; ++round)
        for (size_t i = 0; i < std::size(pool); ++i) {
            rows.push_back(pool[(i * 5 + static_cast<size_t>(round)) % std::size(pool)]);
            rows.back().SetId(static_cast<int>(rows.size()));
        }
    const auto ids = [](const std::vector<TaskPlanEntry>& entries) {
        std::vector<int> order;
        for (const TaskPlanEntry& entry : entries)
            order.push_back(entry.GetId());
        return order;
    };
    for (int column = 0; column < DayListColumn::kCount; ++column)
        for (const bool ascending : {true, false}) {
            std::vector<TaskPlanEntry> compared = rows;
            std::stable_sort(compared.begin(), compared.end(), [&](const TaskPlanEntry& a, const TaskPlanEntry& b) {
                return CompareDayEntries(a, b, column, ascending) < 0;
            });
            std::vector<TaskPlanEntry> sorted = rows;
            SortDayEntries(sorted, column, ascending);
            EXPECT_EQ(ids(sorted), ids(compared)) << "column " << column << (ascending ? "" : ", descending");
        }
}
