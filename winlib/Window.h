// CWindow: a thin, non-owning handle to a window.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

class CWindow {
public:
    CWindow(HWND hwnd = nullptr) : m_hWnd(hwnd) {}
    CWindow& operator=(HWND hwnd)
    {
        m_hWnd = hwnd;
        return *this;
    }

    operator HWND() const { return m_hWnd; }
    HWND Detach()
    {
        HWND hwnd = m_hWnd;
        m_hWnd = nullptr;
        return hwnd;
    }

    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    bool DestroyWindow()
    {
        if (!::DestroyWindow(m_hWnd))
            return false;
        m_hWnd = nullptr;
        return true;
    }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
    }

    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    EString GetWindowText() const
    {
        const int length = ::GetWindowTextLengthW(m_hWnd);
        EString text(static_cast<size_t>(length) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(m_hWnd, text.data(), length + 1)));
        return text;
    }
    bool SetWindowText(const wchar_t* text) { return ::SetWindowTextW(m_hWnd, text) != FALSE; }
    EString GetDlgItemText(int id) const { return CWindow(GetDlgItem(id)).GetWindowText(); }
    bool SetDlgItemText(int id, const wchar_t* text) { return ::SetDlgItemTextW(m_hWnd, id, text) != FALSE; }

    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    void ModifyStyle(DWORD remove, DWORD add)
    {
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>((GetStyle() & ~remove) | add));
    }

    RECT GetWindowRect() const
    {
        RECT rect = {};
        ::GetWindowRect(m_hWnd, &rect);
        return rect;
    }
    RECT GetClientRect() const
    {
        RECT rect = {};
        ::GetClientRect(m_hWnd, &rect);
        return rect;
    }
    // A rectangle of the screen in this window's client coordinates.
    RECT ScreenToClient(RECT rect) const
    {
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    bool SetWindowPos(HWND after, const RECT& rect, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, after, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                              flags) != FALSE;
    }
    bool MoveWindow(const RECT& rect, bool repaint = true)
    {
        return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint) !=
               FALSE;
    }

    bool ShowWindow(int command) { return ::ShowWindow(m_hWnd, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    bool EnableWindow(bool enable) { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    bool Invalidate(bool erase = true) { return ::InvalidateRect(m_hWnd, nullptr, erase) != FALSE; }

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id) != FALSE; }

    HICON SetIcon(HICON icon, bool big)
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    void SetFont(HFONT font, bool redraw = true)
    {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }

    HWND m_hWnd;
};
