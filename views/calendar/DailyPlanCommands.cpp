// The daily plan pane's commands and the plan-entry dialog's answers.
#include <algorithm>
#include <cmath>

#include "dialogs/TranslatedOrKey.h"
#include "document/IFindServices.h"
#include "foundation/AppWindow.h"
#include "foundation/Clock.h"
#include "foundation/ComError.h"
#include "foundation/Log.h"
#include "foundation/TimeParser.h"
#include "resources/DailyPlanIds.h"
#include "views/calendar/DailyPlanView.h"

namespace {

// The last moment of a day as a time of day.
constexpr double kLastMomentOfDay = 1.0 - 1.0 / (24.0 * 60.0 * 60.0);

// Several selected tasks are scheduled as if they had been dropped on the
// content: the batch dialog, then the document.
struct DroppedTaskScheduling : CDayManagerBase {
    using CDayManagerBase::ScheduleDroppedTasks;
};

void ScheduleTasks(CDayManagerBase& content, const std::vector<int>& taskIds)
{
    (content.*&DroppedTaskScheduling::ScheduleDroppedTasks)(taskIds);
}

} // namespace

LRESULT CDailyPlanView::OnDayCommand(WORD, WORD id, HWND, bool&)
{
    MoveDays(id == ID_DAY_PREVIOUS ? -1 : id == ID_DAY_NEXT ? 1 : 0);
    return 0;
}

LRESULT CDailyPlanView::OnRecurringEntries(WORD, WORD, HWND, bool&)
{
    if (IDailyPlanDocument* document = GetDocument())
        document->AddRecurringPlanEntries(GetDate());
    return 0;
}

// The document has reported a failure itself; the pane keeps the shown day
// rather than jump to the zero date.
LRESULT CDailyPlanView::OnRescheduleTomorrow(WORD, WORD, HWND, bool&)
{
    IDailyPlanDocument* document = GetDocument();
    if (!document)
        return 0;
    const double target = document->RescheduleToNextWorkDay(GetDate());
    if (target <= 0)
        return 0;
    SetDate(target, true);
    GetContent().OnDateChanged();
    return 0;
}

LRESULT CDailyPlanView::OnMarkHoliday(WORD, WORD, HWND, bool&)
{
    IDailyPlanDocument* document = GetDocument();
    if (!document)
        return 0;
    document->ToggleHoliday(GetDate());
    document->Notify(this, NotifyCode::kHolidaysChanged);
    GetContent().ReloadHolidays();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return 0;
}

bool CDailyPlanView::ReadSelectedEntry(TaskPlanEntry& entry)
{
    IDailyPlanDocument* document = GetDocument();
    const int id = GetContent().GetSelectedEntryId();
    return document && id >= 0 && document->GetPlanEntry(id, entry);
}

LRESULT CDailyPlanView::OnDelete(WORD, WORD, HWND, bool&)
{
    IDailyPlanDocument* document = GetDocument();
    CDayManagerBase& content = GetContent();
    const int count = content.HasSelection();
    if (!document || count <= 0)
        return 0;
    // The translation is text, never a format: its placeholder is replaced.
    EString question;
    if (count == 1) {
        TaskPlanEntry entry;
        if (!ReadSelectedEntry(entry))
            return 0;
        question = TranslatedOrKey(L"ConfirmDeletePlan");
        question.Replace(L"%s", entry.GetName().c_str());
    } else {
        question = TranslatedOrKey(L"ConfirmDeletePlanMulti");
        question.Replace(L"%d", std::to_wstring(count).c_str());
    }
    const bool yes = m_confirmDelete ? m_confirmDelete(question)
                                     : AppMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
    if (!yes)
        return 0;
    const int firstIndex = content.GetSelectedIndex();
    std::vector<int> ids;
    content.GetSelectedEntryIds(ids);
    document->DeletePlanEntries(ids);
    document->Notify(nullptr, NotifyCode::kTasksChanged);
    GetContent().SelectIndex(std::max(firstIndex - 1, 0));
    return 0;
}

