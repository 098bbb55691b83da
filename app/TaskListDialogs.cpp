#include "app/TaskListDialogs.h"

#include "foundation/AppWindow.h"

TaskListDialogs::~TaskListDialogs()
{
    if (m_reminder.IsWindow())
        m_reminder.DestroyWindow();
    if (m_tracking.IsWindow())
        m_tracking.DestroyWindow();
}

bool TaskListDialogs::EditTask(HWND, bool, CPelquornDoc&, TaskDialogFields&)
{
    return false;
}

bool TaskListDialogs::EditManyTasks(HWND, int&, double&)
{
    return false;
}

bool TaskListDialogs::EditRecurrence(HWND, RecurrenceInfo&)
{
    return false;
}

bool TaskListDialogs::ConfirmDelete(const EString& question)
{
    return AppMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

ModelessWindow TaskListDialogs::ShowReminder(HWND view, IReminderAction& sink, const EString& taskName, int taskId,
                                             int snoozeMinutes)
{
    if (!m_reminder.IsWindow() && !m_reminder.Create(view))
        return {};
    m_reminder.SetActionSink(&sink);
    m_reminder.taskName = taskName;
    m_reminder.taskId = taskId;
    m_reminder.minutes = static_cast<unsigned>(snoozeMinutes > 0 ? snoozeMinutes : 1);
    m_reminder.DoDataExchange(false);
    m_reminder.ShowWindow(SW_SHOW);
    return ModelessWindow::Of(&m_reminder);
}

void TaskListDialogs::HideReminder()
{
    if (m_reminder.IsWindow())
        m_reminder.ShowWindow(SW_HIDE);
}

int TaskListDialogs::GetReminderSnoozeMinutes()
{
    return static_cast<int>(m_reminder.minutes);
}

ModelessWindow TaskListDialogs::ShowTracking(HWND view, ITrackingAction& sink, const EString& taskName, int taskId,
                                             bool resume)
{
    if (!m_tracking.IsWindow() && !m_tracking.Create(view))
        return {};
    m_tracking.SetActionSink(&sink);
    m_tracking.taskName = taskName;
    m_tracking.taskId = taskId;
    m_tracking.DoDataExchange(false);
    m_tracking.ShowTracking(resume);
    return ModelessWindow::Of(&m_tracking);
}

void TaskListDialogs::StopTrackingWindow()
{
    if (m_tracking.IsWindow())
        m_tracking.StopTracking();
}

EString TaskListDialogs::GetTrackingTaskName()
{
    return m_tracking.taskName;
}

int TaskListDialogs::GetTrackingTaskId()
{
    return m_tracking.taskId;
}
