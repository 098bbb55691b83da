#include "docking/dockwins/AutoHideManager.h"

#include <algorithm>
#include <memory>

#include "docking/dockwins/AutoHideSizeTracker.h"
#include "docking/dockwins/DockingSettings.h"
#include "docking/dockwins/KeepFocus.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace dockwins {

namespace {

int TextHeight(HDC dc, HFONT font)
{
    const CSelectObject selected(dc, font);
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight;
}

} // namespace

CAutoHideManager::CAutoHideManager()
{
    for (int side = 0; side < 4; ++side)
        m_bars[static_cast<size_t>(side)].SetSide(CDockingSide(side));
}

bool CAutoHideManager::Initialize(HWND frame)
{
    m_frame = frame;
    if (!m_hWnd)
        Create(frame);
    UpdateMetrics(frame);
    return m_hWnd != nullptr;
}

void CAutoHideManager::UpdateMetrics(HWND frame)
{
    const CDockingSettings& settings = CDockingSettings::Instance();
    const CClientDC dc(frame);
    const int text = std::max(TextHeight(dc, settings.VerticalGuiFont()), TextHeight(dc, settings.HorizontalGuiFont()));
    m_thickness = std::max(text, ::GetSystemMetrics(SM_CXSMICON)) + 8;
}

void CAutoHideManager::Layout(HDC dc, RECT& client)
{
    std::array<bool, 4> hasLabels = {};
    for (size_t i = 0; i < m_bars.size(); ++i)
        hasLabels[i] = !m_bars[i].IsEmpty();
    const std::array<RECT, 4> rects = LayOutAutoHideBars(client, m_thickness, hasLabels);
    // The top and bottom bars first, as their layout took them.
    for (const int side : {CDockingSide::Top, CDockingSide::Bottom, CDockingSide::Left, CDockingSide::Right})
        m_bars[static_cast<size_t>(side)].SetRect(dc, rects[static_cast<size_t>(side)]);
    m_area = client;
    if (m_shown) {
        PlaceFlyOut();
        FitPane();
    }
}

void CAutoHideManager::Paint(HDC dc)
{
    const CBrush background(::CreateSolidBrush(CDockingSettings::Instance().BarBackgroundColor()));
    const RECT& left = m_bars[CDockingSide::Left].Rect();
    const RECT& right = m_bars[CDockingSide::Right].Rect();
    for (const CAutoHideBar& bar : m_bars) {
        if (bar.IsEmpty())
            continue;
        RECT rect = bar.Rect();
        // The corners beside the left and right bars belong to the top and bottom bars' background.
        if (bar.IsHorizontal()) {
            if (!::IsRectEmpty(&left))
                rect.left = left.left;
            if (!::IsRectEmpty(&right))
                rect.right = right.right;
        }
        ::FillRect(dc, &rect, background);
    }
    for (const CAutoHideBar& bar : m_bars)
        bar.Draw(dc, false);
}

bool CAutoHideManager::PinUp(HWND frame, DockingPinRequest& request, bool& barWasEmpty)
{
    if (frame)
        m_frame = frame;
    CAutoHideBar& bar = BarOf(request.side);
    barWasEmpty = bar.IsEmpty();
    // A second label for a pinned pane would outlive the pane's first unpinning.
    if (!::IsWindow(request.window) || IsPinned(request.window))
        return false;
    for (int i = 0; i < request.windowCount && request.windows; ++i)
        if (!::IsWindow(request.windows[i]) || IsPinned(request.windows[i]))
            return false;
    request.container = m_hWnd;
    const HWND focus = ::GetFocus();
    std::unique_ptr<IPinnedLabel> label(MakePinnedLabel(request, bar.IsHorizontal()));
    const HWND first = label->ActivePinnedWindow()->Window();
    bar.Add(std::move(label));
    // An empty bar changes the frame's layout, which the frame redoes.
    if (!barWasEmpty)
        RedrawBar(bar);
    if (request.flags & DockingPinRequest::ShowAtOnce)
        Show(first, bar.Side(), false);
    // Keys must not go on to a pane that only shows as a label now.
    if (focus && ::IsChild(m_hWnd, focus) && !::IsWindowVisible(focus) && m_frame)
        ::SetFocus(m_frame);
    return true;
}

bool CAutoHideManager::IsPinned(HWND window) const
{
    for (const CAutoHideBar& bar : m_bars)
        if (bar.Find(window))
            return true;
    return false;
}

