#include "document/model/TaskCard.h"

#include <algorithm>
#include <cmath>

#include "document/model/DateFunctions.h"
#include "document/model/IdCounter.h"
#include "foundation/ComError.h"
#include "foundation/Language.h"
#include "foundation/Locale.h"
#include "foundation/TimeParser.h"

namespace {

IdCounter g_ids;

const wchar_t* const kStatusKeys[] = {L"NEW_STATUS", L"INPROGRESS", L"COMPLETED_STATUS"};
const wchar_t* const kImportanceKeys[] = {L"URGENT_AND_IMPORTANT", L"IMPORTANT", L"URGENT", L"FUTURE_TASK"};
const COLORREF kImportanceColors[] = {0xDDDDFF, 0xFFFFFF, 0xDDFFDD, 0xFFDDDD};
const wchar_t* const kStatusFilterKeys[] = {L"ALL", L"TODO_TASKS", L"NEW_FILTER", L"INPROGRESS_FILTER",
                                            L"COMPLETED_FILTER"};
const wchar_t* const kPriorityFilterKeys[] = {L"AllPriorities", L"APriority", L"ABImportant", L"ABCPriorities"};
const wchar_t* const kDateFilterKeys[] = {L"ALL_DATES",    L"TODAY_TASKS",   L"THIS_WEEK",
                                          L"NEXT_7_DAYS", L"OVERDUE_TASKS", L"TODAY_AND_OVERDUE_TASKS"};

static_assert(std::size(kStatusFilterKeys) == TaskCard::kStatusFilterCount);
static_assert(std::size(kPriorityFilterKeys) == TaskCard::kPriorityFilterCount);
static_assert(std::size(kDateFilterKeys) == TaskCard::kDeadlineFilterCount);

constexpr int kFutureTask = 3;

// A key without a line in the language file is shown as it stands.
EString TranslateKey(const wchar_t* key)
{
    const EString text = Resource::Translate(key);
    return text.empty() ? EString(key) : text;
}

template <size_t N>
void FillTranslated(const wchar_t* const (&keys)[N], std::vector<EString>& names)
{
    names.clear();
    for (const wchar_t* key : keys)
        names.push_back(TranslateKey(key));
}

bool ParseHours(const EString& text, double& hours)
{
    if (text.empty())
        return false;
    return TryParseInvariantNumber(text, hours);
}

} // namespace

TaskCard::TaskCard(const EString& name, const EString& description, double estimation, double deadline,
                   int importance, int status, double doneTime, double plannedTime, double originalEstimation)
    : EstimatedCard(NextId(), name, description, deadline), m_importance(importance),
      m_originalEstimation(originalEstimation), m_estimation(estimation), m_doneTime(doneTime),
      m_plannedTime(plannedTime), m_status(status)
{
}

double TaskCard::GetRemainingEstimation() const
{
    const double remaining = std::max(0.0, m_estimation - (m_doneTime + m_plannedTime));
    return AdvMath::RoundTo(remaining, 2);
}

void TaskCard::ToggleCompleted()
{
    m_status = m_status == kCompleted ? kInProgress : kCompleted;
}

COLORREF TaskCard::GetColor()
{
    if (m_colorDef == -1)
        m_colorDef = static_cast<int>(GetDefaultColor());
    return static_cast<COLORREF>(m_colorDef);
}

COLORREF TaskCard::GetDefaultColor() const
{
    if (m_importance < 0 || m_importance > kFutureTask)
        return 0xFFFFFF;
    return kImportanceColors[m_importance];
}

EString TaskCard::GetEstimationText() const
{
    return FormatInvariantNumber(m_estimation, 1);
}

EString TaskCard::GetOriginalEstimationText() const
{
    return FormatInvariantNumber(m_originalEstimation, 1);
}

void TaskCard::SetEstimationText(const EString& text)
{
    ParseHours(text, m_estimation);
}

void TaskCard::SetOriginalEstimationText(const EString& text)
{
    ParseHours(text, m_originalEstimation);
}

