// dockwins::CAutoHideManager::CSizeTrackerFull and ...Ghost: the fly-out sized live or as an outline by its sizing bar.
#pragma once

#include <windows.h>

#include "docking/dockwins/AutoHideGeometry.h"
#include "docking/dockwins/AutoHideManager.h"
#include "docking/dockwins/DDTracker.h"
#include "winlib/DeviceContext.h"

namespace dockwins {

// The drag runs with the frame as the capture window: coordinates are the
// frame's client coordinates, in which the fly-out and its area lie.
class CAutoHideManager::CSizeTrackerFull : public IDDTracker {
public:
    // `flyOutRect` and `area` in the frame's client coordinates, as the press.
    CSizeTrackerFull(HWND flyOut, CDockingSide side, const RECT& flyOutRect, const RECT& area, POINT press);

    void OnMove(int x, int y) override;
    // The hide timer waits while the fly-out is being sized.
    bool ProcessWindowMessage(MSG* message) override { return message->message == WM_TIMER; }

protected:
    virtual void Move();
    // The fly-out's rectangle in the frame with the inner edge where it is now.
    RECT Sized() const { return WithInnerEdge(m_rect, m_side, m_edge); }
    void Apply() const;

    HWND m_flyOut;
    CDockingSide m_side;
    RECT m_rect;
    SizingBounds m_bounds;
    int m_edge;
    int m_offset; // from the inner edge to the press
};

class CAutoHideManager::CSizeTrackerGhost : public CSizeTrackerFull {
public:
    CSizeTrackerGhost(HWND flyOut, CDockingSide side, const RECT& flyOutRect, const RECT& area, POINT press);
    CSizeTrackerGhost(const CSizeTrackerGhost&) = delete;
    CSizeTrackerGhost& operator=(const CSizeTrackerGhost&) = delete;

    void BeginDrag() override { DrawGhost(); }
    void EndDrag(bool canceled) override;

protected:
    void Move() override;

private:
    // The sizing bar's outline on the screen at the current edge.
    void PlaceGhost();
    void DrawGhost();

    CScreenDC m_screen;
    POINT m_origin = {}; // the frame's client origin on the screen
    RECT m_ghost = {};
    int m_barOffset = 0; // from the inner edge to the sizing bar's start
};

} // namespace dockwins