LRESULT CDailyPlanView::OnEdit(WORD, WORD, HWND, bool&)
{
    IDailyPlanDocument* document = GetDocument();
    std::vector<int> ids;
    GetContent().GetSelectedEntryIds(ids);
    TaskPlanEntry entry;
    if (!document || ids.empty() || !document->GetPlanEntry(ids.front(), entry))
        return 0;
    TaskCard task;
    // The entry carries its task; the file's copy is fresher when it reads.
    if (!document->GetTask(entry.GetTaskId(), task, false))
        task = entry.GetTask();
    OpenablePlanDialog().SetTaskList({task});
    m_planDialog.SetExistingEntry(1);
    m_planDialog.entryId = entry.GetId();
    m_planDialog.taskId = entry.GetTaskId();
    m_planDialog.duration = -1.0;
    m_planDialog.start = TimeParser::GetTimeOfDay(entry.GetStartTime());
    m_planDialog.finish = TimeParser::GetTimeOfDay(entry.GetEndTime());
    m_planDialog.comments = entry.GetDescription();
    m_planDialog.fixedTime = entry.GetFixedTime();
    m_planDialog.dailyRecurring = entry.IsDailyRecurrence() ? 1 : 0;
    m_planDialog.completed = entry.IsCompleted() ? 1 : 0;
    m_planDialog.colour = static_cast<COLORREF>(task.GetColor());
    m_planDialog.ShowModeless();
    return 0;
}

LRESULT CDailyPlanView::OnAddEntry(WORD, WORD, HWND, bool&)
{
    IDailyPlanDocument* document = GetDocument();
    if (!document)
        return 0;
    std::vector<int> selectedTasks;
    document->GetSelectedTaskIds(selectedTasks);
    LogMessage(L"OnNewPlan(%d)\n", static_cast<int>(selectedTasks.size()));
    if (selectedTasks.size() >= 2) {
        ScheduleTasks(GetContent(), selectedTasks);
        return 0;
    }
    std::vector<TaskCard> tasks;
    document->SelectTasks(tasks, true, true);
    OpenablePlanDialog().SetTaskList(tasks);
    m_planDialog.SetExistingEntry(0);
    m_planDialog.entryId = 0;
    m_planDialog.duration = -1.0;
    const double dropTime = GetContent().GetDropTime();
    m_planDialog.start = dropTime;
    m_planDialog.finish = dropTime;
    m_planDialog.taskId = document->GetFirstSelectedTaskId();
    m_planDialog.comments.clear();
    m_planDialog.fixedTime = 0;
    m_planDialog.dailyRecurring = 0;
    m_planDialog.completed = 0;
    m_planDialog.ShowModeless();
    return 0;
}

LRESULT CDailyPlanView::OnNewEntryConfirmed(UINT, WPARAM, LPARAM, bool&)
{
    IDailyPlanDocument* document = GetDocument();
    if (!document)
        return 0;
    const CPlanDialog& dialog = m_planDialog;
    TaskPlanEntry entry(dialog.taskId, dialog.start, dialog.finish, dialog.comments, EString(), dialog.fixedTime,
                        dialog.dailyRecurring);
    TaskCard task;
    if (document->GetTask(dialog.taskId, task))
        entry.SetTask(task);
    entry.SetTaskColor(static_cast<int>(dialog.colour));
    if (!document->AddPlanEntry(GetContent().GetShownDate(), entry))
        return 0;
    GetContent().SetPendingSelection(entry.GetId());
    document->Notify(nullptr, NotifyCode::kTasksChanged);
    return 0;
}

