// The task list's commands and their enabled and check rules.
#include "views/tasks/PelquornView.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "dialogs/TranslatedOrKey.h"
#include "document/Clipboard.h"
#include "foundation/Language.h"
#include "views/common/ListHandler.h"
#include "winlib/RedrawSuspension.h"

namespace {

// The states pushed to the frame, in this order.
constexpr int kPushedCommands[] = {
    ID_TASK_DELETE,
    ID_TASK_RECURRING,
    ID_TASK_PRIORITY_URGENT_AND_IMPORTANT,
    ID_TASK_PRIORITY_IMPORTANT,
    ID_TASK_PRIORITY_URGENT,
    ID_TASK_PRIORITY_FUTURE,
    ID_EDIT_CUT,
    ID_EDIT_PASTE,
    ID_LOCATE_SCHEDULE,
    ID_LOCATE_CATEGORY,
    ID_ADJUST_START_TIME,
    ID_ADJUST_STOP_TIME,
    ID_TRACK_TIME,
    ID_TASK_EDIT,
    ID_TASK_ADD,
    ID_TASK_SPLIT,
    ID_TASK_COMPLETE,
    ID_EDIT_COPY,
    ID_TASK_REBASE_ESTIMATE,
    ID_TASK_ADD_SUBTASK,
};

int ImportanceOf(WORD commandId)
{
    switch (commandId) {
    case ID_TASK_PRIORITY_URGENT_AND_IMPORTANT: return 0;
    case ID_TASK_PRIORITY_IMPORTANT: return 1;
    case ID_TASK_PRIORITY_URGENT: return 2;
    default: return 3;
    }
}

// The selected tasks as the plan holds them, with their recurrence mark; one
// gone meanwhile is left out.
std::vector<TaskCard> SelectedTasks(ITaskListDocument& document, const std::vector<int>& ids)
{
    std::vector<TaskCard> tasks;
    tasks.reserve(ids.size());
    for (const int id : ids) {
        TaskCard task;
        if (!document.GetTask(id, task))
            continue;
        task.SetHasRecurrence(document.HasRecurrence(id));
        tasks.push_back(std::move(task));
    }
    return tasks;
}

// The rows of the changed tasks, found in one walk over the list: a search
// per task would walk the list once for each.
void RefreshRows(CPelquornView& view, const std::vector<TaskCard>& tasks)
{
    std::unordered_map<int, const TaskCard*> changed;
    for (const TaskCard& task : tasks)
        changed.emplace(task.GetId(), &task);
    for (int row = 0, count = view.GetRowCount(); row < count && !changed.empty(); ++row) {
        const TaskCard* shown = view.GetRowTask(row);
        const auto found = shown ? changed.find(shown->GetId()) : changed.end();
        if (found == changed.end())
            continue;
        view.RefreshRow(row, *found->second, found->second->HasRecurrence());
        changed.erase(found);
    }
}

} // namespace

bool CPelquornView::IsCommandEnabled(int commandId)
{
    const bool tracking = GetDocument() && GetDocument()->IsTracking();
    switch (commandId) {
    case ID_TASK_ADD:
    case ID_EDIT_SELECT_ALL:
    case ID_TRACK_NOW_NAME_LATER:
        return true;
    case ID_EDIT_PASTE:
        return Clipboard::IsPrivateFormatOnClipboard();
    case ID_ADJUST_STOP_TIME:
        return tracking;
    case ID_ADJUST_START_TIME:
        return OneSelected() && !tracking;
    case ID_TASK_RECURRING:
    case ID_LOCATE_SCHEDULE:
    case ID_LOCATE_CATEGORY:
    case ID_TRACK_TIME:
    case ID_TASK_SPLIT:
    case ID_TASK_ADD_SUBTASK:
        return OneSelected();
    case ID_TASK_COMPLETE: {
        const TaskCard* row = GetRowTask(GetFirstSelected());
        TaskCard task;
        return OneSelected() && row && row->GetId() >= 0 && GetDocument() &&
               GetDocument()->GetTask(row->GetId(), task, false);
    }
    default:
        // Delete, the importances, Cut, Copy, Edit, RebaseEstimate.
        return AnySelected();
    }
}

bool CPelquornView::IsCommandChecked(int commandId)
{
    const TaskCard* row = GetRowTask(GetFirstSelected());
    switch (commandId) {
    case ID_TASK_RECURRING:
        return OneSelected() && row && IsRecurring(row->GetId());
    case ID_TRACK_TIME:
        return GetDocument() && GetDocument()->IsTracking();
    case ID_TASK_COMPLETE: {
        TaskCard task;
        return row && GetDocument() && GetDocument()->GetTask(row->GetId(), task, false) && task.IsCompleted();
    }
    default:
        return false;
    }
}

void CPelquornView::UpdateCommandUI(bool active)
{
    for (int command : kPushedCommands)
        SendCommandState(active, command, active && IsCommandEnabled(command),
                         active && IsCommandChecked(command));
}

