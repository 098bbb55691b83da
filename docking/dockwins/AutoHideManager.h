// dockwins::CAutoHideManager: the four auto-hide bars along the frame's edges,
// their labels, and the fly-out in which a pinned pane slides out.
#pragma once

#include <windows.h>

#include <array>

#include "docking/dockwins/AutoHideBar.h"
#include "docking/dockwins/AutoHidePaneImpl.h"
#include "docking/dockwins/DockingPinRequest.h"
#include "docking/dockwins/DockingPosition.h"

namespace dockwins {

// The window is the fly-out: a hidden child of the frame until a pane slides out.
class CAutoHideManager : public CAutoHidePaneImpl<CAutoHideManager> {
    using Base = CAutoHidePaneImpl<CAutoHideManager>;

public:
    class CSizeTrackerFull;
    class CSizeTrackerGhost;

    static constexpr UINT_PTR HideTimer = 1;
    static constexpr UINT HideCheckInterval = 1300;
    static constexpr UINT HoverTime = 50;
    static constexpr DWORD SlideTime = 100;

    CAutoHideManager();

    // Creates the hidden fly-out as a child of the frame.
    bool Initialize(HWND frame);
    // Bar thickness from the shared GUI fonts and the small icon size.
    void UpdateMetrics(HWND frame);
    // Lays out the bars that have labels and takes them off `client`.
    void Layout(HDC dc, RECT& client);
    void Paint(HDC dc);

    // Adds a label for the request's window (or windows); `barWasEmpty`
    // tells the frame that its layout changed. A request naming no window,
    // or a window pinned already, is refused.
    bool PinUp(HWND frame, DockingPinRequest& request, bool& barWasEmpty);
    // Takes the window's entry off its bar; with `unpin` the pane goes back
    // to the place its label remembers.
    bool Remove(HWND window, bool unpin);

    // Frame client coordinates. MouseMove answers whether it consumed the move.
    bool MouseMove(POINT point);
    void MouseHover(POINT point);

    // Slides the pinned window out of the bar of `side`, and back.
    void Show(HWND window, CDockingSide side, bool animate);
    void Hide(bool animate);
    bool IsPinned(HWND window) const;
    // The pane slid out now; null when none.
    HWND ShownWindow() const { return m_shown; }

    bool GetDockingPosition(DockingPosition* position) const;

    // Room the left and right bars take together, and the top and bottom bars.
    int Width() const;
    int Height() const;

    int BarThickness() const { return m_thickness; }
    const CAutoHideBar& Bar(int sideIndex) const { return m_bars[static_cast<size_t>(sideIndex & 3)]; }
    // The room left inside the bars, in which the fly-out is placed.
    const RECT& FlyOutArea() const { return m_area; }

    BEGIN_MESSAGE_MAP(CAutoHideManager)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_TIMER, OnTimer)
        ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
        ON_MESSAGE(WM_NCLBUTTONUP, OnNcLButtonUp)
        ON_MESSAGE(WM_CLOSE, OnClose)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(DockingNotify, OnDockingNotify)
        CHAIN_MESSAGE_MAP(Base)
    END_MESSAGE_MAP()

private:
    LRESULT OnSize(UINT, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnNcLButtonDown(UINT, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnNcLButtonUp(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool& handled);

    // The entry under a point of the frame's client area on any bar, and its bar.
    const CPinnedWindow* EntryAt(POINT point, bool activate, int* sideIndex = nullptr) const;
    CAutoHideBar& BarOf(CDockingSide side) { return m_bars[static_cast<size_t>(side.GetEdge())]; }
    // Measures and draws one bar again on the frame's DC.
    void RedrawBar(CAutoHideBar& bar);
    void PlaceFlyOut();
    void FitPane();
    void Slide(bool show);
    void TrackSize(POINT pressOnScreen);

    HWND m_frame = nullptr;
    HWND m_shown = nullptr;     // the pane slid out
    HWND m_candidate = nullptr; // the pane whose label the mouse rests on
    RECT m_area = {};
    int m_thickness = 0;
    bool m_sizing = false; // the user is sizing the fly-out
    std::array<CAutoHideBar, 4> m_bars;
};

} // namespace dockwins
