// CFlatMenuWindow: a popup-menu window drawn with a one-pixel flat border, open under the title it drops from.
#pragma once

#include <windows.h>

#include "winlib/WindowImplRoot.h"

class CFlatMenuWindow : public CWindowImplRoot {
public:
    // titleWidth: the width of the menu title the popup drops from; 0 or less when none.
    CFlatMenuWindow(int titleWidth, COLORREF border, COLORREF menuBackground, COLORREF barBackground);

    // Lives on the heap and goes with its window.
    void OnFinalMessage(HWND) override { delete this; }

    BEGIN_MESSAGE_MAP(CFlatMenuWindow)
        ON_MESSAGE(WM_NCPAINT, OnNcPaint)
    END_MESSAGE_MAP()

private:
    LRESULT OnNcPaint(UINT, WPARAM wParam, LPARAM, bool&);

    COLORREF m_border;
    COLORREF m_menuBackground;
    COLORREF m_barBackground;
    int m_titleWidth;
    SIZE m_frame;
};