bool CAutoHideManager::Remove(HWND window, bool unpin)
{
    if (window && window == m_shown)
        Hide(false);
    if (window == m_candidate)
        m_candidate = nullptr;
    DockingPosition position;
    position.window = window;
    position.container = m_frame;
    position.docked = true;
    position.shown = true;
    for (CAutoHideBar& bar : m_bars) {
        if (!bar.Remove(window, m_frame, m_hWnd, unpin ? &position : nullptr))
            continue;
        if (!bar.IsEmpty()) {
            RedrawBar(bar);
        } else if (m_frame) {
            const RECT client = CWindow(m_frame).GetClientRect();
            ::SendMessageW(m_frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
            ::RedrawWindow(m_frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        return true;
    }
    return false;
}

const CPinnedWindow* CAutoHideManager::EntryAt(POINT point, bool activate, int* sideIndex) const
{
    for (const CAutoHideBar& bar : m_bars) {
        if (const CPinnedWindow* entry = bar.FromPoint(point, activate)) {
            if (sideIndex)
                *sideIndex = bar.Side().GetEdge();
            return entry;
        }
    }
    return nullptr;
}

bool CAutoHideManager::MouseMove(POINT point)
{
    const CPinnedWindow* entry = EntryAt(point, false);
    if (!entry)
        return false;
    if (entry->Window() != m_shown) {
        m_candidate = entry->Window();
        TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER, m_frame, HoverTime};
        ::TrackMouseEvent(&track);
    }
    return true;
}

void CAutoHideManager::MouseHover(POINT point)
{
    int side = 0;
    const CPinnedWindow* entry = EntryAt(point, true, &side);
    if (!entry || entry->Window() != m_candidate || entry->Window() == m_shown)
        return;
    // A box's label shows the hovered pane as its active one now.
    RedrawBar(m_bars[static_cast<size_t>(side)]);
    Show(entry->Window(), CDockingSide(side), true);
}

void CAutoHideManager::Show(HWND window, CDockingSide side, bool animate)
{
    Hide(false);
    const IPinnedLabel* label = BarOf(side).Find(window);
    if (!label || !m_hWnd)
        return;
    SetSide(side);
    m_shown = window;
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceFlyOut();
    SetWindowText(CWindow(window).GetWindowText().c_str());
    if (animate && CDockingSettings::Instance().IsFullDrag())
        Slide(true);
    else
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0,
                       SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FitPane();
    SetTimer(HideTimer, HideCheckInterval);
}

void CAutoHideManager::Hide(bool animate)
{
    if (!m_shown)
        return;
    KillTimer(HideTimer);
    const HWND pane = m_shown;
    m_shown = nullptr;
    if (::IsWindow(pane))
        ::ShowWindow(pane, SW_HIDE);
    if (animate && CDockingSettings::Instance().IsFullDrag())
        Slide(false);
    ShowWindow(SW_HIDE);
}

void CAutoHideManager::PlaceFlyOut()
{
    // The shown pane's own size: a box's label may have another entry active.
    DockingPosition position;
    position.window = m_shown;
    if (!GetDockingPosition(&position))
        return;
    const RECT rect = AutoHideFlyOutRect(m_area, m_side, position.place.rowSize);
    ::SetWindowPos(m_hWnd, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOACTIVATE);
}

void CAutoHideManager::FitPane()
{
    if (!m_shown)
        return;
    const RECT client = GetClientRect();
    ::SetWindowPos(m_shown, nullptr, 0, 0, client.right, client.bottom, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CAutoHideManager::Slide(bool show)
{
    const RECT full = PlacementInFrame();
    for (int i = 1; i <= AutoHideSlideSteps; ++i) {
        const RECT before = PlacementInFrame();
        const RECT rect = AutoHideSlideStep(full, m_side, show ? i : AutoHideSlideSteps - i);
        ::SetWindowPos(m_hWnd, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOACTIVATE | SWP_SHOWWINDOW);
        // Sliding back uncovers the frame behind.
        RECT affected = {};
        ::UnionRect(&affected, &before, &rect);
        ::RedrawWindow(m_frame, &affected, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::Sleep(SlideTime / AutoHideSlideSteps);
    }
}

void CAutoHideManager::RedrawBar(CAutoHideBar& bar)
{
    if (!m_frame || bar.IsEmpty())
        return;
    const CClientDC dc(m_frame);
    bar.CalculateLabelWidths(dc);
    bar.Draw(dc, true);
}

bool CAutoHideManager::GetDockingPosition(DockingPosition* position) const
{
    for (const CAutoHideBar& bar : m_bars) {
        size_t index = 0;
        const IPinnedLabel* label = bar.Find(position->window, &index);
        if (!label)
            continue;
        position->side = CDockingSide(bar.Side().GetEdge() | CDockingSide::Single | CDockingSide::Pinned);
        label->GetDockingPosition(position);
        position->place.row = static_cast<int>(index);
        return true;
    }
    return false;
}

int CAutoHideManager::Width() const
{
    return (m_bars[CDockingSide::Left].IsEmpty() ? 0 : m_thickness) +
           (m_bars[CDockingSide::Right].IsEmpty() ? 0 : m_thickness);
}

int CAutoHideManager::Height() const
{
    return (m_bars[CDockingSide::Top].IsEmpty() ? 0 : m_thickness) +
           (m_bars[CDockingSide::Bottom].IsEmpty() ? 0 : m_thickness);
}

LRESULT CAutoHideManager::OnSize(UINT, WPARAM wParam, LPARAM lParam, bool&)
{
    if (wParam == SIZE_MINIMIZED || !m_shown)
        return 0;
    ::SetWindowPos(m_shown, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), SWP_NOACTIVATE | SWP_NOZORDER);
    // Only the user's sizing changes the pane's size: a fly-out cut short by a
    // small frame, or caught halfway through its slide, comes out whole next time.
    if (!m_sizing)
        return 0;
    const RECT rect = GetWindowRect();
    const int extent = (m_side.IsHorizontal() ? rect.bottom - rect.top : rect.right - rect.left) - AutoHideSizingBar;
    // A fly-out squeezed to its caption leaves the pane's own size as it was.
    if (extent > m_caption.Thickness())
        if (IPinnedLabel* label = BarOf(m_side).Find(m_shown))
            label->SetEntrySize(m_shown, extent);
    return 0;
}

LRESULT CAutoHideManager::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (wParam != HideTimer) {
        handled = false;
        return 0;
    }
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    const RECT flyOut = GetWindowRect();
    if (::PtInRect(&flyOut, cursor))
        return 0;
    POINT inFrame = cursor;
    ::ScreenToClient(m_frame, &inFrame);
    const CPinnedWindow* entry = EntryAt(inFrame, false);
    if (entry && entry->Window() == m_shown)
        return 0;
    // The other pinned panes are hidden children of the fly-out too: only the shown one counts.
    const HWND focus = ::GetFocus();
    if (focus && (focus == m_hWnd || focus == m_shown || ::IsChild(m_shown, focus)))
        return 0;
    Hide(true);
    return 0;
}

LRESULT CAutoHideManager::OnNcLButtonDown(UINT, WPARAM wParam, LPARAM lParam, bool&)
{
    if (wParam == static_cast<WPARAM>(SizingHitCode())) {
        TrackSize(PointOf(lParam));
    } else if (wParam == HTCAPTION && m_shown) {
        // The system's own caption drag would move the fly-out off its bar.
        ::SetFocus(m_shown);
    }
    return 0;
}

void CAutoHideManager::TrackSize(POINT pressOnScreen)
{
    POINT press = pressOnScreen;
    ::ScreenToClient(m_frame, &press);
    m_sizing = true;
    if (CDockingSettings::Instance().IsGhostDrag()) {
        CSizeTrackerGhost tracker(m_hWnd, m_side, PlacementInFrame(), m_area, press);
        TrackDragAndDrop(tracker, m_frame);
    } else {
        CSizeTrackerFull tracker(m_hWnd, m_side, PlacementInFrame(), m_area, press);
        TrackDragAndDrop(tracker, m_frame);
    }
    m_sizing = false;
}

LRESULT CAutoHideManager::OnNcLButtonUp(UINT, WPARAM wParam, LPARAM, bool&)
{
    const HWND before = ::GetFocus();
    const HWND top = TopMostAncestor(m_hWnd);
    if (wParam == CCaptionBase::HitPin && m_shown)
        Remove(m_shown, true);
    else if (wParam == CCaptionBase::HitClose)
        PostMessage(WM_CLOSE);
    RestoreFocus(before, top);
    return 0;
}

LRESULT CAutoHideManager::OnClose(UINT, WPARAM, LPARAM, bool&)
{
    if (m_shown)
        ::PostMessageW(m_shown, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT CAutoHideManager::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    Hide(false);
    handled = false;
    return 0;
}

LRESULT CAutoHideManager::OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const auto* position = reinterpret_cast<const DockingPosition*>(lParam);
    if (!position || position->code != DockingUndock) {
        handled = false;
        return 0;
    }
    return Remove(position->window, false);
}

} // namespace dockwins
