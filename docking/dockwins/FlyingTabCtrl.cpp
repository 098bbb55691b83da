#include "docking/dockwins/FlyingTabCtrl.h"

#include "docking/dockwins/FlatTabLayout.h"
#include "docking/dockwins/TabDragTracker.h"
#include "winlib/DeviceContext.h"

namespace dockwins {

namespace {

POINT PointOf(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace

HWND CFlyingTabCtrl::Create(HWND parent, const RECT& rect, DWORD style, UINT id)
{
    return CWindowImpl::Create(
        CreateArgs{.parent = parent, .style = style ? style : kDefaultStyle, .rect = rect, .id = id});
}

void CFlyingTabCtrl::UpdateThickness()
{
    const HFONT font = GetFont();
    if (!font) {
        m_thickness = 24;
        return;
    }
    TEXTMETRICW metrics = {};
    {
        const CScreenDC screen;
        const CSelectObject selected(screen, font);
        ::GetTextMetricsW(screen, &metrics);
    }
    m_thickness = static_cast<BYTE>(TabStripThickness(metrics.tmAscent));
}

LRESULT CFlyingTabCtrl::OnCreate(UINT, WPARAM, LPARAM, bool& handled)
{
    UpdateThickness();
    handled = false;
    return 0;
}

LRESULT CFlyingTabCtrl::OnSetFont(UINT, WPARAM, LPARAM, bool& handled)
{
    // Measured with the font held until now: the new one is taken over below.
    UpdateThickness();
    handled = false;
    return 0;
}

LRESULT CFlyingTabCtrl::OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    LRESULT ignored = 0;
    Base::ProcessWindowMessage(m_hWnd, message, wParam, lParam, ignored);
    const POINT point = PointOf(lParam);
    if (HitTest(point) < 0)
        return 0;
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    if (::DragDetect(m_hWnd, screen))
        RunTabDrag(point);
    // DragDetect took the release the press was waiting for.
    else if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return 0;
}

void CFlyingTabCtrl::RunTabDrag(POINT start)
{
    const int item = HitTest(start);
    if (item < 0)
        return;
    CTabDragTracker tracker(*this, item, start);
    if (!TrackDragAndDrop(tracker, m_hWnd))
        return;
    if (HitTest(tracker.LastPoint()) >= 0)
        return;
    // What the drag left waiting (paints, the capture change) goes first, so
    // the box that takes the tab out sees a settled strip.
    MSG waiting;
    while (::PeekMessageW(&waiting, nullptr, 0, 0, PM_REMOVE)) {
        if (waiting.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(waiting.wParam));
            break;
        }
        ::TranslateMessage(&waiting);
        ::DispatchMessageW(&waiting);
    }
    NMHDR header = MakeHeader(TABN_DRAG_OUT);
    SendToParent(header, &header);
}

LRESULT CFlyingTabCtrl::OnLButtonDoubleClick(UINT, WPARAM, LPARAM lParam, bool&)
{
    const POINT point = PointOf(lParam);
    const int hit = HitTest(point);
    if (hit >= 0)
        NotifyItem(NM_DBLCLK, hit, point);
    return 0;
}

} // namespace dockwins
