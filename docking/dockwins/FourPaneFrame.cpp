#include "docking/dockwins/FourPaneFrame.h"

namespace docking_frame_test {

using dockwins::CDockingSide;

LRESULT CEditPane::OnCreate(UINT, WPARAM, LPARAM, bool& handled)
{
    const RECT client = GetClientRect();
    m_edit = ::CreateWindowExW(0, L"EDIT", nullptr, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                               client.right, client.bottom, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    handled = false;
    return m_edit ? 0 : -1;
}

LRESULT CEditPane::OnSize(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    ::MoveWindow(m_edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    handled = false;
    return 0;
}

LRESULT CEditPane::OnSetFocus(UINT, WPARAM, LPARAM, bool&)
{
    ::SetFocus(m_edit);
    return 0;
}

LRESULT CFourPaneFrame::OnCreate(UINT, WPARAM, LPARAM, bool& handled)
{
    // The view exists before the docking set-up, as the main frame's does.
    m_hWndClient = ::CreateWindowExW(0, L"EDIT", L"view", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 0, 0, m_hWnd,
                                     nullptr, ::GetModuleHandleW(nullptr), nullptr);
    InitializeDockingFrame(0);
    handled = false;
    return 0;
}

bool CFourPaneFrame::DockAtSide(CEditPane& pane, int side, int size)
{
    DockingPosition position;
    position.side = CDockingSide(side | CDockingSide::Single);
    position.place.rowSize = size;
    position.place.length = size;
    position.docked = true;
    return pane.DockAtPosition(position);
}

bool CFourPaneFrame::Open(const RECT& rect, DWORD style)
{
    if (!Create(nullptr, rect, L"Four panes", style))
        return false;
    const wchar_t* titles[PaneCount] = {L"Calendar", L"Categories", L"Daily plan", L"People"};
    for (size_t i = 0; i < PaneCount; ++i) {
        const RECT floating = {rect.left + 40 + 20 * static_cast<LONG>(i), rect.top + 60,
                               rect.left + 240 + 20 * static_cast<LONG>(i), rect.top + 260};
        if (!m_panes[i].Create(m_hWnd, floating, titles[i]))
            return false;
    }
    if (!DockAtSide(m_panes[Categories], CDockingSide::Left) || !DockAtSide(m_panes[People], CDockingSide::Right) ||
        !DockAtSide(m_panes[DailyPlan], CDockingSide::Bottom) || !DockAtSide(m_panes[Calendar], CDockingSide::Top))
        return false;
    m_calendarPinned = m_panes[Calendar].PinUp(0);
    if (!m_calendarPinned && !m_panes[Calendar].IsDocked()) {
        // Nothing can be pinned yet: the calendar stays at the top.
        if (!DockAtSide(m_panes[Calendar], CDockingSide::Top, 100))
            return false;
    }
    return true;
}

void CFourPaneFrame::Close()
{
    for (CEditPane& pane : m_panes)
        if (pane.IsWindow())
            pane.DestroyWindow();
    if (IsWindow())
        DestroyWindow();
}

std::vector<RECT> CFourPaneFrame::Layout()
{
    std::vector<RECT> rects;
    for (CEditPane& pane : m_panes)
        rects.push_back(pane.GetWindowRect());
    rects.push_back(CWindow(View()).GetWindowRect());
    return rects;
}

} // namespace docking_frame_test
