#include "docking/dockwins/CaptionBase.h"

namespace dockwins {

void CCaptionBase::TakeBand(RECT& windowRect, bool atStart)
{
    m_rect = windowRect;
    if (m_horizontal) {
        if (atStart)
            windowRect.top = m_rect.bottom = m_rect.top + m_thickness;
        else
            windowRect.bottom = m_rect.top = m_rect.bottom - m_thickness;
    } else {
        if (atStart)
            windowRect.left = m_rect.right = m_rect.left + m_thickness;
        else
            windowRect.right = m_rect.left = m_rect.right - m_thickness;
    }
}

int CCaptionBase::HitTest(POINT point, const CButton& pin, const CButton& close) const
{
    if (!::PtInRect(&m_rect, point))
        return HitNothing;
    if (close.Contains(point))
        return HitClose;
    if (pin.Contains(point))
        return HitPin;
    return HitCaption;
}

} // namespace dockwins