// Accelerators reach the handlers whatever a toolbar shows: each handler
// asks its own rule first.
#define RETURN_UNLESS_ENABLED(id)                                                                                  \
    if (!GetDocument() || !IsCommandEnabled(id))                                                                   \
        return 0;

LRESULT CPelquornView::OnAdd(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_ADD)
    AddTasks({}, {});
    return 0;
}

void CPelquornView::AddTasks(const EString& name, const EString& description)
{
    ITaskListDocument& document = *GetDocument();
    TaskDialogFields fields;
    do {
        fields = TaskDialogFields{};
        fields.name = name;
        fields.description = description;
        fields.deadline = document.GetDefaultDeadline();
        fields.categoryId = document.GetCurrentCategoryId();
        if (!m_dialogs->EditTask(::GetActiveWindow(), true, document, fields))
            break;
        // The tree shows the category the task goes to; its choice makes it current.
        if (fields.categoryId != document.GetCurrentCategoryId()) {
            if (!m_links || !m_links->SelectCategory(fields.categoryId))
                document.SetCurrentCategoryId(fields.categoryId);
        }
        TaskCard task(fields.name, fields.description, fields.estimation, fields.deadline, fields.importance, 0, 0, 0,
                      -1);
        if (!document.AddTask(task))
            continue;
        if (fields.hasRecurrence)
            document.SetRecurrence(fields.recurrence, task.GetId());
        else
            NotifyDocument(nullptr, NotifyCode::kTasksChanged);
        if (fields.hasReminder) {
            fields.reminder.SetId(task.GetId());
            document.AddReminder(fields.reminder);
        }
        SelectRow(-1);
        SelectRow(FindRow(task.GetId()));
        Sort();
        EnsureFirstSelectedVisible();
    } while (fields.addAnother);
    RefreshCommandUI(true);
}

LRESULT CPelquornView::OnEdit(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_EDIT)
    if (GetSelectedCount() > 1)
        EditSelectedTasks();
    else if (const TaskCard* row = GetRowTask(GetFirstSelected()))
        EditTask(row->GetId());
    return 0;
}

void CPelquornView::EditTask(int taskId)
{
    ITaskListDocument* document = GetDocument();
    TaskCard task;
    if (!document || !document->GetTask(taskId, task))
        return;
    TaskDialogFields fields;
    fields.name = task.GetName();
    fields.description = task.GetDescription();
    fields.estimation = task.GetEstimation();
    fields.deadline = task.GetDeadline();
    fields.importance = task.GetImportance();
    fields.status = task.GetStatus();
    fields.categoryId = document->GetTaskCategory(taskId);
    fields.hasRecurrence = document->GetRecurrence(taskId, fields.recurrence);
    fields.hasReminder = document->GetReminder(taskId, fields.reminder);
    if (!m_dialogs->EditTask(::GetActiveWindow(), false, *document, fields))
        return;
    task.SetName(fields.name);
    task.SetDescription(fields.description);
    task.SetEstimation(fields.estimation);
    task.SetDeadline(fields.deadline);
    task.SetImportance(fields.importance);
    task.SetStatus(fields.status);
    document->UpdateTask(task);
    if (fields.hasRecurrence) {
        fields.recurrence.SetId(taskId);
        document->SetRecurrence(fields.recurrence, taskId);
    } else {
        document->DeleteRecurrence(taskId);
    }
    if (fields.hasReminder) {
        fields.reminder.SetId(taskId);
        document->AddReminder(fields.reminder);
    } else {
        document->DeleteReminder(taskId);
    }
    TellTaskEdited(taskId);
}

void CPelquornView::EditSelectedTasks()
{
    ITaskListDocument& document = *GetDocument();
    int importance = 1;
    double deadline = document.GetDefaultDeadline();
    if (!m_dialogs->EditManyTasks(::GetActiveWindow(), importance, deadline))
        return;
    std::vector<TaskCard> tasks = SelectedTasks(document, GetSelectedTaskIds());
    for (TaskCard& task : tasks) {
        task.SetImportance(importance);
        task.SetDeadline(deadline);
    }
    document.UpdateTasks(tasks);
    RefreshRows(*this, tasks);
    NotifyDocument(this, NotifyCode::kAll);
}

LRESULT CPelquornView::OnDelete(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_DELETE)
    const int count = GetSelectedCount();
    // The translation is text, never a format: its placeholder is replaced.
    EString question;
    if (count == 1) {
        const TaskCard* row = GetRowTask(GetFirstSelected());
        question = TranslatedOrKey(L"ConfirmDeleteTask");
        question.Replace(L"%s", row ? row->GetName().c_str() : L"");
    } else {
        question = TranslatedOrKey(L"ConfirmDeleteTaskMulti");
        question.Replace(L"%d", std::to_wstring(count).c_str());
    }
    if (m_dialogs->ConfirmDelete(question))
        DeleteSelectedTasks();
    return 0;
}

void CPelquornView::DeleteSelectedTasks()
{
    GetDocument()->DeleteTasks(GetSelectedTaskIds());
    NotifyDocument(this, NotifyCode::kAll);
}

