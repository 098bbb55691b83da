// CWindowImplRoot: a window object that receives its window's messages through its message map.
#pragma once

#include <windows.h>

#include "winlib/MessageMap.h"
#include "winlib/Window.h"

class CWindowImplRoot : public CWindow, public CMessageMap {
public:
    CWindowImplRoot() = default;
    CWindowImplRoot(const CWindowImplRoot&) = delete;
    CWindowImplRoot& operator=(const CWindowImplRoot&) = delete;
    // Unhooks the object from its window before anything else, so that no
    // message reaches a half-destroyed object; then destroys a window of its own.
    virtual ~CWindowImplRoot();

    // Called once the window is gone (after WM_NCDESTROY has been handled to
    // the end); an object that lives on the heap may delete itself here.
    virtual void OnFinalMessage(HWND) {}

    // Routes the messages of an existing window (a dialog's control) through
    // this map first; the control's own procedure stays its default.
    bool SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();

    // The default processing of a message that the map leaves unhandled.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message being handled; null outside a handler.
    const MSG* GetCurrentMessage() const { return m_currentMessage; }

protected:
    // Ties a window of a registered class to this object (at WM_NCCREATE).
    void AttachToClassWindow(HWND hwnd, int slot, WNDPROC baseProc);
    LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    void Unhook();

    WNDPROC m_baseProc = ::DefWindowProcW;
    int m_slot = -1; // -1: subclassed, not a window of our class
    bool m_subclassed = false;
    int m_depth = 0;
    bool m_destroyed = false;
    const MSG* m_currentMessage = nullptr;
};