LRESULT CDailyPlanView::OnEditedEntryConfirmed(UINT, WPARAM, LPARAM, bool&)
{
    IDailyPlanDocument* document = GetDocument();
    const CPlanDialog& dialog = m_planDialog;
    TaskPlanEntry entry;
    if (!document || !document->GetPlanEntry(dialog.entryId, entry))
        return 0;
    entry.SetTaskId(dialog.taskId);
    entry.SetCompleted(dialog.completed != 0);
    entry.SetStartKeepDuration(dialog.start);
    entry.SetEnd(dialog.finish);
    entry.SetDescription(dialog.comments);
    entry.SetFixedTime(dialog.fixedTime);
    entry.SetDailyRecurrence(dialog.dailyRecurring != 0);
    entry.SetTaskColor(static_cast<int>(dialog.colour));
    if (!document->UpdatePlanEntry(entry))
        return 0;
    GetContent().SetPendingSelection(entry.GetId());
    document->Notify(nullptr, NotifyCode::kAll);
    return 0;
}

LRESULT CDailyPlanView::OnToggleCompleted(WORD, WORD, HWND, bool&)
{
    std::vector<int> ids;
    GetContent().GetSelectedEntryIds(ids);
    GetContent().ToggleCompleted(ids);
    return 0;
}

void CDailyPlanView::AdjustTime(TimeEdge edge)
{
    IDailyPlanDocument* document = GetDocument();
    TaskPlanEntry entry;
    if (!ReadSelectedEntry(entry))
        return;
    const double now = TimeParser::GetCurrentTimeOfDay();
    if (edge == TimeEdge::Start) {
        const double duration = entry.GetEndTime() - entry.GetStartTime();
        entry.SetStartKeepDuration(now);
        entry.SetEnd(std::min(now + duration, kLastMomentOfDay));
    } else {
        if (now < TimeParser::GetTimeOfDay(entry.GetStartTime()))
            entry.SetStartKeepDuration(now);
        entry.SetEnd(now);
    }
    entry.SetFixedTime(1);
    if (document->UpdatePlanEntry(entry))
        document->Notify(nullptr, NotifyCode::kTasksChanged);
}

LRESULT CDailyPlanView::OnAdjustStartTime(WORD, WORD, HWND, bool&)
{
    AdjustTime(TimeEdge::Start);
    return 0;
}

LRESULT CDailyPlanView::OnAdjustStopTime(WORD, WORD, HWND, bool&)
{
    IDailyPlanDocument* document = GetDocument();
    if (document && document->IsTracking())
        document->StopTracking();
    else
        AdjustTime(TimeEdge::End);
    return 0;
}

LRESULT CDailyPlanView::OnLocateCategory(WORD, WORD, HWND, bool&)
{
    TaskPlanEntry entry;
    if (ReadSelectedEntry(entry))
        GetDocument()->Notify(nullptr, GetDocument()->GetTaskCategory(entry.GetTaskId()));
    return 0;
}

LRESULT CDailyPlanView::OnLocateSchedule(WORD, WORD, HWND, bool&)
{
    TaskPlanEntry entry;
    if (ReadSelectedEntry(entry))
        GetDocument()->FindPlanEntries(entry.GetTaskId(), entry.GetId());
    return 0;
}

LRESULT CDailyPlanView::OnSelectAll(WORD, WORD, HWND, bool&)
{
    GetContent().SelectAll();
    return 0;
}

void CDailyPlanView::ShowFoundEntry()
{
    IDailyPlanDocument* document = GetDocument();
    if (!document)
        return;
    try {
        IPlanEntryFinder& finder = document->GetPlanEntryFinder();
        const double date = finder.GetFoundDate();
        if (date == 0)
            return;
        SelectDate(date);
        GetContent().OnDateChanged();
        GetContent().SelectEntryById(finder.GetFoundId());
        SetFocus();
    } catch (const ComError&) {
        // The finder has said what went wrong; the shown day stays.
    }
}

LRESULT CDailyPlanView::OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (point.x == -1 && point.y == -1) {
        CDayManagerBase& content = GetContent();
        RECT item = {};
        if (!content.GetFocusedItemRect(item))
            return 0;
        point = {item.left, item.bottom};
        content.ContentClientToScreen(point);
    }
    ShowContextMenu(&point, IDR_PLAN_MENU);
    return 0;
}
