#include "docking/dockwins/TabDragTracker.h"

#include "docking/dockwins/FlyingTabCtrl.h"

namespace dockwins {

CTabDragTracker::CTabDragTracker(CFlyingTabCtrl& strip, int item, POINT start)
    : m_strip(strip), m_current(item), m_last(start), m_vertical((strip.GetStyle() & TABS_VERTICAL) != 0)
{
    m_lastCoordinate = m_vertical ? start.y : start.x;
}

void CTabDragTracker::OnMove(int x, int y)
{
    m_last = {x, y};
    const int coordinate = m_vertical ? y : x;
    const int hit = m_strip.HitTest({x, y});
    if (hit < 0) {
        // Off the tabs: the drag ends here and the strip lets the tab go.
        ::ReleaseCapture();
    } else if (hit != m_current) {
        const bool towardsLastTarget =
            (coordinate - m_lastCoordinate) * (m_lastSwapTarget - m_current) > 0;
        if (hit != m_lastSwapTarget || towardsLastTarget) {
            m_strip.SwapItems(m_current, hit, false, false);
            m_current = hit;
            m_strip.SetCurSel(hit, true);
            m_lastSwapTarget = m_strip.HitTest({x, y});
        }
    }
    m_lastCoordinate = coordinate;
}

} // namespace dockwins
