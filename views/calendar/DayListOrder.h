// The order of the day list's rows by one of its columns.
#pragma once

#include <vector>

#include "document/model/TaskPlanEntry.h"

// The day list's columns, in display order.
namespace DayListColumn {
constexpr int kName = 0;
constexpr int kStart = 1;
constexpr int kEnd = 2;
constexpr int kDuration = 3;
constexpr int kPriority = 4;
constexpr int kComments = 5;
constexpr int kCount = 6;
} // namespace DayListColumn

// Negative when a comes first. Start time falls back on the end time; every
// column falls back on the names, without regard to case; the name column
// has nothing else. Descending turns the whole order round.
int CompareDayEntries(const TaskPlanEntry& a, const TaskPlanEntry& b, int column, bool ascending);

// In the order a stable sort by CompareDayEntries gives, with the texts
// compared only where the column ties and each distinct text ranked once:
// lstrcmpiW is slow, and a crowded day has thousands of rows.
void SortDayEntries(std::vector<TaskPlanEntry>& entries, int column, bool ascending);
