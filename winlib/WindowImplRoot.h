// CWindowImplRoot: a window object that receives its window's messages through its message map.
#pragma once

#include <windows.h>

#include "winlib/MessageDispatcher.h"
#include "winlib/WindowClass.h"

class CWindowImplRoot : public CMessageDispatcher {
public:
    // Routes the messages of an existing window (a dialog's control) through
    // this map first; the control's own procedure stays its default.
    bool SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();

    // The default processing of a message that the map leaves unhandled.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // The window procedure of a registered class: ties a new window to the
    // object that came in lpCreateParams (at WM_NCCREATE), then routes to it.
    static LRESULT RouteClassMessage(const RegisteredClass& registered, HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    bool Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;

    WNDPROC m_baseProc = ::DefWindowProcW;
};
