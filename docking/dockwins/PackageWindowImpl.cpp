#include "docking/dockwins/PackageWindowImpl.h"

#include <windowsx.h>

#include "docking/dockwins/DockingReplaceRecord.h"
#include "docking/dockwins/DockingSettings.h"
#include "docking/dockwins/MinMaxInfo.h"
#include "winlib/DeviceContext.h"

namespace dockwins {

void CPackageWindowImpl::TakeIn(HWND window, HWND row, bool sideBySide)
{
    ::ShowWindow(window, SW_HIDE);
    CWindow(window).ModifyStyle(WS_POPUP, WS_CHILD);
    ::SetParent(window, row);
    ::SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    ::SendMessageW(window, WM_USER, (static_cast<WPARAM>(sideBySide) << 16) + 1, reinterpret_cast<LPARAM>(row));
}

void CPackageWindowImpl::Release(HWND window)
{
    ::ShowWindow(window, SW_HIDE);
    CWindow(window).ModifyStyle(WS_CHILD, WS_POPUP);
    ::SetParent(window, nullptr);
    ::SendMessageW(window, WM_USER, 0, 0);
}

LRESULT CPackageWindowImpl::OnSize(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (wParam != SIZE_MINIMIZED)
        m_package.SetRect(GetClientRect());
    handled = false;
    return 0;
}

LRESULT CPackageWindowImpl::OnPaint(UINT, WPARAM, LPARAM, bool&)
{
    const CPaintDC dc(m_hWnd);
    m_package.DrawSplitters(dc);
    return 0;
}

LRESULT CPackageWindowImpl::OnSetCursor(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (reinterpret_cast<HWND>(wParam) == m_hWnd && LOWORD(lParam) == HTCLIENT) {
        const DWORD position = ::GetMessagePos();
        POINT point = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
        ::ScreenToClient(m_hWnd, &point);
        if (const HCURSOR cursor = m_package.SplitterCursor(point)) {
            ::SetCursor(cursor);
            return TRUE;
        }
    }
    handled = false;
    return 0;
}

LRESULT CPackageWindowImpl::OnLButtonDown(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    handled = m_package.StartSplitterDrag(m_hWnd, point, CDockingSettings::Instance().IsGhostDrag());
    return 0;
}

LRESULT CPackageWindowImpl::OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    const LRESULT result = DefWindowProc(message, wParam, lParam);
    m_package.GetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    return result;
}

LRESULT CPackageWindowImpl::OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool&)
{
    auto* position = reinterpret_cast<DockingPosition*>(lParam);
    auto* request = reinterpret_cast<DockingNotifyRecord*>(lParam);
    switch (position->code) {
    case DockingAccept:
        if (AcceptDock(*request))
            return TRUE;
        request->target = nullptr;
        return FALSE;
    case DockingDock:
        return Dock(*request);
    case DockingUndock:
        return Undock(position->window);
    case DockingGetPosition:
        return GetDockingPosition(*position);
    case DockingAtPosition:
        return DockAtPosition(*position);
    case DockingReplace:
        return Replace(position->window, reinterpret_cast<DockingReplaceRecord*>(lParam)->replacement);
    case DockingMinAlongRow:
        return MinSizeAlongRow(position->window);
    default:
        return FALSE;
    }
}

int CPackageWindowImpl::IndexOf(HWND window) const
{
    for (size_t i = 0; i < m_package.Count(); ++i)
        if (m_package.Frame(i).GetHwnd() == window)
            return static_cast<int>(i);
    return -1;
}

int CPackageWindowImpl::MinSizeAlongRow(HWND window) const
{
    const MINMAXINFO info = MinMaxOf(window);
    return IsSideBySide() ? info.ptMinTrackSize.x : info.ptMinTrackSize.y;
}

