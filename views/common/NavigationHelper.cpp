#include "views/common/NavigationHelper.h"

void NavigationHelper::UpdateNavigation()
{
    if (m_zone != kNone)
        StartScrollTimer();
    else
        StopScrollTimer();
}

bool NavigationHelper::TrackPoint(const RECT& rect, POINT point)
{
    const auto inside = [&](LONG left, LONG top, LONG right, LONG bottom) {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    };
    int zone = kNone;
    if (inside(rect.left, rect.top, rect.left + GetLeftBandWidth(), rect.bottom))
        zone = kLeft;
    else if (inside(rect.right - GetRightBandWidth(), rect.top, rect.right, rect.bottom))
        zone = kRight;
    else if (inside(rect.left, rect.top, rect.right, rect.top + GetTopBandHeight()))
        zone = kTop;
    else if (inside(rect.left, rect.bottom - GetBottomBandHeight(), rect.right, rect.bottom))
        zone = kBottom;
    if (point.x != m_lastPoint.x || point.y != m_lastPoint.y) {
        m_zone = zone;
        UpdateNavigation();
        m_lastPoint = point;
    }
    return zone != kNone;
}