LRESULT CPelquornView::OnSplit(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_SPLIT)
    if (const TaskCard* row = GetRowTask(GetFirstSelected())) {
        const int categoryId = GetDocument()->ConvertTaskToCategory(row->GetId());
        if (categoryId > 0)
            NotifyDocument(this, categoryId);
    }
    return 0;
}

LRESULT CPelquornView::OnAddSubtask(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_ADD_SUBTASK)
    bool handled = true;
    OnSplit(0, ID_TASK_SPLIT, nullptr, handled);
    AddTasks({}, {});
    return 0;
}

LRESULT CPelquornView::OnComplete(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_COMPLETE)
    const int row = GetFirstSelected();
    TaskCard task;
    if (!GetDocument()->GetTask(GetRowTask(row)->GetId(), task))
        return 0;
    task.ToggleCompleted();
    GetDocument()->UpdateTask(task);
    RefreshRow(row, task, IsRecurring(task.GetId()));
    NotifyDocument(nullptr, NotifyCode::kAll);
    return 0;
}

LRESULT CPelquornView::OnCopy(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_EDIT_COPY)
    GetDocument()->CopyTasksToClipboard(m_hWnd);
    return 0;
}

LRESULT CPelquornView::OnCut(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_EDIT_CUT)
    // Only what the clipboard holds may leave the plan.
    if (GetDocument()->CopyTasksToClipboard(m_hWnd))
        DeleteSelectedTasks();
    return 0;
}

LRESULT CPelquornView::OnPaste(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_EDIT_PASTE)
    GetDocument()->PasteXml(Clipboard::GetPrivateClipboardText(m_hWnd));
    NotifyDocument(nullptr, NotifyCode::kAll);
    return 0;
}

LRESULT CPelquornView::OnLocateSchedule(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_LOCATE_SCHEDULE)
    GetDocument()->FindPlanEntries(GetRowTask(GetFirstSelected())->GetId(), -1);
    return 0;
}

LRESULT CPelquornView::OnLocateCategory(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_LOCATE_CATEGORY)
    NotifyDocument(this, GetDocument()->GetTaskCategory(GetRowTask(GetFirstSelected())->GetId()));
    return 0;
}

LRESULT CPelquornView::OnAdjustStartTime(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_ADJUST_START_TIME)
    ShowTrackingWindow(false);
    return 0;
}

LRESULT CPelquornView::OnAdjustStopTime(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_ADJUST_STOP_TIME)
    StopTrackingFromCommand();
    return 0;
}

LRESULT CPelquornView::OnTrackTime(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TRACK_TIME)
    if (GetDocument()->IsTracking())
        StopTrackingFromCommand();
    else
        ShowTrackingWindow(false);
    return 0;
}

LRESULT CPelquornView::OnSelectAll(WORD, WORD, HWND, bool&)
{
    // The control repaints each row it selects while it redraws.
    const CRedrawSuspension redraw(m_hWnd);
    ListHandler(m_hWnd).SelectAllRows();
    return 0;
}

LRESULT CPelquornView::OnImportance(WORD, WORD id, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(id)
    SetSelectedImportance(ImportanceOf(id));
    return 0;
}

void CPelquornView::SetSelectedImportance(int importance)
{
    std::vector<TaskCard> tasks = SelectedTasks(*GetDocument(), GetSelectedTaskIds());
    for (TaskCard& task : tasks)
        task.SetImportance(importance);
    GetDocument()->UpdateTasks(tasks);
    RefreshRows(*this, tasks);
    NotifyDocument(this, NotifyCode::kAll);
}

LRESULT CPelquornView::OnRebaseEstimate(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_REBASE_ESTIMATE)
    for (int id : GetSelectedTaskIds()) {
        GetDocument()->ResetOriginalEstimation(id);
        RefreshTaskRow(id);
    }
    return 0;
}

LRESULT CPelquornView::OnRecurring(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TASK_RECURRING)
    const int taskId = GetRowTask(GetFirstSelected())->GetId();
    RecurrenceInfo recurrence;
    if (!GetDocument()->GetRecurrence(taskId, recurrence))
        recurrence = RecurrenceInfo();
    if (!m_dialogs->EditRecurrence(::GetActiveWindow(), recurrence))
        return 0;
    GetDocument()->SetRecurrence(recurrence, taskId);
    TaskCard task;
    if (const int row = FindRow(taskId); row >= 0 && GetDocument()->GetTask(taskId, task))
        RefreshRow(row, task, true);
    return 0;
}

LRESULT CPelquornView::OnTrackNowNameLater(WORD, WORD, HWND, bool&)
{
    RETURN_UNLESS_ENABLED(ID_TRACK_NOW_NAME_LATER)
    ITaskListDocument& document = *GetDocument();
    TaskCard task(TranslatedOrKey(L"STrackNowNameLaterTitle"), {}, 2, document.GetDefaultDeadline(), 1, 0, 0, 0, -1);
    if (!document.AddTask(task))
        return 0;
    document.SetSelectedTaskIds({task.GetId()});
    ShowTrackingWindow(false);
    return 0;
}