bool CPackageWindowImpl::AcceptDock(DockingNotifyRecord& request)
{
    if (m_closing)
        return false;
    if (m_package.Count() == 1 && m_package.Frame(0).GetHwnd() == request.window)
        return false;
    const RECT client = GetClientRect();
    const MINMAXINFO info = MinMaxOf(request.window);
    if (info.ptMinTrackSize.x > client.right - client.left || info.ptMinTrackSize.y > client.bottom - client.top)
        return false;
    const double along = IsSideBySide() ? info.ptMinTrackSize.x : info.ptMinTrackSize.y;
    if (along + m_package.MinExtents(0, m_package.Count()) >= m_package.Upper() - m_package.Lower())
        return false;
    POINT corner = {request.rect.left, request.rect.top};
    ::ScreenToClient(m_hWnd, &corner);
    if (!::PtInRect(&client, corner))
        return false;
    // Across the row the window takes the row's whole thickness.
    RECT screenClient = client;
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&screenClient), 2);
    if (IsSideBySide()) {
        request.rect.top = screenClient.top;
        request.rect.bottom = screenClient.bottom;
    } else {
        request.rect.left = screenClient.left;
        request.rect.right = screenClient.right;
    }
    request.target = m_hWnd;
    return true;
}

bool CPackageWindowImpl::Dock(DockingNotifyRecord& request)
{
    if (m_closing || IndexOf(request.window) >= 0)
        return false;
    const RECT rect = ScreenToClient(request.rect);
    TakeIn(request.window, m_hWnd, IsSideBySide());
    m_package.AddAtRect(CWndFrame(0, request.window, IsSideBySide()), rect);
    m_package.Arrange();
    ::SetWindowPos(request.window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    Invalidate();
    return true;
}

bool CPackageWindowImpl::Undock(HWND window)
{
    const int index = IndexOf(window);
    if (index < 0)
        return false;
    m_package.Remove(static_cast<size_t>(index));
    m_package.Arrange();
    Release(window);
    if (m_package.Count() == 0) {
        // The frame removes the row; the row's window then goes by itself,
        // and nothing may use this object after the close is posted.
        DockingNotifyRecord rowGone;
        rowGone.window = m_hWnd;
        rowGone.target = GetParent();
        rowGone.code = DockingUndock;
        const HWND self = m_hWnd;
        m_closing = true;
        ::SendMessageW(rowGone.target, DockingNotify, 0, reinterpret_cast<LPARAM>(&rowGone));
        ::PostMessageW(self, WM_CLOSE, 0, 0);
    } else {
        Invalidate();
    }
    return true;
}

bool CPackageWindowImpl::GetDockingPosition(DockingPosition& position) const
{
    const int index = IndexOf(position.window);
    if (index < 0)
        return false;
    const auto i = static_cast<size_t>(index);
    const double extent = m_package.Upper() - m_package.Lower();
    // A row laid out with no extent yet: the window sits at its start.
    position.place.ratio =
        extent > 0 ? static_cast<float>((m_package.Frame(i).position - m_package.Lower()) / extent) : 0.0f;
    position.place.length = static_cast<int>(m_package.Span(i)) - CPackage::splitterSize;
    position.side.Set(CDockingSide::Single, m_package.Count() == 1);
    return true;
}

bool CPackageWindowImpl::DockAtPosition(DockingPosition& position)
{
    if (m_closing || IndexOf(position.window) >= 0)
        return false;
    const double start = m_package.Lower() + (m_package.Upper() - m_package.Lower()) * position.place.ratio;
    TakeIn(position.window, m_hWnd, IsSideBySide());
    m_package.Insert(m_package.InsertionPointAt(start), CWndFrame(0, position.window, IsSideBySide()), start,
                     position.place.length + CPackage::splitterSize);
    m_package.Arrange();
    ::SetWindowPos(position.window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    Invalidate();
    return true;
}

bool CPackageWindowImpl::Replace(HWND old, HWND replacement)
{
    const int index = IndexOf(old);
    if (index < 0 || !replacement)
        return false;
    const auto i = static_cast<size_t>(index);
    const double position = m_package.Frame(i).position;
    const double size = m_package.Span(i);
    m_package.Remove(i);
    Release(old);
    TakeIn(replacement, m_hWnd, IsSideBySide());
    m_package.Insert(i, CWndFrame(0, replacement, IsSideBySide()), position, size);
    m_package.Arrange();
    ::SetWindowPos(replacement, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    return true;
}

} // namespace dockwins
