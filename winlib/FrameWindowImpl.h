// CFrameWindowImpl<T>: a top-level window that lays out its bar, its status bar and its client window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "foundation/ResourceModule.h"
#include "winlib/WindowImpl.h"

template <class T>
class CFrameWindowImpl : public CWindowImpl<T> {
public:
    // The bar along the top (a rebar), the status bar and the client view;
    // each is optional and laid out only while it is visible.
    HWND m_hWndToolBar = nullptr;
    HWND m_hWndStatusBar = nullptr;
    HWND m_hWndClient = nullptr;

    // Places the bars, then gives the client what is left.
    virtual void UpdateLayout(bool resizeBars = true)
    {
        const RECT rest = LayoutBars(resizeBars);
        if (m_hWndClient)
            ::SetWindowPos(m_hWndClient, nullptr, rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
    }

    bool LoadAccelerators(UINT id)
    {
        m_accelerators = ::LoadAcceleratorsW(GetResourceModule(), MAKEINTRESOURCEW(id));
        return m_accelerators != nullptr;
    }
    bool TranslateAccelerator(MSG* message)
    {
        return m_accelerators && ::TranslateAcceleratorW(this->m_hWnd, m_accelerators, message) != 0;
    }

    BEGIN_MESSAGE_MAP(CFrameWindowImpl)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
        ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
        ON_NOTIFY_CODE(RBN_AUTOSIZE, OnBarAutoSize)
    END_MESSAGE_MAP()

protected:
    // Sizes the visible bars and returns the client rectangle they leave.
    RECT LayoutBars(bool resizeBars)
    {
        RECT rest = this->GetClientRect();
        if (IsShown(m_hWndToolBar)) {
            if (resizeBars)
                ::SendMessageW(m_hWndToolBar, WM_SIZE, 0, 0);
            rest.top += Height(m_hWndToolBar);
        }
        if (IsShown(m_hWndStatusBar)) {
            if (resizeBars)
                ::SendMessageW(m_hWndStatusBar, WM_SIZE, 0, 0);
            rest.bottom -= Height(m_hWndStatusBar);
        }
        if (rest.bottom < rest.top)
            rest.bottom = rest.top;
        return rest;
    }

private:
    static bool IsShown(HWND bar) { return bar && (::GetWindowLongPtrW(bar, GWL_STYLE) & WS_VISIBLE); }
    static int Height(HWND bar)
    {
        RECT rect = {};
        ::GetWindowRect(bar, &rect);
        return rect.bottom - rect.top;
    }

    LRESULT OnSize(UINT, WPARAM wParam, LPARAM, bool& handled)
    {
        if (wParam != SIZE_MINIMIZED)
            UpdateLayout();
        handled = false;
        return 0;
    }
    // The client covers the frame: erasing below it would only flicker.
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, bool& handled)
    {
        handled = m_hWndClient != nullptr;
        return 1;
    }
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, bool& handled)
    {
        if (m_hWndClient && ::IsWindow(m_hWndClient))
            ::SetFocus(m_hWndClient);
        handled = false;
        return 0;
    }
    LRESULT OnBarAutoSize(int, NMHDR*, bool&)
    {
        UpdateLayout(false);
        return 0;
    }

    HACCEL m_accelerators = nullptr;
};
