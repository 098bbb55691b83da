// CPelquornDoc: task selections, moves, estimations, the task summary, category completion and arranged deadlines.
#include "document/PelquornDoc.h"

#include <cmath>
#include <unordered_set>

#include "foundation/Clock.h"
#include "foundation/Options.h"

namespace {

constexpr double kMaxEstimationOnError = 8.0;
constexpr double kDefaultRangeDays = 42.0;

} // namespace

bool CPelquornDoc::GetTask(int id, TaskCard& task, bool showErrors)
{
    auto read = [&] {
        GetDataManager().GetTaskWithTimes(id, task);
        return true;
    };
    return showErrors ? Guarded(false, read) : Silently(false, read);
}

void CPelquornDoc::UpdateTask(const TaskCard& task)
{
    TaskCard stored;
    const bool completes = GetTask(task.GetId(), stored, false) && !stored.IsCompleted() && task.IsCompleted();
    SetModified(1);
    const bool updated = Guarded(false, [&] {
        GetDataManager().UpdateTask(task);
        return true;
    });
    if (updated && completes)
        CheckCategoryCompletion(task.GetId());
}

void CPelquornDoc::UpdateTasks(const std::vector<TaskCard>& tasks)
{
    if (tasks.empty())
        return;
    std::vector<int> completing;
    SetModified(1);
    GuardedEach(tasks, [&](const TaskCard& task) {
        TaskCard stored;
        GetDataManager().GetTask(task.GetId(), stored);
        const bool completes = !stored.IsCompleted() && task.IsCompleted();
        GetDataManager().UpdateTask(task);
        if (completes)
            completing.push_back(task.GetId());
    });
    // A category is asked about once, after all of its tasks changed.
    std::unordered_set<int> asked;
    for (const int id : completing)
        if (asked.insert(GetTaskCategory(id)).second)
            CheckCategoryCompletion(id);
}

void CPelquornDoc::DeleteTasks(const std::vector<int>& ids)
{
    if (ids.empty())
        return;
    SetModified(1);
    GuardedEach(ids, [&](int id) { GetDataManager().DeleteTask(id); });
}

void CPelquornDoc::SelectTasks(std::vector<TaskCard>& tasks, bool useStatusFilter, bool useDeadlineFilter)
{
    const bool fresh = tasks.empty();
    const bool read = Guarded(false, [&] {
        GetDataManager().SelectTasks(m_currentCategoryId, tasks, MakeFilter(useStatusFilter, useDeadlineFilter),
                                     m_transparentCategories != 0, m_lowPriorityTasks != 0, true);
        return true;
    });
    if (!useStatusFilter || !useDeadlineFilter)
        return;
    // The summary counts the subtree's tasks and the future ones: the same
    // tasks when the list takes them in too.
    if (read && fresh && m_transparentCategories != 0 && m_lowPriorityTasks != 0)
        TakeSummary(DataManager::Summarize(tasks));
    else
        BringTaskSummaryUpToDate();
}

void CPelquornDoc::GetTaskDateRange(double& first, double& last, bool useStatusFilter, bool useDeadlineFilter,
                                    const std::vector<TaskCard>* selected)
{
    // A calendar that cannot read the plan still shows the weeks ahead.
    first = Clock::Today();
    last = first + kDefaultRangeDays;
    double from = first, to = last;
    // The range counts the whole subtree with its future tasks, which the
    // selection holds only while the settings list them.
    const bool selectedAll =
        selected && useStatusFilter && useDeadlineFilter && m_transparentCategories != 0 && m_lowPriorityTasks != 0;
    Guarded([&] {
        if (selectedAll)
            GetDataManager().GetTaskDateRange(m_currentCategoryId, *selected, from, to);
        else
            GetDataManager().GetTaskDateRange(m_currentCategoryId, MakeFilter(useStatusFilter, useDeadlineFilter),
                                              from, to);
        first = from;
        last = to;
    });
}

bool CPelquornDoc::HasUncompletedTasks(int categoryId)
{
    return Guarded(false, [&] { return GetDataManager().HasUncompletedTasks(categoryId); });
}

double CPelquornDoc::GetMaxTaskEstimation(const std::vector<int>& taskIds)
{
    return Guarded(kMaxEstimationOnError, [&] { return GetDataManager().GetMaxTaskEstimation(taskIds); });
}

double CPelquornDoc::GetLastPlanDateOfTask(int taskId)
{
    return Guarded(0.0, [&] { return GetDataManager().GetLastPlanDateOfTask(taskId); });
}

std::vector<double> CPelquornDoc::GetLastPlanDatesOfTasks(const std::vector<int>& taskIds)
{
    return Guarded(std::vector<double>(taskIds.size(), 0.0),
                   [&] { return GetDataManager().GetLastPlanDatesOfTasks(taskIds); });
}

