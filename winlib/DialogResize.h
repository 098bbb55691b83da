// CDialogResize<T>: keeps a dialog's controls anchored to its edges as it is resized, above a minimum size.
//
//   BEGIN_RESIZE_MAP(CMyDialog)
//       RESIZE_CONTROL(IDC_NOTES, ResizeSizeX | ResizeSizeY)
//       RESIZE_CONTROL(IDOK, ResizeMoveX | ResizeMoveY)
//   END_RESIZE_MAP()
#pragma once

#include <windows.h>

#include <iterator>
#include <span>
#include <vector>

#include "foundation/MessageMap.h"

enum ResizeFlags : unsigned {
    ResizeMoveX = 1, // keeps its distance to the right edge
    ResizeMoveY = 2, // keeps its distance to the bottom edge
    ResizeSizeX = 4, // grows with the width
    ResizeSizeY = 8, // grows with the height
};

struct ResizeEntry {
    int id;
    unsigned flags;
};

// Where a control that stood at `initial` goes when the client area grew by dx, dy.
RECT ResizedControlRect(const RECT& initial, unsigned flags, int dx, int dy);

#define BEGIN_RESIZE_MAP(Class)                                                                                    \
    static std::span<const ResizeEntry> GetResizeMap()                                                             \
    {                                                                                                              \
        static const ResizeEntry entries[] = {
#define RESIZE_CONTROL(id, flags) {id, flags},
#define END_RESIZE_MAP()                                                                                           \
    {0, 0}                                                                                                         \
    }                                                                                                              \
    ;                                                                                                              \
    return std::span<const ResizeEntry>(entries, std::size(entries) - 1);                                          \
    }

template <class T>
class CDialogResize {
public:
    // Records where the controls stand now. The window's present size becomes
    // its minimum tracking size when asked; WS_CLIPCHILDREN spares flicker.
    void DlgResize_Init(bool useMinTrackSize = true, bool forceClipChildren = true)
    {
        const HWND dialog = Dialog();
        if (forceClipChildren)
            ::SetWindowLongPtrW(dialog, GWL_STYLE, ::GetWindowLongPtrW(dialog, GWL_STYLE) | WS_CLIPCHILDREN);
        RECT window = {};
        ::GetWindowRect(dialog, &window);
        m_minTrackSize = useMinTrackSize ? SIZE{window.right - window.left, window.bottom - window.top} : SIZE{0, 0};
        RECT client = {};
        ::GetClientRect(dialog, &client);
        m_initialClient = {client.right, client.bottom};
        m_controls.clear();
        for (const ResizeEntry& entry : T::GetResizeMap()) {
            const HWND control = ::GetDlgItem(dialog, entry.id);
            if (!control)
                continue;
            RECT rect = {};
            ::GetWindowRect(control, &rect);
            ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
            m_controls.push_back({entry.id, entry.flags, rect});
        }
    }

    void DlgResize_UpdateLayout(int width, int height)
    {
        const HWND dialog = Dialog();
        if (m_controls.empty())
            return;
        HDWP positions = ::BeginDeferWindowPos(static_cast<int>(m_controls.size()));
        for (const Control& control : m_controls) {
            const RECT rect = ResizedControlRect(control.initial, control.flags, width - m_initialClient.cx,
                                                 height - m_initialClient.cy);
            if (positions)
                positions = ::DeferWindowPos(positions, ::GetDlgItem(dialog, control.id), nullptr, rect.left, rect.top,
                                             rect.right - rect.left, rect.bottom - rect.top,
                                             SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (positions)
            ::EndDeferWindowPos(positions);
        ::InvalidateRect(dialog, nullptr, TRUE);
    }

    BEGIN_MIXIN_MESSAGE_MAP(CDialogResize)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
    END_MESSAGE_MAP()

private:
    struct Control {
        int id;
        unsigned flags;
        RECT initial;
    };

    HWND Dialog() const { return static_cast<const T*>(this)->m_hWnd; }

    LRESULT OnSize(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        if (wParam != SIZE_MINIMIZED)
            DlgResize_UpdateLayout(LOWORD(lParam), HIWORD(lParam));
        handled = false;
        return 0;
    }
    LRESULT OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool& handled)
    {
        if (m_minTrackSize.cx > 0) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {m_minTrackSize.cx, m_minTrackSize.cy};
            return 0;
        }
        handled = false;
        return 0;
    }

    std::vector<Control> m_controls;
    SIZE m_initialClient = {0, 0};
    SIZE m_minTrackSize = {0, 0};
};
