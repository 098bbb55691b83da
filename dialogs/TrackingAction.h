// ITrackingAction: what the time-tracking window asks of its owner, who keeps the tracked plan entry.
#pragma once

class ITrackingAction {
public:
    virtual ~ITrackingAction() = default;

    // End the tracked plan entry and give the task the window's task name.
    virtual void StopTracking() = 0;
    // Track again; the owner answers with CTrackingDialog::ShowTracking(true).
    virtual void ResumeTracking() = 0;
};
