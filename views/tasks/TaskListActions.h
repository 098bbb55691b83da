// IReminderAction and ITrackingAction: what the reminder popup and the tracking window ask of the task list.
#pragma once

// The popup's buttons, each with the reminded task's id.
class IReminderAction {
public:
    virtual ~IReminderAction() = default;
    virtual void SelectRemindedTask(int taskId) = 0;
    virtual void OpenRemindedTask(int taskId) = 0;
    // The popup has saved its controls: its snooze minutes are `minutes`.
    virtual void SnoozeReminder(int taskId, int minutes) = 0;
    virtual void DismissReminder(int taskId) = 0;
};

// The tracking window's two buttons.
class ITrackingAction {
public:
    virtual ~ITrackingAction() = default;
    virtual void StopTracking() = 0;
    virtual void ResumeTracking() = 0;
};
