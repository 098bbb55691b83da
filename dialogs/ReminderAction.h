// IReminderAction: what the reminder alert asks of its owner; the alert itself changes no document.
#pragma once

class IReminderAction {
public:
    virtual ~IReminderAction() = default;

    // Show the task in the task list.
    virtual void LocateTask(int taskId) = 0;
    // Open the task's editor.
    virtual void OpenTask(int taskId) = 0;
    // Move the reminder to now plus the minutes (at least 1).
    virtual void SnoozeReminder(int taskId, int minutes) = 0;
    // Delete the reminder.
    virtual void DismissReminder(int taskId) = 0;
};
