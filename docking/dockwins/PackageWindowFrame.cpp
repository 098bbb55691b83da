#include "docking/dockwins/PackageWindowFrame.h"

namespace dockwins {

CPackageWindowFrame::CPackageWindowFrame(HWND owner, bool sideBySide, const RECT& rect) : m_sideBySide(sideBySide)
{
    m_window = CPackageWindowImpl::New(
        CreateArgs{.parent = owner, .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, .rect = rect},
        sideBySide);
    m_hwnd = m_window ? m_window->m_hWnd : nullptr;
}

bool CPackageWindowFrame::AcceptDock(DockingNotifyRecord* request)
{
    const HWND owner = ::GetParent(m_hwnd);
    ::MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&request->rect), 2);
    request->code = DockingAccept;
    const bool accepted = ::SendMessageW(m_hwnd, DockingNotify, 0, reinterpret_cast<LPARAM>(request)) != 0;
    ::MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&request->rect), 2);
    return accepted;
}

int CPackageWindowFrame::MinDistance() const
{
    MINMAXINFO info = {};
    GetMinMaxInfo(&info);
    // The row's own direction runs across the frame's package.
    return m_sideBySide ? info.ptMinTrackSize.y : info.ptMinTrackSize.x;
}

void CPackageWindowFrame::GetMinMaxInfo(MINMAXINFO* info) const
{
    ::SendMessageW(m_hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(info));
}

} // namespace dockwins
