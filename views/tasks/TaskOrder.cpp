#include "views/tasks/TaskOrder.h"

#include <algorithm>
#include <cmath>
#include <string>

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

// The bytes a text compares by as lstrcmpiW compares it.
std::string SortKey(const EString& text)
{
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const LCID locale = ::GetThreadLocale();
    // A name's key mostly fits the buffer at hand: one call, not a call for the size first.
    char buffer[512];
    int size = ::LCMapStringW(locale, kFlags, text.c_str(), -1, reinterpret_cast<LPWSTR>(buffer), sizeof(buffer));
    if (size > 0)
        return std::string(buffer, static_cast<size_t>(size));
    size = ::LCMapStringW(locale, kFlags, text.c_str(), -1, nullptr, 0);
    std::string key(static_cast<size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        ::LCMapStringW(locale, kFlags, text.c_str(), -1, reinterpret_cast<LPWSTR>(key.data()), size);
    return key;
}

struct SortEntry {
    TaskCard* task;
    std::string pathKey;
    std::string nameKey;
};

int CompareKeys(const std::string& a, const std::string& b)
{
    return Sign(a.compare(b));
}

int CompareEntries(const SortEntry& a, const SortEntry& b, int column)
{
    int difference = column == 8 ? CompareKeys(a.pathKey, b.pathKey) : CompareByColumn(*a.task, *b.task, column);
    if (difference == 0)
        difference = CompareKeys(a.nameKey, b.nameKey);
    return Sign(difference);
}

} // namespace

void SortTasks(std::vector<TaskCard>& tasks, int column, bool ascending)
{
    std::vector<SortEntry> entries;
    entries.reserve(tasks.size());
    for (TaskCard& task : tasks)
        entries.push_back({&task, column == 8 ? SortKey(task.GetCategoryPath()) : std::string(), SortKey(task.GetName())});
    std::stable_sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        const int order = CompareEntries(a, b, column);
        return ascending ? order < 0 : order > 0;
    });
    std::vector<TaskCard> sorted;
    sorted.reserve(tasks.size());
    for (const SortEntry& entry : entries)
        sorted.push_back(std::move(*entry.task));
    tasks = std::move(sorted);
}

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
