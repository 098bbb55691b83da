#include "docking/dockwins/DockingNotifySender.h"

#include "docking/dockwins/DockingBoxMessage.h"

bool DockingNotifySender::Send(HWND to, UINT message, void* record)
{
    return ::SendMessageW(to, message, 0, reinterpret_cast<LPARAM>(record)) != 0;
}

bool DockingNotifySender::IsDockingBox(HWND window)
{
    if (!window || !::IsWindow(window))
        return false;
    DockingPosition query;
    query.code = DockingIsBox;
    return Send(window, DockingBoxMessage, &query);
}

bool DockingNotifySender::AcceptDock(DockingNotifyRecord& request) const
{
    request.code = DockingAccept;
    return Send(m_frame, DockingNotify, &request);
}

bool DockingNotifySender::Dock(DockingNotifyRecord& request) const
{
    request.code = DockingDock;
    return Send(request.target, DockingNotify, &request);
}

bool DockingNotifySender::Undock(DockingNotifyRecord& request) const
{
    request.code = DockingUndock;
    return Send(request.target, DockingNotify, &request);
}

bool DockingNotifySender::LimitSize(DockingNotifyRecord& request) const
{
    request.code = DockingLimitSize;
    return Send(m_frame, DockingNotify, &request);
}

bool DockingNotifySender::GetDockingPosition(DockingPosition& position) const
{
    position.code = DockingGetPosition;
    const HWND to = IsDockingBox(position.container) ? position.container : m_frame;
    return Send(to, DockingNotify, &position);
}

bool DockingNotifySender::DockAtPosition(DockingPosition& position) const
{
    position.code = DockingAtPosition;
    if (!IsDockingBox(position.container)) {
        if (!position.side.IsDocked()) {
            const RECT& r = position.windowRect;
            ::SetWindowPos(position.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                           SWP_SHOWWINDOW);
            return true;
        }
        position.container = m_frame;
    }
    return Send(position.container, DockingNotify, &position);
}

bool DockingNotifySender::Undock(DockingPosition& position) const
{
    position.code = DockingUndock;
    return Send(position.container, DockingNotify, &position);
}

bool DockingNotifySender::Activate(DockingPosition& position) const
{
    position.code = DockingActivate;
    return Send(position.container, DockingNotify, &position);
}

bool DockingNotifySender::IsPinned(DockingPosition& position) const
{
    position.code = DockingIsPinned;
    return Send(m_frame, DockingNotify, &position);
}

bool DockingNotifySender::PinUp(DockingPinRequest& request) const
{
    request.code = DockingPinUp;
    return Send(m_frame, DockingNotify, &request);
}
