// ModelessWindow: a modeless dialog the document offers keyboard messages to while it has the focus.
#pragma once

#include <windows.h>

#include "winlib/MessageFilter.h"
#include "winlib/Window.h"

// Not owned: the view that made the dialog clears it before the dialog goes.
class ModelessWindow {
public:
    ModelessWindow() = default;
    // Any dialog of the program: a window that is its own message filter.
    template <class Dialog>
    static ModelessWindow Of(Dialog* dialog)
    {
        ModelessWindow window;
        window.m_window = dialog;
        window.m_filter = dialog;
        return window;
    }
    ModelessWindow(const CWindow* window, CMessageFilter* filter) : m_window(window), m_filter(filter) {}

    // Offers the message when the window exists, is visible and holds the
    // focus (itself or one of its children); true when it took it.
    bool PreTranslateMessage(MSG* message) const;

private:
    const CWindow* m_window = nullptr;
    CMessageFilter* m_filter = nullptr;
};

// True when the window exists, is visible and the focus is in it.
bool HasVisibleFocus(HWND window);
