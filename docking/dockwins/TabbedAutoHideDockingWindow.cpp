#include "docking/dockwins/TabbedAutoHideDockingWindow.h"

#include <memory>

#include "docking/dockwins/WindowSmallIcon.h"
#include "winlib/ForwardMessage.h"

using dockwins::CDockingSide;

namespace {

// What a pinned pane's single label reports as its length along the bar.
constexpr int kLabelLength = 1;
constexpr int kDefaultPaneSize = 180;

// Shown as far as the frame goes: a frame not shown yet, or hidden to the
// tray, hides none of its panes.
bool ShownInFrame(HWND window, HWND frame)
{
    const HWND desktop = ::GetDesktopWindow();
    for (; window && window != frame && window != desktop; window = ::GetAncestor(window, GA_PARENT)) {
        if (!(::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE))
            return false;
    }
    return window != nullptr;
}

} // namespace

CTabbedAutoHideDockingWindow* CTabbedAutoHideDockingWindow::CreateInstance()
{
    auto pane = std::make_unique<CTabbedAutoHideDockingWindow>();
    pane->m_ownsItself = true;
    return pane.release();
}

void CTabbedAutoHideDockingWindow::OnFinalMessage(HWND)
{
    if (m_ownsItself)
        delete this;
}

HWND CTabbedAutoHideDockingWindow::Create(HWND parent, const RECT& rect, const wchar_t* title, DWORD style,
                                          DWORD exStyle)
{
    return Base::Create(parent, rect, title, style, exStyle);
}

void CTabbedAutoHideDockingWindow::SetClient(HWND client)
{
    m_client = client;
    if (!m_hWnd || !m_client)
        return;
    if (const HICON icon = dockwins::SmallIconOf(m_client))
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    FitClient();
}

void CTabbedAutoHideDockingWindow::FitClient()
{
    ::SetWindowPos(m_client, nullptr, 0, 0, GetClientRect().right, GetClientRect().bottom,
                   SWP_NOACTIVATE | SWP_NOZORDER);
}

bool CTabbedAutoHideDockingWindow::PreTranslateMessage(MSG* message)
{
    const HWND focus = ::GetFocus();
    if (!m_client || !focus || (focus != m_client && !::IsChild(m_client, focus)))
        return false;
    return ForwardMessage(m_client, message);
}

bool CTabbedAutoHideDockingWindow::IsVisible() const
{
    if (ShownInFrame(m_hWnd, m_sender.Frame()))
        return true;
    // The frame knows a pinned window by its container, the auto-hide manager.
    DockingPosition query;
    query.window = m_hWnd;
    query.container = m_container;
    if (m_sender.Frame() && m_sender.IsPinned(query))
        return true;
    return IsDocked() && ShownInFrame(m_container, m_sender.Frame());
}

void CTabbedAutoHideDockingWindow::Toggle()
{
    if (IsVisible())
        Hide();
    else
        Show();
}

bool CTabbedAutoHideDockingWindow::Hide()
{
    bool ok = true;
    if (IsDocked()) {
        // Undocking remembers the place to come back to.
        ok = Undock();
        if (ok && !::IsRectEmpty(&m_floatingRect))
            SetWindowPos(nullptr, m_floatingRect, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
    } else {
        m_position = {};
        m_hasPosition = false;
    }
    ShowWindow(SW_HIDE);
    return ok;
}

bool CTabbedAutoHideDockingWindow::Show()
{
    if (IsDocked()) {
        if (!DockingNotifySender::IsDockingBox(m_container))
            return true;
        DockingPosition activate;
        activate.window = m_hWnd;
        activate.container = m_container;
        return m_sender.Activate(activate);
    }
    if (HasRememberedPlace()) {
        DockingPosition position = m_position;
        // Shown on request, it is the box's front tab whatever it was before.
        position.side.Set(CDockingSide::Active, true);
        return DockAtPosition(position);
    }
    ShowWindow(SW_SHOW);
    return true;
}

void CTabbedAutoHideDockingWindow::GetMinMaxInfo(MINMAXINFO* info) const
{
    info->ptMinTrackSize = {100, 100};
}

bool CTabbedAutoHideDockingWindow::DockInto(HWND target, int index)
{
    if (!DockingNotifySender::IsDockingBox(target))
        return false;
    if (IsDocked() && !Undock())
        return false;
    DockingPosition position;
    position.window = m_hWnd;
    position.container = target;
    position.labelIndex = index;
    position.windowRect = GetWindowRect();
    position.code = DockingAtPosition;
    return ::SendMessageW(target, DockingNotify, 0, reinterpret_cast<LPARAM>(&position)) != 0;
}

bool CTabbedAutoHideDockingWindow::PinUp(CDockingSide side, int size, bool showAtOnce)
{
    if (IsDocked() && !Undock())
        return false;
    DockingPinRequest request;
    request.window = m_hWnd;
    request.container = m_container;
    request.side = side;
    request.size = size;
    request.flags = showAtOnce ? DockingPinRequest::ShowAtOnce : 0;
    request.windowCount = 0;
    return m_sender.PinUp(request);
}

bool CTabbedAutoHideDockingWindow::GetDockingPosition(DockingPosition& position) const
{
    bool found = Base::GetDockingPosition(position);
    position.shown = IsVisible();
    if (!position.docked && !position.shown && HasRememberedPlace()) {
        const HWND window = position.window;
        const RECT floating = position.floatingRect;
        position = m_position;
        position.window = window;
        position.floatingRect = floating;
        position.docked = false;
        position.shown = false;
        found = true;
    }
    if (position.docked && position.shown) {
        if (position.place.rowSize == kLabelLength)
            position.place.rowSize = kDefaultPaneSize;
        if (position.place.length == kLabelLength)
            position.place.length = kDefaultPaneSize;
    }
    return found;
}

bool CTabbedAutoHideDockingWindow::SetDockingPosition(const DockingPosition& stored)
{
    DockingPosition position = stored;
    position.window = m_hWnd;
    m_position = position;
    m_hasPosition = true;
    // A record of an earlier run names no container that still exists: the
    // frame takes the pane back at its side when it is shown.
    if (!m_position.container && position.side.IsDocked())
        m_position.container = m_sender.Frame();
    bool placed = false;
    if (position.side.IsPinned() && position.shown) {
        // Straight onto its bar: docked first, it would squeeze the row it
        // passed through and leave it so.
        if (IsDocked() && !Undock())
            return false;
        if (!::IsRectEmpty(&position.floatingRect))
            m_floatingRect = position.floatingRect;
        return PinUp(position.side, position.place.rowSize, false);
    }
    if (position.shown && position.docked) {
        m_floatingRect = position.floatingRect;
        placed = DockAtPosition(position);
    } else {
        if (IsDocked() && !Undock())
            return false;
        m_floatingRect = position.floatingRect;
        const UINT show = position.shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW | SWP_NOZORDER;
        placed = SetWindowPos(nullptr, position.floatingRect, show | SWP_NOACTIVATE);
    }
    return placed;
}

LRESULT CTabbedAutoHideDockingWindow::OnSize(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (wParam != SIZE_MINIMIZED && m_client)
        FitClient();
    handled = false;
    return 0;
}

LRESULT CTabbedAutoHideDockingWindow::OnEraseBackground(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = m_client != nullptr;
    return 1;
}

LRESULT CTabbedAutoHideDockingWindow::OnSetFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    if (m_client && ::IsWindowVisible(m_client))
        ::SetFocus(m_client);
    handled = false;
    return 0;
}
