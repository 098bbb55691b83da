// dockwins::CWndFrame: a frame record of a row: its start position and a docked window's handle.
#pragma once

#include <windows.h>

namespace dockwins {

class CWndFrame {
public:
    // `sideBySide`: the row's frames stand along x, so the window's minimum
    // width is its minimum extent; else its height.
    CWndFrame(double start, HWND window, bool sideBySide) : position(start), m_window(window), m_sideBySide(sideBySide)
    {
    }

    HWND GetHwnd() const { return m_window; }
    int MinDistance() const
    {
        MINMAXINFO info = {};
        GetMinMaxInfo(&info);
        return m_sideBySide ? info.ptMinTrackSize.x : info.ptMinTrackSize.y;
    }
    void GetMinMaxInfo(MINMAXINFO* info) const
    {
        ::SendMessageW(m_window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(info));
    }
    HDWP DeferFramePos(HDWP batch, int x1, int y1, int x2, int y2) const
    {
        // Nothing is copied from where the window stood: under Wine a maximised frame's bits
        // there are no longer the window's, and they would stand, unpainted, as its content.
        return ::DeferWindowPos(batch, m_window, nullptr, x1, y1, x2 - x1, y2 - y1,
                                SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }

    double position;

private:
    HWND m_window;
    bool m_sideBySide;
};

} // namespace dockwins
