// dockwins::CMoveTracker: a docking window dragged by its caption, showing where it would dock or float.
#pragma once

#include <windows.h>

#include "docking/dockwins/DDTracker.h"
#include "docking/dockwins/DockingNotifyRecord.h"
#include "docking/dockwins/DockingNotifySender.h"
#include "winlib/DeviceContext.h"

namespace dockwins {

class CMoveTracker : public IDDTracker {
public:
    // `press`: the press in the window's client coordinates; `windowRect`
    // and `floatingRect`: screen coordinates. The floating rectangle is put
    // under the cursor so that the cursor keeps its place relative to it.
    CMoveTracker(HWND window, const DockingNotifySender& sender, POINT press, const RECT& windowRect,
                 const RECT& floatingRect);
    CMoveTracker(const CMoveTracker&) = delete;
    CMoveTracker& operator=(const CMoveTracker&) = delete;

    void BeginDrag() override { DrawGhost(); }
    void EndDrag(bool) override { DrawGhost(); }
    void OnMove(int x, int y) override;
    // Pressing or releasing Ctrl switches between docking and floating at once.
    bool ProcessWindowMessage(MSG* message) override;

    // Where the drag ended: a target that accepted (null: floating) and the rectangle.
    const DockingNotifyRecord& Request() const { return m_request; }

    // The floating rectangle's left-top for a cursor at `cursor` over a window
    // at `windowRect`, keeping the cursor's relative place.
    static POINT PlaceUnderCursor(POINT cursor, const RECT& windowRect, SIZE floating);

private:
    // A docking box under the rectangle's corner, else the frame.
    bool AskWhereToDock();
    void DrawGhost();

    DockingNotifySender m_sender;
    CScreenDC m_screen;
    DockingNotifyRecord m_request;
    HWND m_window;
    SIZE m_floating = {};
    POINT m_offset = {}; // from the client cursor to the floating rectangle's screen left-top
};

} // namespace dockwins
