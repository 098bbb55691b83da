// IDDTracker and TrackDragAndDrop: every mouse drag of the docking framework, as a modal capture loop feeding a tracker.
#pragma once

#include <windows.h>

class IDDTracker {
public:
    virtual void BeginDrag() {}
    virtual void EndDrag(bool /*canceled*/) {}
    // Coordinates are the message's client coordinates in the capturing window.
    virtual void OnMove(int /*x*/, int /*y*/) {}
    virtual void OnCancelDrag(int /*x*/, int /*y*/) {}
    virtual void OnDrop(int /*x*/, int /*y*/) {}
    virtual void OnDropRightButton(int x, int y) { OnDrop(x, y); }
    virtual void OnDropLeftButton(int x, int y) { OnDrop(x, y); }
    // True when the tracker took the message.
    virtual bool ProcessWindowMessage(MSG* /*message*/) { return false; }

protected:
    // Trackers live on their starter's stack and go through their own type.
    IDDTracker() = default;
    IDDTracker(const IDDTracker&) = default;
    IDDTracker& operator=(const IDDTracker&) = default;
    ~IDDTracker() = default;
};

// Captures the mouse for the window and feeds the tracker until the capture
// goes: a release drops, Esc, Alt or a second button cancels, other keys are
// swallowed. A WM_QUIT taken meanwhile ends the drag (not canceled) and is
// posted again for the message loop. True unless canceled.
bool TrackDragAndDrop(IDDTracker& tracker, HWND window);
