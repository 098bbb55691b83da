#include "views/common/TaskOrder.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <string>

#include "foundation/TimeParser.h"
#include "views/common/TaskColumns.h"

namespace {

int Sign(double value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

// The columns of numbers: two values that show the same text tie, so the
// names order them, however far apart the times summed from plan entries are.
bool IsShownNumberColumn(int column)
{
    return column >= 1 && column <= 4;
}

double ColumnNumber(const TaskCard& task, int column)
{
    switch (column) {
    case 1: return task.GetEstimation();
    case 2: return task.GetDoneTime();
    case 3: return task.GetPlannedTime();
    default: return task.GetOriginalEstimation();
    }
}

int CompareShownNumbers(const TaskCard& a, const TaskCard& b, int column, const EString& shownA,
                        const EString& shownB)
{
    return shownA == shownB ? 0 : AdvMath::CompareValues(ColumnNumber(a, column), ColumnNumber(b, column));
}

// Tasks without a deadline, whose cells are empty, come before every date,
// as the find's order takes them: not among the tasks due today.
int CompareDeadlines(const TaskCard& a, const TaskCard& b)
{
    if (a.HasDeadline() != b.HasDeadline())
        return a.HasDeadline() ? 1 : -1;
    return a.HasDeadline() ? Sign(a.GetDeadline() - b.GetDeadline()) : 0;
}

int CompareByColumn(const TaskCard& a, const TaskCard& b, int column)
{
    if (IsShownNumberColumn(column))
        return CompareShownNumbers(a, b, column, TaskColumnText(a, column), TaskColumnText(b, column));
    switch (column) {
    case 5: return a.GetImportance() - b.GetImportance();
    case 6: return CompareDeadlines(a, b);
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

// The tasks' order by a column: the names and paths, which every comparison
// of their columns reads, by keys made once each, and the numbers by their
// texts, made once each too.
class KeyedOrder {
public:
    KeyedOrder(const std::vector<TaskCard>& tasks, int column)
        : m_tasks(tasks), m_column(column), m_names(tasks.size()), m_paths(tasks.size()),
          m_shown(IsShownNumberColumn(column) ? tasks.size() : 0)
    {
    }

    int Compare(size_t a, size_t b)
    {
        int difference = 0;
        if (m_column == 8)
            difference = CompareKeys(PathKey(a), PathKey(b));
        else if (IsShownNumberColumn(m_column))
            difference = CompareShownNumbers(m_tasks[a], m_tasks[b], m_column, Shown(a), Shown(b));
        else
            difference = CompareByColumn(m_tasks[a], m_tasks[b], m_column);
        if (difference != 0)
            return difference;
        return CompareKeys(NameKey(a), NameKey(b));
    }

private:
    static int CompareKeys(const std::string& a, const std::string& b) { return Sign(a.compare(b)); }
    const std::string& NameKey(size_t i)
    {
        if (!m_names[i])
            m_names[i] = SortKey(m_tasks[i].GetName());
        return *m_names[i];
    }
    const std::string& PathKey(size_t i)
    {
        if (!m_paths[i])
            m_paths[i] = SortKey(m_tasks[i].GetCategoryPath());
        return *m_paths[i];
    }

    const EString& Shown(size_t i)
    {
        if (!m_shown[i])
            m_shown[i] = TaskColumnText(m_tasks[i], m_column);
        return *m_shown[i];
    }

    const std::vector<TaskCard>& m_tasks;
    int m_column;
    std::vector<std::optional<std::string>> m_names;
    std::vector<std::optional<std::string>> m_paths;
    std::vector<std::optional<EString>> m_shown;
};

} // namespace

void SortTasks(std::vector<TaskCard>& tasks, int column, bool ascending)
{
    std::vector<size_t> order(tasks.size());
    std::iota(order.begin(), order.end(), size_t{0});
    KeyedOrder keyed(tasks, column);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int difference = keyed.Compare(a, b);
        return ascending ? difference < 0 : difference > 0;
    });
    std::vector<TaskCard> sorted;
    sorted.reserve(tasks.size());
    for (const size_t i : order)
        sorted.push_back(std::move(tasks[i]));
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
