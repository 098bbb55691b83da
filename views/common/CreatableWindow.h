// ICreatableWindow: how the main frame creates a view inside a pane and drives its window.
#pragma once

#include <windows.h>

// The window operations are named apart from CWindow's, so that a view,
// which is both, calls either without naming the base.
class ICreatableWindow {
public:
    virtual ~ICreatableWindow() = default;

    // Creates the view's window as a child of `parent`; null when it failed.
    virtual HWND Create(HWND parent) = 0;
    virtual HWND GetHwnd() const = 0;
    virtual LRESULT SendViewMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual bool PostViewMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual bool KillViewTimer(UINT_PTR timerId) = 0;
    // A plain window timer: WM_TIMER reaches the view's message map.
    virtual bool SetViewTimer(UINT_PTR timerId, UINT elapseMs) = 0;
};