int CPelquornDoc::ConvertTaskToCategory(int taskId)
{
    SetModified(1);
    return Guarded(0, [&] { return GetDataManager().ConvertTaskToCategory(taskId); });
}

// A refused move (a task or the category not there, as in a drag from
// another plan) leaves the plan as it was, and so unmodified.
bool CPelquornDoc::MoveTasks(int categoryId, const std::vector<int>& taskIds)
{
    bool changing = false;
    const bool moved = Silently(false, [&] {
        GetDataManager().MoveTasks(categoryId, taskIds, &changing);
        return true;
    });
    if (changing)
        SetModified(1);
    return moved;
}

// A refused move (into its own branch) is checked before anything moves: the
// plan stays as it was, and so unmodified.
bool CPelquornDoc::MoveCategory(int parentId, int categoryId)
{
    const bool moved = Silently(false, [&] {
        GetDataManager().MoveCategory(parentId, categoryId);
        return true;
    });
    if (moved)
        SetModified(1);
    return moved;
}

void CPelquornDoc::ResetOriginalEstimations(int categoryId)
{
    SetModified(1);
    Guarded([&] { GetDataManager().ResetOriginalEstimations(categoryId); });
}

void CPelquornDoc::ResetOriginalEstimation(int taskId)
{
    SetModified(1);
    Guarded([&] { GetDataManager().ResetOriginalEstimation(taskId); });
}

void CPelquornDoc::RecalculateTaskSummary()
{
    const FilterInfo filter = MakeFilter(true, true);
    // A category that cannot be read counts no tasks.
    DataManager::TaskSummary summary;
    Silently(false, [&] {
        summary = GetDataManager().GetTaskSummary(m_currentCategoryId, filter);
        return true;
    });
    TakeSummary(summary);
}

void CPelquornDoc::BringTaskSummaryUpToDate()
{
    if (!IsSummaryCurrent())
        RecalculateTaskSummary();
}

CPelquornDoc::SummaryBasis CPelquornDoc::CurrentSummaryBasis() const
{
    return {m_taskNotices, m_currentCategoryId, m_statusFilter, m_deadlineFilter, m_priorityFilter};
}

void CPelquornDoc::TakeSummary(const DataManager::TaskSummary& summary)
{
    m_filteredTaskCount = summary.count;
    m_filteredTaskHours = summary.hours;
    m_summaryBasis = CurrentSummaryBasis();
    ShowTaskSummary();
}

bool CPelquornDoc::HasFilteredTasks()
{
    return GetFilteredTaskCount() > 0;
}

int CPelquornDoc::GetFilteredTaskCount()
{
    BringTaskSummaryUpToDate();
    return m_filteredTaskCount;
}

int CPelquornDoc::GetFilteredTaskHours()
{
    BringTaskSummaryUpToDate();
    return m_filteredTaskHours;
}

void CPelquornDoc::UpdateDaySummary(double day)
{
    std::vector<TaskPlanEntry> entries;
    GetDayPlanEntries(day, entries);
    UpdateDaySummary(entries);
}

void CPelquornDoc::UpdateDaySummary(const std::vector<TaskPlanEntry>& entries)
{
    m_dayEntryCount = static_cast<int>(entries.size());
    m_dayHours = 0;
    for (const TaskPlanEntry& entry : entries)
        m_dayHours += entry.GetDurationHours();
    ShowTaskSummary();
}

void CPelquornDoc::CheckCategoryCompletion(int taskId)
{
    const int categoryId = GetTaskCategory(taskId);
    if (categoryId <= 0 || HasUncompletedTasks(categoryId))
        return;
    Category category;
    if (!GetCategory(categoryId, category) || !PromptCategoryCompletion(category))
        return;
    category.SetStatus(1);
    UpdateCategory(category);
    if (!IsCategoryShown(category))
        Notify(nullptr, NotifyCode::kAll);
}

double CPelquornDoc::GetLoadFactor() const
{
    return Options::GetLoadFactor();
}

void CPelquornDoc::SetLoadFactor(double loadFactor)
{
    Options::SetLoadFactor(loadFactor);
}

void CPelquornDoc::ArrangeDeadlines(double startDate, double loadFactor)
{
    SetModified(1);
    Guarded([&] {
        GetDataManager().ArrangeDeadlines(m_currentCategoryId, m_statusFilter, startDate,
                                          static_cast<float>(loadFactor));
    });
}

LRESULT CPelquornDoc::OnArrangeDeadlines(WORD, WORD, HWND, bool&)
{
    double startDate = Clock::Now() + 1.0;
    double loadFactor = GetLoadFactor();
    if (!m_dialogs->ChooseDeadlineSchedule(startDate, loadFactor))
        return 0;
    ArrangeDeadlines(startDate, loadFactor);
    SetLoadFactor(loadFactor);
    Notify(nullptr, NotifyCode::kTasksChanged);
    return 0;
}
