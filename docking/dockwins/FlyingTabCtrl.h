// dockwins::CFlyingTabCtrl: the tab strip of a docking box; a tab dragged along it changes places, dragged off it leaves the box.
#pragma once

#include <windows.h>

#include "docking/dockwins/CustomTabItem.h"
#include "docking/dockwins/DotNetTabCtrlImpl.h"

namespace dockwins {

class CFlyingTabCtrl : public CDotNetTabCtrlImpl<CFlyingTabCtrl, CTabViewTabItem> {
    using Base = CDotNetTabCtrlImpl<CFlyingTabCtrl, CTabViewTabItem>;

public:
    static constexpr DWORD kDefaultStyle =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TABS_TOOLTIPS;

    static WindowClass GetWindowClass() { return TabWindowClass(L"CFlyingTabCtrl"); }

    // Style 0 gives the default style.
    HWND Create(HWND parent, const RECT& rect, DWORD style = 0, UINT id = 0);

    // How thick the strip wants to be for its font.
    int GetThickness() const { return m_thickness; }

    // The drag of the tab pressed at `start` once the mouse has moved far
    // enough: runs until the button is released, the drag is cancelled or
    // the mouse leaves the tabs; the parent hears TABN_DRAG_OUT when the
    // tab was let go off the tabs.
    void RunTabDrag(POINT start);

    BEGIN_MESSAGE_MAP(CFlyingTabCtrl)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_SETFONT, OnSetFont)
        ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
        ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDoubleClick)
        CHAIN_MESSAGE_MAP(Base)
    END_MESSAGE_MAP()

private:
    void UpdateThickness();
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnSetFont(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnLButtonDoubleClick(UINT, WPARAM, LPARAM lParam, bool&);

    BYTE m_thickness = 24;
};

} // namespace dockwins
