// dockwins::CAutoHideManager: the four auto-hide bars along the frame's edges,
// their labels, and the fly-out in which a pinned pane slides out.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingPinRequest.h"
#include "docking/dockwins/DockingPosition.h"

namespace dockwins {

class CAutoHideManager {
public:
    // Creates the hidden fly-out as a child of the frame.
    bool Initialize(HWND frame);
    // Bar thickness from the shared GUI fonts and the small icon size.
    void UpdateMetrics(HWND frame);
    // Lays out the bars that have labels and takes them off `client`.
    void Layout(HDC dc, RECT& client);
    void Paint(HDC dc);

    // Adds a label for the request's window (or windows); `barWasEmpty`
    // tells the frame that its layout changed.
    bool PinUp(HWND frame, DockingPinRequest& request, bool& barWasEmpty);
    // Takes the window's entry off its bar; with `unpin` the pane goes back
    // to the place its label remembers.
    bool Remove(HWND window, bool unpin);

    // Frame client coordinates. MouseMove answers whether it consumed the move.
    bool MouseMove(POINT point);
    void MouseHover(POINT point);

    bool GetDockingPosition(DockingPosition* position) const;

    // Room the left and right bars take together, and the top and bottom bars.
    int Width() const;
    int Height() const;

    HWND m_hWnd = nullptr; // the fly-out
};

} // namespace dockwins
