// dockwins::CWindowPtrWrapper: a frame for a window known by the address of its handle (the frame's client view).
#pragma once

#include <windows.h>

#include "docking/dockwins/IFrame.h"

namespace dockwins {

class CWindowPtrWrapper : public IFrame {
public:
    // The handle is read at each use: the view may be replaced or not made yet.
    explicit CWindowPtrWrapper(HWND* window) : m_window(window) {}

    HWND GetHwnd() const override { return *m_window; }
    bool AcceptDock(DockingNotifyRecord*) override { return false; }
    int MinDistance() const override
    {
        MINMAXINFO info = {};
        GetMinMaxInfo(&info);
        return info.ptMinTrackSize.x;
    }
    void GetMinMaxInfo(MINMAXINFO* info) const override
    {
        if (*m_window)
            ::SendMessageW(*m_window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(info));
    }
    HDWP DeferFramePos(HDWP batch, int x1, int y1, int x2, int y2) override
    {
        return *m_window ? IFrame::DeferFramePos(batch, x1, y1, x2, y2) : batch;
    }

private:
    HWND* m_window;
};

} // namespace dockwins
