#include "docking/dockwins/AutoHideSizeTracker.h"

#include "docking/dockwins/HalftoneBrush.h"

namespace dockwins {

namespace {

int Along(CDockingSide side, int x, int y)
{
    return side.IsHorizontal() ? y : x;
}

} // namespace

CAutoHideManager::CSizeTrackerFull::CSizeTrackerFull(HWND flyOut, CDockingSide side, const RECT& flyOutRect,
                                                     const RECT& area, POINT press)
    : m_flyOut(flyOut), m_side(side), m_rect(flyOutRect), m_bounds(AutoHideSizingBounds(area, side)),
      m_edge(InnerEdge(m_rect, side)), m_offset(Along(side, press.x, press.y) - m_edge)
{
}

void CAutoHideManager::CSizeTrackerFull::OnMove(int x, int y)
{
    const int edge = m_bounds.Clamp(Along(m_side, x, y) - m_offset);
    if (edge == m_edge)
        return;
    m_edge = edge;
    Move();
}

void CAutoHideManager::CSizeTrackerFull::Move()
{
    Apply();
}

void CAutoHideManager::CSizeTrackerFull::Apply() const
{
    const RECT rect = Sized();
    ::SetWindowPos(m_flyOut, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOACTIVATE | SWP_NOZORDER);
}

CAutoHideManager::CSizeTrackerGhost::CSizeTrackerGhost(HWND flyOut, CDockingSide side, const RECT& flyOutRect,
                                                       const RECT& area, POINT press)
    : CSizeTrackerFull(flyOut, side, flyOutRect, area, press)
{
    ::ClientToScreen(::GetParent(flyOut), &m_origin);
    // The bar lies inside the fly-out at its inner edge.
    m_barOffset = side.IsTopOrLeft() ? -AutoHideSizingBar : 0;
    PlaceGhost();
}

void CAutoHideManager::CSizeTrackerGhost::PlaceGhost()
{
    RECT ghost = Sized();
    const int start = m_edge + m_barOffset;
    if (m_side.IsHorizontal()) {
        ghost.top = start;
        ghost.bottom = start + AutoHideSizingBar;
    } else {
        ghost.left = start;
        ghost.right = start + AutoHideSizingBar;
    }
    ::OffsetRect(&ghost, m_origin.x, m_origin.y);
    m_ghost = ghost;
}

void CAutoHideManager::CSizeTrackerGhost::DrawGhost()
{
    InvertWithHalftone(m_screen, m_ghost);
}

void CAutoHideManager::CSizeTrackerGhost::Move()
{
    DrawGhost();
    PlaceGhost();
    DrawGhost();
}

void CAutoHideManager::CSizeTrackerGhost::EndDrag(bool canceled)
{
    DrawGhost();
    if (!canceled)
        Apply();
}

} // namespace dockwins
