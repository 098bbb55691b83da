#include "views/tasks/TaskOrder.h"

#include <cmath>

#include "foundation/TimeParser.h"

namespace {

int Sign(double value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

int CompareByColumn(const TaskCard& a, const TaskCard& b, int column)
{
    switch (column) {
    case 1: return AdvMath::CompareValues(a.GetEstimation(), b.GetEstimation());
    case 2: return AdvMath::CompareValues(a.GetDoneTime(), b.GetDoneTime());
    case 3: return AdvMath::CompareValues(a.GetPlannedTime(), b.GetPlannedTime());
    case 4: return AdvMath::CompareValues(a.GetOriginalEstimation(), b.GetOriginalEstimation());
    case 5: return a.GetImportance() - b.GetImportance();
    case 6: return Sign(a.GetDeadline() - b.GetDeadline());
    case 7: return a.GetStatus() - b.GetStatus();
    case 8: return ::lstrcmpiW(a.GetCategoryPath().c_str(), b.GetCategoryPath().c_str());
    default: return 0;
    }
}

} // namespace

int CompareTasks(const TaskCard& a, const TaskCard& b, int column, bool ascending)
{
    int difference = CompareByColumn(a, b, column);
    if (difference == 0)
        difference = ::lstrcmpiW(a.GetName().c_str(), b.GetName().c_str());
    const int order = Sign(difference);
    return ascending ? order : -order;
}

bool IsReminderDue(const ReminderInfo& reminder, double now)
{
    const double alarmDay = std::floor(reminder.GetAlarmDate());
    const double alarmTime = reminder.GetAlarmTime() - std::floor(reminder.GetAlarmTime());
    // A minute's rounding of the stored "%H:%M" must not hold an alarm back.
    constexpr double kHalfSecond = 0.5 / 86400.0;
    return alarmDay + alarmTime <= now + kHalfSecond;
}
