// NavigationBox, NavigationHelper: the edge bands of a view in which a drag scrolls it.
#pragma once

#include <windows.h>

// The width in pixels of each edge band.
class NavigationBox {
public:
    virtual ~NavigationBox() = default;
    virtual int GetBandSize() const { return 14; }
    virtual int GetTopBandHeight() const { return GetBandSize(); }
    virtual int GetBottomBandHeight() const { return GetBandSize(); }
    virtual int GetLeftBandWidth() const { return GetBandSize(); }
    virtual int GetRightBandWidth() const { return GetBandSize(); }
};

// The view implements the drag and timer operations; TrackPoint tells it
// when to start or stop scrolling towards the band the pointer rests in.
class NavigationHelper : public NavigationBox {
public:
    enum Zone { kNone = 0, kLeft = 1, kRight = 2, kTop = 3, kBottom = 4 };

    virtual void OnDragLeave() = 0;
    virtual void OnDragOver(int x, int y) = 0;
    virtual void OnScrollTimer() = 0;
    virtual void StartScrollTimer() = 0;
    virtual void StopScrollTimer() = 0;

    // Starts the scroll timer in a band, stops it outside.
    virtual void UpdateNavigation();
    // True when the point lies in a band of the rectangle: left, right, top,
    // bottom in that order, so a corner counts as left or right. Only a
    // point other than the last one seen changes the zone and the timer.
    virtual bool TrackPoint(const RECT& rect, POINT point);

    int GetZone() const { return m_zone; }

protected:
    void SetZone(int zone) { m_zone = zone; }

private:
    POINT m_lastPoint = {0, 0};
    int m_zone = kNone;
};
