#include "app/TaskListDialogs.h"

#include "dialogs/ManyTasksDialog.h"
#include "dialogs/RecurrenceDialog.h"
#include "dialogs/ReminderSettingsDialog.h"
#include "dialogs/TaskDialog.h"
#include "foundation/AppWindow.h"
#include "views/common/BrowseForCategoryDialog.h"

TaskListDialogs::~TaskListDialogs()
{
    if (m_reminder.IsWindow())
        m_reminder.DestroyWindow();
    if (m_tracking.IsWindow())
        m_tracking.DestroyWindow();
}

bool TaskListDialogs::EditTask(HWND parent, bool newTask, ICategoryReader& document, TaskDialogFields& fields)
{
    CTaskDialog dialog(newTask ? 0 : 1);
    dialog.fields = fields;
    dialog.document = &document;
    dialog.browseCategory = BrowseForCategory;
    dialog.editReminder = EditReminder;
    if (dialog.DoModal(parent) != IDOK)
        return false;
    fields = dialog.fields;
    return true;
}

bool TaskListDialogs::EditManyTasks(HWND parent, int& importance, double& deadline)
{
    CManyTasksDialog dialog;
    dialog.importance = importance;
    dialog.deadline = deadline;
    if (dialog.DoModal(parent) != IDOK)
        return false;
    importance = dialog.importance;
    deadline = dialog.deadline;
    return true;
}

bool TaskListDialogs::EditRecurrence(HWND, RecurrenceInfo& recurrence)
{
    return ::EditRecurrence(recurrence);
}

bool TaskListDialogs::ConfirmDelete(const EString& question)
{
    return AppMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TaskListDialogs::ShowReminder(HWND view, IReminderAction& sink, const EString& taskName, int taskId,
                                   int snoozeMinutes)
{
    if (!m_reminder.IsWindow() && !m_reminder.Create(view))
        return;
    m_reminder.SetActionSink(&sink);
    m_reminder.taskName = taskName;
    m_reminder.taskId = taskId;
    m_reminder.minutes = static_cast<unsigned>(snoozeMinutes > 0 ? snoozeMinutes : 1);
    m_reminder.DoDataExchange(false);
    m_reminder.ShowWindow(SW_SHOW);
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

void TaskListDialogs::ShowTracking(HWND view, ITrackingAction& sink, const EString& taskName, int taskId,
                                   bool resume)
{
    if (!m_tracking.IsWindow() && !m_tracking.Create(view))
        return;
    m_tracking.SetActionSink(&sink);
    m_tracking.taskName = taskName;
    m_tracking.taskId = taskId;
    m_tracking.DoDataExchange(false);
    m_tracking.ShowTracking(resume);
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
