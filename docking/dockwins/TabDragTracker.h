// CTabDragTracker: follows a tab dragged along its strip and swaps it with the tabs it passes.
#pragma once

#include <windows.h>

#include "docking/dockwins/DDTracker.h"

namespace dockwins {

class CFlyingTabCtrl;

class CTabDragTracker : public IDDTracker {
public:
    CTabDragTracker(CFlyingTabCtrl& strip, int item, POINT start);

    void OnMove(int x, int y) override;
    void OnDrop(int x, int y) override { m_last = {x, y}; }

    // Where the mouse was last seen, in the strip's client coordinates.
    POINT LastPoint() const { return m_last; }

private:
    CFlyingTabCtrl& m_strip;
    int m_current;
    // Swapped in last: passing back over it needs a move towards it.
    int m_lastSwapTarget = -1;
    int m_lastCoordinate;
    POINT m_last;
    bool m_vertical;
};

} // namespace dockwins
