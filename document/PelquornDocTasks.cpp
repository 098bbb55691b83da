// CPelquornDoc: tasks, categories, filters and the task summary.
#include "document/PelquornDoc.h"

#include <cmath>

#include "document/DocumentText.h"
#include "foundation/AppWindow.h"
#include "foundation/BlankName.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"

namespace {

constexpr int kSummaryPane = 1;
// The setting's default: hours of a working day.
constexpr double kDefaultRegularHours = 8;
constexpr wchar_t kSummary[] = L"Day: %s, %s h   Tasks: %d, %d h (%s)";
constexpr CountedNoun kEntries = {L"SSumEntry", L"%d entry", L"SSumEntries", L"%d entries"};
constexpr CountedNoun kDays = {L"SSumDay", L"%d day", L"SSumDays", L"%d days"};
constexpr wchar_t kCompletionPrompt[] = L"All tasks of the category \"%s\" are completed. Complete the category as well?";

} // namespace

bool CPelquornDoc::AddTask(TaskCard& task)
{
    SetModified(1);
    const bool added = Guarded(false, [&] {
        GetDataManager().AddTask(m_currentCategoryId, task);
        return true;
    });
    RecalculateTaskSummary();
    return added;
}

void CPelquornDoc::DeleteTask(int id)
{
    SetModified(1);
    Guarded([&] { GetDataManager().DeleteTask(id); });
}

void CPelquornDoc::RenameTask(const EString& name, int id)
{
    if (id <= 0)
        id = GetFirstSelectedTaskId();
    TaskCard task;
    if (id <= 0 || !GetTask(id, task))
        return;
    // A name of blanks (the tracking window's field emptied) names nothing:
    // the task keeps its own.
    if (IsBlankName(name) || task.GetName().CompareNoCase(name.c_str()) == 0)
        return;
    task.SetName(name);
    UpdateTask(task);
    Notify(nullptr, NotifyCode::kTasksChanged);
}

EString CPelquornDoc::GetSelectedTaskName()
{
    TaskCard task;
    const int id = GetFirstSelectedTaskId();
    return id > 0 && GetTask(id, task) ? task.GetName() : EString();
}

int CPelquornDoc::GetTaskCategory(int taskId)
{
    return Silently(0, [&] { return GetDataManager().GetTaskCategory(taskId); });
}

double CPelquornDoc::GetDefaultDeadline() const
{
    return Clock::Now() + GetDeadlinePeriod();
}

double CPelquornDoc::GetDeadlinePeriod() const
{
    return static_cast<double>(Options::GetDeadlinePeriod());
}

FilterInfo CPelquornDoc::MakeFilter(bool useStatusFilter, bool useDeadlineFilter) const
{
    return FilterInfo(useStatusFilter ? m_statusFilter : 0, useDeadlineFilter ? m_deadlineFilter : 0, m_priorityFilter,
                      m_currentCategoryId);
}

bool CPelquornDoc::PassesTaskListFilters(const TaskCard& task) const
{
    // Tasks of the future importance are listed only when the settings ask for them.
    constexpr int kFutureImportance = 3;
    return task.MatchesFilter(MakeFilter(true, true)) &&
           (m_lowPriorityTasks != 0 || task.GetImportance() != kFutureImportance);
}

void CPelquornDoc::NotifyFilterChange()
{
    m_filterNotice = true;
    try {
        Notify(nullptr, NotifyCode::kAll);
    } catch (...) {
        m_filterNotice = false;
        throw;
    }
    m_filterNotice = false;
}

void CPelquornDoc::SetStatusFilter(int code)
{
    m_statusFilter = code;
    NotifyFilterChange();
}

void CPelquornDoc::SetDeadlineFilter(int code)
{
    m_deadlineFilter = code;
    NotifyFilterChange();
}

void CPelquornDoc::SetPriorityFilter(int code)
{
    m_priorityFilter = code;
    NotifyFilterChange();
}

void CPelquornDoc::SetCurrentCategoryId(int id)
{
    m_currentCategoryId = id;
    if (const HWND mainWindow = GetMainWindow())
        ::SendMessageW(mainWindow, WM_MAINFRAME_ENABLE_FILTERS, id == 0 ? 1 : 0, 0);
}

bool CPelquornDoc::GetCurrentCategory(Category& category)
{
    return m_currentCategoryId > 0 && GetCategory(m_currentCategoryId, category);
}

bool CPelquornDoc::AddCategory(int parentId, Category& category)
{
    SetModified(1);
    return Guarded(false, [&] {
        GetDataManager().AddCategory(parentId, category);
        return true;
    });
}

bool CPelquornDoc::UpdateCategory(const Category& category)
{
    SetModified(1);
    return Guarded(false, [&] {
        GetDataManager().UpdateCategory(category);
        return true;
    });
}

void CPelquornDoc::DeleteCategory(int id)
{
    SetModified(1);
    Guarded([&] { GetDataManager().DeleteCategory(id); });
}

bool CPelquornDoc::GetCategory(int id, Category& category)
{
    if (id <= 0) {
        category = Category();
        category.SetName(TranslatedText(L"ROOT_NAME"));
        return true;
    }
    return Guarded(false, [&] {
        GetDataManager().GetCategory(id, category);
        return true;
    });
}

void CPelquornDoc::GetSubCategories(int parentId, std::vector<Category>& categories)
{
    Guarded([&] { GetDataManager().GetSubCategories(parentId, categories); });
}

EString CPelquornDoc::GetCategoryPath(int id)
{
    return Silently(EString(), [&] { return GetDataManager().GetCategoryPathText(id); });
}

bool CPelquornDoc::IsCategoryShown(const Category& category) const
{
    return m_statusFilter == 0 || m_statusFilter == 4 || category.GetStatus() == 0;
}

bool CPelquornDoc::PromptCategoryCompletion(const Category& category)
{
    if (Options::GetPromptForCompletingCategory() == 0)
        return false;
    const EString message = FillTextFormat(TranslatedText(L"PROMPT_CAT_COMPLETION", kCompletionPrompt), {category.GetName()});
    bool doNotAskAgain = false;
    const bool complete = m_dialogs->AskCompleteCategory(message, doNotAskAgain);
    if (doNotAskAgain)
        Options::SetPromptForCompletingCategory(0);
    return complete;
}

LRESULT CPelquornDoc::OnTransparentCategories(WORD, WORD, HWND, bool&)
{
    m_transparentCategories = m_transparentCategories ? 0 : 1;
    Options::SetTransparentCategories(static_cast<DWORD>(m_transparentCategories));
    Notify(nullptr, NotifyCode::kTasksChanged);
    return 0;
}

void CPelquornDoc::ShowTaskSummary()
{
    if (!m_statusBar || !IsSummaryCurrent())
        return;
    m_statusBar->SetPaneText(kSummaryPane, FormatTaskSummary());
}

EString CPelquornDoc::FormatTaskSummary()
{
    BringTaskSummaryUpToDate();
    // A working day of no hours would count no days: the default one stands in.
    const double setting = Options::GetRegularHours();
    const double regularHours = setting > 0 ? setting : kDefaultRegularHours;
    const int days = static_cast<int>(std::ceil(m_filteredTaskHours / regularHours));
    return FillTextFormat(TranslatedText(L"SSum", kSummary),
                          {CountedText(m_dayEntryCount, kEntries), Locale::FormatDecimal(m_dayHours),
                           EString::Formatted(L"%d", m_filteredTaskCount),
                           EString::Formatted(L"%d", m_filteredTaskHours), CountedText(days, kDays)});
}
