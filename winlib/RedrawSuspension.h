// CRedrawSuspension: a control that takes many items at once stops redrawing until the last one is in, then repaints once.
#pragma once

#include <windows.h>

// Wine's list and tree controls repaint and recompute their scroll bars at
// each insertion while they redraw: a few hundred items took seconds.
class CRedrawSuspension {
public:
    explicit CRedrawSuspension(HWND window) : m_window(window)
    {
        if (m_window)
            ::SendMessageW(m_window, WM_SETREDRAW, FALSE, 0);
    }
    ~CRedrawSuspension()
    {
        if (!m_window || !::IsWindow(m_window))
            return;
        ::SendMessageW(m_window, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_window, nullptr, TRUE);
    }
    CRedrawSuspension(const CRedrawSuspension&) = delete;
    CRedrawSuspension& operator=(const CRedrawSuspension&) = delete;

private:
    HWND m_window;
};