EString TaskCard::GetStatusText() const
{
    const int status = m_status == kInProgress || m_status == kCompleted ? m_status : kNew;
    return TranslateKey(kStatusKeys[status]);
}

EString TaskCard::GetImportanceText() const
{
    const int importance = m_importance >= 0 && m_importance <= kFutureTask ? m_importance : kFutureTask;
    return TranslateKey(kImportanceKeys[importance]);
}

void TaskCard::GetStatusNames(std::vector<EString>& names)
{
    FillTranslated(kStatusKeys, names);
}

void TaskCard::GetImportanceNames(std::vector<EString>& names)
{
    FillTranslated(kImportanceKeys, names);
}

void TaskCard::GetStatusFilterKeys(std::vector<EString>& names)
{
    FillTranslated(kStatusFilterKeys, names);
}

void TaskCard::GetPriorityFilterKeys(std::vector<EString>& names)
{
    FillTranslated(kPriorityFilterKeys, names);
}

void TaskCard::GetDateFilterKeys(std::vector<EString>& names)
{
    FillTranslated(kDateFilterKeys, names);
}

bool TaskCard::MatchesStatusFilter(const FilterInfo& filter) const
{
    switch (filter.GetStatusFilter()) {
    case 0:
        return true;
    case 1:
        return m_status == kNew || m_status == kInProgress;
    case 2:
        return m_status == kNew;
    case 3:
        return m_status == kInProgress;
    case 4:
        return m_status == kCompleted;
    default:
        return false;
    }
}

bool TaskCard::MatchesPriorityFilter(const FilterInfo& filter) const
{
    if (filter.GetCategoryId() != 0)
        return true;
    switch (filter.GetPriorityFilter()) {
    case 0:
        return true;
    case 1:
        return m_importance == 0;
    case 2:
        return m_importance == 0 || m_importance == 1;
    case 3:
        return m_importance != kFutureTask;
    default:
        return false;
    }
}

bool TaskCard::MatchesDeadlineFilter(const FilterInfo& filter) const
{
    if (filter.GetCategoryId() != 0)
        return true;
    const int deadlineFilter = filter.GetDeadlineFilter();
    if (deadlineFilter == 0)
        return true;
    const double today = filter.GetToday();
    const double day = GetDeadline();
    switch (deadlineFilter) {
    case 1:
        return day == today;
    case 2: {
        const double weekStart = filter.GetWeekStart();
        return weekStart <= day && day < weekStart + 7;
    }
    case 3:
        return today <= day && day < today + 7;
    case 4:
        return day < today;
    case 5:
        return day <= today;
    default:
        return false;
    }
}

bool TaskCard::MatchesFilter(const FilterInfo& filter) const
{
    return MatchesStatusFilter(filter) && MatchesDeadlineFilter(filter) && MatchesPriorityFilter(filter);
}

bool TaskCard::operator==(const TaskCard& other) const
{
    return EstimatedCard::operator==(other) && m_estimation == other.m_estimation &&
           m_doneTime == other.m_doneTime && m_plannedTime == other.m_plannedTime && m_status == other.m_status &&
           m_originalEstimation == other.m_originalEstimation && m_dailyRecurrence == other.m_dailyRecurrence &&
           m_hasRecurrence == other.m_hasRecurrence && m_colorDef == other.m_colorDef;
}

int TaskCard::NextId()
{
    return g_ids.Next();
}

void TaskCard::SetIdCounter(int value)
{
    g_ids.Set(value);
}

TaskCard& FindTaskById(std::vector<TaskCard>& tasks, int id)
{
    for (TaskCard& task : tasks)
        if (task.GetId() == id)
            return task;
    ThrowComError(E_FAIL);
}

const TaskCard& FindTaskById(const std::vector<TaskCard>& tasks, int id)
{
    for (const TaskCard& task : tasks)
        if (task.GetId() == id)
            return task;
    ThrowComError(E_FAIL);
}
