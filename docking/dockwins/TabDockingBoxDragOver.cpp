#include "docking/dockwins/TabDockingBox.h"

#include <windowsx.h>

#include <memory>

#include "docking/dockwins/WindowSmallIcon.h"

// While a window is dragged over the box: where on the strip it would go.

namespace dockwins {

bool CTabDockingBox::IsOverTabs(POINT& screen) const
{
    HWND w = ::WindowFromPoint(screen);
    while (w && w != m_hWnd)
        w = ::GetParent(w);
    if (!w)
        return false;
    POINT inStrip = screen;
    ::ScreenToClient(m_tabs.m_hWnd, &inStrip);
    const RECT strip = m_tabs.GetClientRect();
    if (::PtInRect(&strip, inStrip))
        return true;
    const LRESULT hit =
        ::SendMessageW(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(static_cast<short>(screen.x), static_cast<short>(screen.y)));
    if (hit != HTCAPTION)
        return false;
    // Over the caption the point stands for the strip.
    POINT middle = {(strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2};
    if (!IsDocked() || m_caption.IsHorizontal())
        middle.x = inStrip.x;
    ::ClientToScreen(m_tabs.m_hWnd, &middle);
    screen = middle;
    return true;
}

int CTabDockingBox::InsertionIndex(POINT inStrip) const
{
    const int hit = m_tabs.HitTest(inStrip);
    if (hit >= 0)
        return hit;
    RECT first = {};
    const bool vertical = (m_tabs.GetStyle() & TABS_VERTICAL) != 0;
    const bool beforeFirst =
        m_tabs.GetItemRect(0, &first) && (vertical ? inStrip.y < first.top : inStrip.x < first.left);
    return beforeFirst ? 0 : WindowCount();
}

int CTabDockingBox::PlaceholderIndex() const
{
    for (int i = 0; i < m_tabs.GetItemCount(); ++i)
        if (!m_tabs.GetItem(i)->page)
            return i;
    return -1;
}

int CTabDockingBox::ShowPlaceholder(HWND dragged, POINT screen)
{
    POINT in = screen;
    ::ScreenToClient(m_tabs.m_hWnd, &in);
    const int along = (m_tabs.GetStyle() & TABS_VERTICAL) ? in.y : in.x;
    const int hit = m_tabs.HitTest(in);
    const HWND selected = WindowAt(m_tabs.GetCurSel());
    int index = PlaceholderIndex();
    if (index < 0 && selected && selected != dragged) {
        m_placeholder.selectedBefore = selected;
        auto item = std::make_unique<CTabViewTabItem>();
        item->text = CWindow(dragged).GetWindowText();
        const HICON icon = SmallIconOf(dragged);
        item->image = icon && !m_images.IsNull() ? m_images.AddIcon(icon) : -1;
        index = m_tabs.InsertItem(InsertionIndex(in), std::move(item), true);
        MSG notify;
        while (::PeekMessageW(&notify, nullptr, WM_NOTIFY, WM_NOTIFY, PM_REMOVE))
            ::DispatchMessageW(&notify);
        m_placeholder.lastSwap = index;
    } else if (index >= 0) {
        // Back over the tab it last swapped with, it swaps again only when
        // the cursor moved on towards that tab.
        const bool swap = hit >= 0 && hit != index &&
                          (hit != m_placeholder.lastSwap ||
                           (along - m_placeholder.lastCoordinate) * (m_placeholder.lastSwap - index) > 0);
        if (swap) {
            m_tabs.SwapItems(hit, index, false, false);
            index = hit;
            m_tabs.SetCurSel(hit, true);
            m_placeholder.lastSwap = m_tabs.HitTest(in);
        }
    } else {
        index = InsertionIndex(in);
    }
    m_placeholder.lastCoordinate = along;
    return index;
}

void CTabDockingBox::RemovePlaceholder()
{
    const int index = PlaceholderIndex();
    if (index < 0)
        return;
    m_tabs.DeleteItem(index, false, false);
    const int before = IndexOfWindow(m_placeholder.selectedBefore);
    if (before >= 0)
        m_tabs.SetCurSel(before, true);
}

namespace {

void DispatchPaints()
{
    MSG paint;
    // A window that never validates itself must not hold the drag here.
    for (int i = 0; i < 64 && ::PeekMessageW(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        ::DispatchMessageW(&paint);
}

} // namespace

bool CTabDockingBox::WaitForDragToMove(HWND dragged, MSG& next)
{
    const HWND self = m_hWnd;
    for (;;) {
        // Checked before waiting: WaitMessage sleeps through what is already queued.
        while (!::PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE))
            ::WaitMessage();
        DispatchPaints();
        if (::PeekMessageW(&next, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE))
            return true;
        if (!::PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE))
            continue;
        // The dragged window holds the capture: its message is the drag's next step.
        if (next.hwnd == dragged || next.message == WM_QUIT || ::GetCapture() != dragged)
            return true;
        ::PeekMessageW(&next, nullptr, 0, 0, PM_REMOVE);
        ::TranslateMessage(&next);
        ::DispatchMessageW(&next);
        if (!::IsWindow(self))
            return false;
    }
}

bool CTabDockingBox::OnAcceptDock(DockingNotifyRecord& request)
{
    POINT point = {request.rect.left, request.rect.top};
    if (m_closing || !IsOverTabs(point))
        return false;
    // Only a drag, which holds the mouse, moves on: a plain question is answered at once.
    if (::GetCapture() != request.window) {
        POINT inStrip = point;
        ::ScreenToClient(m_tabs.m_hWnd, &inStrip);
        const int index = InsertionIndex(inStrip);
        request.target = m_hWnd;
        request.rect = {index, index, index, index};
        return true;
    }
    const int index = ShowPlaceholder(request.window, point);
    request.target = m_hWnd;
    request.rect = {index, index, index, index};
    MSG next = {};
    // The box may be closed by what the wait dispatches: then it is no place to go.
    if (!WaitForDragToMove(request.window, next))
        return false;
    POINT moved = {GET_X_LPARAM(next.lParam), GET_Y_LPARAM(next.lParam)};
    if (next.hwnd)
        ::ClientToScreen(next.hwnd, &moved);
    if (next.message == WM_MOUSEMOVE && ::GetKeyState(VK_CONTROL) >= 0 && IsOverTabs(moved))
        return true;
    RemovePlaceholder();
    DispatchPaints();
    return true;
}

} // namespace dockwins
