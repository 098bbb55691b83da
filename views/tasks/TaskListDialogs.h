// ITaskListDialogs: the task, batch, recurrence and confirmation dialogs and the two modeless windows the task list drives.
#pragma once

#include <windows.h>

#include "dialogs/TaskDialogFields.h"
#include "document/model/RecurrenceInfo.h"
#include "document/model/ReminderInfo.h"
#include "foundation/AppWindow.h"
#include "foundation/EString.h"
#include "views/tasks/TaskListActions.h"

class ICategoryReader;

class ITaskListDialogs {
public:
    virtual ~ITaskListDialogs() = default;

    // Modal editors: true when the user confirmed, with the fields updated.
    // The task editor names the task's category and browses for another.
    virtual bool EditTask(HWND parent, bool newTask, ICategoryReader& document, TaskDialogFields& fields) = 0;
    // One importance and one deadline for every selected task.
    virtual bool EditManyTasks(HWND parent, int& importance, double& deadline) = 0;
    virtual bool EditRecurrence(HWND parent, RecurrenceInfo& recurrence) = 0;
    // Yes to the question.
    virtual bool ConfirmDelete(const EString& question) = 0;

    // The modeless reminder popup, made on first use as a child of `view`;
    // its buttons call the sink.
    virtual void ShowReminder(HWND view, IReminderAction& sink, const EString& taskName, int taskId,
                              int snoozeMinutes) = 0;
    virtual void HideReminder() = 0;
    // What the popup's snooze field holds now.
    virtual int GetReminderSnoozeMinutes() = 0;

    // The modeless tracking window, as the popup. Resume keeps the elapsed time shown.
    virtual void ShowTracking(HWND view, ITrackingAction& sink, const EString& taskName, int taskId,
                              bool resume) = 0;
    // Saves its fields, hides it and stops its clock.
    virtual void StopTrackingWindow() = 0;
    // The name, possibly edited while tracking, and the task it belongs to.
    virtual EString GetTrackingTaskName() = 0;
    virtual int GetTrackingTaskId() = 0;
};

// Until the real dialogs are plugged in: no editor confirms, the windows do
// nothing; a delete still asks with a message box.
class InertTaskListDialogs : public ITaskListDialogs {
public:
    bool EditTask(HWND, bool, ICategoryReader&, TaskDialogFields&) override { return false; }
    bool EditManyTasks(HWND, int&, double&) override { return false; }
    bool EditRecurrence(HWND, RecurrenceInfo&) override { return false; }
    bool ConfirmDelete(const EString& question) override
    {
        return AppMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    void ShowReminder(HWND, IReminderAction&, const EString&, int taskId, int snoozeMinutes) override
    {
        m_snoozeMinutes = snoozeMinutes;
        static_cast<void>(taskId);
    }
    void HideReminder() override {}
    int GetReminderSnoozeMinutes() override { return m_snoozeMinutes; }
    void ShowTracking(HWND, ITrackingAction&, const EString& taskName, int taskId, bool) override
    {
        m_trackingName = taskName;
        m_trackingId = taskId;
    }
    void StopTrackingWindow() override {}
    EString GetTrackingTaskName() override { return m_trackingName; }
    int GetTrackingTaskId() override { return m_trackingId; }

private:
    int m_snoozeMinutes = 0;
    EString m_trackingName;
    int m_trackingId = 0;
};
