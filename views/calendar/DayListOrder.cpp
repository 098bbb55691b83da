#include "views/calendar/DayListOrder.h"

#include <windows.h>

#include <cmath>

namespace {

// Times of day to the second: two texts of the same time compare equal
// whatever rounding the reading left.
int CompareTimes(double a, double b)
{
    const long long left = std::llround(a * 86400);
    const long long right = std::llround(b * 86400);
    return left < right ? -1 : (left > right ? 1 : 0);
}

int Sign(double value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

int CompareByColumn(const TaskPlanEntry& a, const TaskPlanEntry& b, int column)
{
    switch (column) {
    case DayListColumn::kStart:
        if (const int order = CompareTimes(a.GetStartTime(), b.GetStartTime()))
            return order;
        return CompareTimes(a.GetEndTime(), b.GetEndTime());
    case DayListColumn::kEnd:
        return CompareTimes(a.GetEndTime(), b.GetEndTime());
    case DayListColumn::kDuration:
        return CompareTimes(a.GetDuration(), b.GetDuration());
    case DayListColumn::kPriority:
        return Sign(a.GetTask().GetImportance() - b.GetTask().GetImportance());
    case DayListColumn::kComments:
        return Sign(::lstrcmpiW(a.GetDescription().c_str(), b.GetDescription().c_str()));
    default:
        return 0;
    }
}

} // namespace

int CompareDayEntries(const TaskPlanEntry& a, const TaskPlanEntry& b, int column, bool ascending)
{
    int order = CompareByColumn(a, b, column);
    if (order == 0)
        order = Sign(::lstrcmpiW(a.GetName().c_str(), b.GetName().c_str()));
    return ascending ? order : -order;
}
