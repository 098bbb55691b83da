#include "docking/dockwins/MoveTracker.h"

#include "docking/dockwins/DockingBoxMessage.h"
#include "docking/dockwins/HalftoneBrush.h"

namespace dockwins {

POINT CMoveTracker::PlaceUnderCursor(POINT cursor, const RECT& windowRect, SIZE floating)
{
    const LONG width = windowRect.right - windowRect.left;
    const LONG height = windowRect.bottom - windowRect.top;
    // A window of no width or height has no relative place to keep.
    const double across = width > 0 ? static_cast<double>(cursor.x - windowRect.left) / width : 0.0;
    const double down = height > 0 ? static_cast<double>(cursor.y - windowRect.top) / height : 0.0;
    return {cursor.x - static_cast<LONG>(floating.cx * across), cursor.y - static_cast<LONG>(floating.cy * down)};
}

CMoveTracker::CMoveTracker(HWND window, const DockingNotifySender& sender, POINT press, const RECT& windowRect,
                           const RECT& floatingRect)
    : m_sender(sender), m_window(window)
{
    m_request.window = window;
    m_request.rect = windowRect;
    m_floating = {floatingRect.right - floatingRect.left, floatingRect.bottom - floatingRect.top};
    POINT cursor = press;
    ::ClientToScreen(window, &cursor);
    const POINT corner = PlaceUnderCursor(cursor, windowRect, m_floating);
    m_offset = {corner.x - press.x, corner.y - press.y};
}

void CMoveTracker::OnMove(int x, int y)
{
    DrawGhost();
    POINT corner = {x, y};
    ::ClientToScreen(m_window, &corner);
    m_request.rect = {corner.x, corner.y, corner.x + m_floating.cx, corner.y + m_floating.cy};
    m_request.target = nullptr;
    m_sender.LimitSize(m_request);
    const bool keepFloating = ::GetKeyState(VK_CONTROL) < 0;
    if (keepFloating || !AskWhereToDock()) {
        m_request.target = nullptr;
        m_request.rect = {x + m_offset.x, y + m_offset.y, x + m_offset.x + m_floating.cx,
                          y + m_offset.y + m_floating.cy};
    }
    DrawGhost();
}

bool CMoveTracker::AskWhereToDock()
{
    m_request.code = DockingAccept;
    const POINT corner = {m_request.rect.left, m_request.rect.top};
    for (HWND w = ::WindowFromPoint(corner); w && w != m_window; w = ::GetParent(w)) {
        if (DockingNotifySender::IsDockingBox(w)) {
            if (::SendMessageW(w, DockingBoxMessage, 0, reinterpret_cast<LPARAM>(&m_request)) && m_request.target)
                return true;
            break;
        }
    }
    return m_sender.AcceptDock(m_request) && m_request.target;
}

bool CMoveTracker::ProcessWindowMessage(MSG* message)
{
    if ((message->message != WM_KEYDOWN && message->message != WM_KEYUP) || message->wParam != VK_CONTROL)
        return false;
    POINT point = message->pt;
    ::ScreenToClient(m_window, &point);
    OnMove(point.x, point.y);
    return true;
}

void CMoveTracker::DrawGhost()
{
    InvertFrameWithHalftone(m_screen, m_request.rect);
}

} // namespace dockwins
