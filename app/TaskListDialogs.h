// TaskListDialogs: the program's own dialogs behind the task list's dialog interface.
#pragma once

#include "dialogs/ReminderDialog.h"
#include "dialogs/TrackingDialog.h"
#include "views/tasks/TaskListDialogs.h"

// The reminder alert and the tracking window are made on first use as
// children of the task list and live as long as this object.
class TaskListDialogs : public ITaskListDialogs {
public:
    TaskListDialogs() = default;
    ~TaskListDialogs() override;
    TaskListDialogs(const TaskListDialogs&) = delete;
    TaskListDialogs& operator=(const TaskListDialogs&) = delete;

    bool EditTask(HWND parent, bool newTask, ICategoryReader& document, TaskDialogFields& fields) override;
    bool EditManyTasks(HWND parent, int& importance, double& deadline) override;
    bool EditRecurrence(HWND parent, RecurrenceInfo& recurrence) override;
    bool ConfirmDelete(const EString& question) override;
    void ShowReminder(HWND view, IReminderAction& sink, const EString& taskName, int taskId,
                      int snoozeMinutes) override;
    void HideReminder() override;
    int GetReminderSnoozeMinutes() override;
    void ShowTracking(HWND view, ITrackingAction& sink, const EString& taskName, int taskId, bool resume) override;
    void StopTrackingWindow() override;
    EString GetTrackingTaskName() override;
    int GetTrackingTaskId() override;

private:
    CReminderDialog m_reminder;
    CTrackingDialog m_tracking;
};
