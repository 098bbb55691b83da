#include "views/calendar/PlanEntryEdits.h"

#include <cmath>

#include "views/calendar/DaySettings.h"
#include "views/calendar/PlannerGeometry.h"

PlannerItem PlannerItemOfEntry(const TaskPlanEntry& entry, double day)
{
    PlannerItem item;
    // To the second: a time of day read from the file is a little off in binary.
    item.start = std::floor(day) + std::round(entry.GetStartTime() * 86400.0) / 86400.0;
    item.lengthMinutes = static_cast<int>(std::floor(entry.GetDurationHours() * 60.0 + 1e-6));
    item.completed = entry.IsCompleted();
    item.fixedTime = entry.GetFixedTime();
    // As GetColor gives it, without a copy of the task to change.
    const TaskCard& task = entry.GetTask();
    item.fillColor = task.GetColorDef() == -1 ? task.GetDefaultColor() : static_cast<COLORREF>(task.GetColorDef());
    item.textColor = ::GetSysColor(IsDarkFill(item.fillColor) ? COLOR_WINDOW : COLOR_BTNTEXT);
    item.subject = entry.GetName();
    item.description = entry.GetDescription();
    item.data = entry.GetId();
    return item;
}

namespace {

// Times are stored to the minute: a sum a little below 11:30 must not be written as 11:29.
double ToNearestMinute(double time)
{
    return std::round(time * 1440.0) / 1440.0;
}

} // namespace

void ApplyEdgeDrag(TimeRange& range, int edgeKind, double delta)
{
    if (edgeKind == kEdgeTop)
        range.SetStart(ToNearestMinute(range.GetStartTime() + delta));
    else if (edgeKind == kEdgeBottom)
        range.SetEnd(ToNearestMinute(range.GetEndTime() + delta));
}

std::vector<double> DaysToCopyTo(double shownDay, double targetDay)
{
    std::vector<double> days;
    const double from = std::floor(shownDay);
    const double to = std::floor(targetDay);
    if (to > from)
        for (double day = from + 1; day <= to; ++day)
            days.push_back(day);
    else
        for (double day = to; day < from; ++day)
            days.push_back(day);
    return days;
}
