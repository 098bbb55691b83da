// dockwins::CSimpleSplitterBar: the bar at the start of a frame in a package, by which the user moves it.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingSettings.h"

namespace dockwins {

template <int Thickness>
class CSimpleSplitterBar {
public:
    static constexpr int thickness = Thickness;

    // The bar at `position` in a package of `packageRect`: across the whole
    // package; horizontal when the frames are stacked.
    CSimpleSplitterBar(int position, const RECT& packageRect, bool framesSideBySide)
        : m_rect(packageRect), m_horizontal(!framesSideBySide)
    {
        if (m_horizontal) {
            m_rect.top = position;
            m_rect.bottom = position + Thickness;
        } else {
            m_rect.left = position;
            m_rect.right = position + Thickness;
        }
    }

    const RECT& Rect() const { return m_rect; }
    bool IsHorizontal() const { return m_horizontal; }
    bool HitTest(POINT point) const { return ::PtInRect(&m_rect, point) != FALSE; }
    HCURSOR Cursor() const
    {
        const CDockingSettings& settings = CDockingSettings::Instance();
        return m_horizontal ? settings.NorthSouthCursor() : settings.WestEastCursor();
    }
    void Draw(HDC dc) const { ::FillRect(dc, &m_rect, ::GetSysColorBrush(COLOR_BTNFACE)); }

private:
    RECT m_rect;
    bool m_horizontal;
};

} // namespace dockwins
