// DockingNotifySender: the docking requests a docking window or box sends, kept with the frame's window.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingNotifyRecord.h"
#include "docking/dockwins/DockingPinRequest.h"
#include "docking/dockwins/DockingPosition.h"

class DockingNotifySender {
public:
    explicit DockingNotifySender(HWND frame = nullptr) : m_frame(frame) {}
    HWND Frame() const { return m_frame; }
    void SetFrame(HWND frame) { m_frame = frame; }

    // Each fills in the code, sends synchronously and tells whether the
    // receiver said yes (a non-zero answer).
    bool AcceptDock(DockingNotifyRecord& request) const;  // to the frame
    bool Dock(DockingNotifyRecord& request) const;        // to the target
    bool Undock(DockingNotifyRecord& request) const;      // to the target
    bool LimitSize(DockingNotifyRecord& request) const;   // to the frame
    // To the container when it is a docking box, else to the frame.
    bool GetDockingPosition(DockingPosition& position) const;
    // A window that was not docked is only put back at its rectangle.
    bool DockAtPosition(DockingPosition& position) const;
    bool Undock(DockingPosition& position) const;         // to the container
    bool Activate(DockingPosition& position) const;       // to the container
    bool IsPinned(DockingPosition& position) const;       // to the frame
    bool PinUp(DockingPinRequest& request) const;         // to the frame

    // Whether the window answers the box query through DockingBoxMessage.
    static bool IsDockingBox(HWND window);

private:
    static bool Send(HWND to, UINT message, void* record);

    HWND m_frame;
};
