// The task list's reminder clock, its reminder popup actions and time tracking.
#include "views/tasks/PelquornView.h"

#include <algorithm>

#include "foundation/Clock.h"
#include "foundation/ModalScope.h"
#include "foundation/Options.h"
#include "views/common/TaskOrder.h"

LRESULT CPelquornView::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    ::KillTimer(m_hWnd, wParam);
    switch (wParam) {
    case kTrackingTimer:
        // Not under a dialog that works on the plan: the next tick books the
        // time up to its own moment, so nothing is lost by waiting.
        if (GetDocument() && !ModalScope::IsActive()) {
            GetDocument()->UpdateTrackedPlanEntry();
            NotifyDocument(this, NotifyCode::kTasksChanged);
            // The notice passes this list by, so the tracked task's spent time is shown here.
            RefreshTaskRow(m_dialogs->GetTrackingTaskId());
        }
        StartTrackingTimer();
        return 0;
    case kReminderTimer:
        CheckReminders();
        return 0;
    default:
        handled = false;
        return 0;
    }
}

void CPelquornView::CheckReminders()
{
    // A reminder acted on under a dialog would change the plan the dialog
    // works on: it waits for the next round.
    ITaskListDocument* document = ModalScope::IsActive() ? nullptr : GetDocument();
    if (document) {
        std::vector<ReminderInfo> reminders;
        document->GetReminders(reminders);
        const double now = Clock::Now();
        for (const ReminderInfo& reminder : reminders) {
            if (m_reminderShown)
                break;
            if (IsReminderDue(reminder, now))
                PresentReminder(reminder);
        }
    }
    if (m_hWnd)
        ::SetTimer(m_hWnd, kReminderTimer, kReminderIntervalMs, nullptr);
}

void CPelquornView::PresentReminder(const ReminderInfo& reminder)
{
    // A reminder whose task is gone is passed over: it must not hold back the others.
    TaskCard task;
    if (!GetDocument()->GetTask(reminder.GetId(), task, false))
        return;
    if (const HWND mainWindow = GetMainWindow()) {
        ::SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(ID_APP_RESTORE, 0), 0);
        ::FlashWindow(mainWindow, TRUE);
    }
    m_reminderShown = true;
    const int minutes = static_cast<int>(Options::GetRemindMinutes());
    m_dialogs->ShowReminder(m_hWnd, *this, task.GetName(), task.GetId(), minutes);
}

void CPelquornView::LocateTask(int taskId)
{
    if (!GetDocument())
        return;
    NotifyDocument(this, GetDocument()->GetTaskCategory(taskId));
    SelectRow(-1);
    SelectRow(FindRow(taskId));
    EnsureFirstSelectedVisible();
}

void CPelquornView::OpenTask(int taskId)
{
    EditTask(taskId);
}

void CPelquornView::SnoozeReminder(int taskId, int /*minutes*/)
{
    ReminderInfo reminder;
    if (GetDocument() && GetDocument()->GetReminder(taskId, reminder)) {
        // Less than a minute would bring the popup straight back.
        const int minutes = std::max(1, m_dialogs->GetReminderSnoozeMinutes());
        reminder.SnoozeFor(minutes);
        GetDocument()->AddReminder(reminder);
        Options::SetRemindMinutes(static_cast<DWORD>(minutes));
    }
    m_dialogs->HideReminder();
    m_reminderShown = false;
    CheckReminders();
}

void CPelquornView::DismissReminder(int taskId)
{
    if (GetDocument())
        GetDocument()->DeleteReminder(taskId);
    m_dialogs->HideReminder();
    m_reminderShown = false;
    CheckReminders();
}

void CPelquornView::ShowTrackingWindow(bool resume)
{
    ITaskListDocument* document = GetDocument();
    if (!document)
        return;
    document->StartTracking();
    m_dialogs->ShowTracking(m_hWnd, *this, document->GetSelectedTaskName(), document->GetFirstSelectedTaskId(),
                            resume);
    StartTrackingTimer();
}

void CPelquornView::StartTrackingTimer()
{
    if (m_hWnd)
        ::SetTimer(m_hWnd, kTrackingTimer, GetTrackingInterval(), nullptr);
}

void CPelquornView::StopTracking()
{
    if (m_hWnd)
        ::KillTimer(m_hWnd, kTrackingTimer);
    if (!GetDocument())
        return;
    GetDocument()->StopTracking();
    GetDocument()->RenameTask(m_dialogs->GetTrackingTaskName(), m_dialogs->GetTrackingTaskId());
}

void CPelquornView::ResumeTracking()
{
    ShowTrackingWindow(true);
}

void CPelquornView::CloseWindowsOfPreviousPlan()
{
    if (m_hWnd)
        ::KillTimer(m_hWnd, kTrackingTimer);
    m_dialogs->HideReminder();
    m_reminderShown = false;
    m_dialogs->StopTrackingWindow();
}

void CPelquornView::StopTrackingFromCommand()
{
    StopTracking();
    m_dialogs->StopTrackingWindow();
}
