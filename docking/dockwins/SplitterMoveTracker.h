// dockwins::CSplitterMoveTrackerFull and ...Ghost: a splitter bar of a frames package dragged live or as an outline.
#pragma once

#include <windows.h>

#include <algorithm>
#include <utility>

#include "docking/dockwins/DDTracker.h"
#include "docking/dockwins/HalftoneBrush.h"
#include "winlib/DeviceContext.h"

namespace dockwins {

template <class TPackage>
class CSplitterMoveTrackerBase : public IDDTracker {
public:
    // The press at `point` (client coordinates of `owner`) lies on the bar of the frame that follows it.
    CSplitterMoveTrackerBase(TPackage& package, HWND owner, POINT point)
        : m_package(package), m_owner(owner), m_packageRect(package.Rect())
    {
        const double c = Along(point.x, point.y);
        const int found = package.FrameAt(c);
        m_frame = found < 0 ? 0 : static_cast<size_t>(found);
        m_position = package.Frame(m_frame).position;
        m_offset = c - m_position;
        m_bounds = package.GetBounds(m_frame);
    }

    void OnMove(int x, int y) override
    {
        const double p = std::clamp(Along(x, y) - m_offset, m_bounds.first, std::max(m_bounds.first, m_bounds.second));
        if (p != m_position) {
            m_position = p;
            Move();
        }
    }
    virtual void Move() = 0;

protected:
    double Along(int x, int y) const { return m_package.IsSideBySide() ? x : y; }
    // Moves the bar and lays the package out again at once.
    void Apply()
    {
        m_package.MoveSplitter(m_frame, m_position);
        m_package.Arrange();
        ::RedrawWindow(m_owner, &m_packageRect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    TPackage& m_package;
    HWND m_owner;
    RECT m_packageRect;
    size_t m_frame = 0;
    double m_position = 0;
    double m_offset = 0;
    std::pair<double, double> m_bounds;
};

template <class TPackage>
class CSplitterMoveTrackerFull : public CSplitterMoveTrackerBase<TPackage> {
public:
    using CSplitterMoveTrackerBase<TPackage>::CSplitterMoveTrackerBase;
    void Move() override { this->Apply(); }
};

template <class TPackage>
class CSplitterMoveTrackerGhost : public CSplitterMoveTrackerFull<TPackage> {
public:
    CSplitterMoveTrackerGhost(TPackage& package, HWND owner, POINT point)
        : CSplitterMoveTrackerFull<TPackage>(package, owner, point)
    {
        POINT origin = {0, 0};
        ::ClientToScreen(owner, &origin);
        m_screenOffset = package.IsSideBySide() ? origin.x : origin.y;
        m_ghost = this->m_packageRect;
        ::OffsetRect(&m_ghost, origin.x, origin.y);
        PlaceGhost();
    }
    CSplitterMoveTrackerGhost(const CSplitterMoveTrackerGhost&) = delete;
    CSplitterMoveTrackerGhost& operator=(const CSplitterMoveTrackerGhost&) = delete;

    void BeginDrag() override { DrawGhost(); }
    void Move() override
    {
        DrawGhost();
        PlaceGhost();
        DrawGhost();
    }
    void EndDrag(bool canceled) override
    {
        DrawGhost();
        if (!canceled)
            this->Apply();
    }

private:
    void PlaceGhost()
    {
        const int start = static_cast<int>(this->m_position) + m_screenOffset;
        if (this->m_package.IsSideBySide()) {
            m_ghost.left = start;
            m_ghost.right = start + 5;
        } else {
            m_ghost.top = start;
            m_ghost.bottom = start + 5;
        }
    }
    // Drawing twice erases: PATINVERT.
    void DrawGhost() { InvertWithHalftone(m_screen, m_ghost); }

    CScreenDC m_screen;
    int m_screenOffset = 0;
    RECT m_ghost = {};
};

} // namespace dockwins
