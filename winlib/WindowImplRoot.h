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
    // Names the object that the next window of a class made on this thread
    // belongs to, for the time of one CreateWindowEx. The system sends
    // WM_GETMINMAXINFO before WM_NCCREATE, so the object is bound at the
    // window's first message, whichever it is, not at WM_NCCREATE.
    class PendingBinding {
    public:
        PendingBinding(CWindowImplRoot* object, ATOM atom);
        PendingBinding(const PendingBinding&) = delete;
        PendingBinding& operator=(const PendingBinding&) = delete;
        ~PendingBinding();

    private:
        PendingBinding* m_outer;
        CWindowImplRoot* m_object;
        ATOM m_atom;
        friend class CWindowImplRoot;
    };

    // The window procedure of a registered class: ties a new window to its
    // pending object at its first message, then routes to it.
    static LRESULT RouteClassMessage(const RegisteredClass& registered, HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam);

private:
    // The innermost creation under way on this thread (a window may create
    // another from its own WM_CREATE).
    static thread_local PendingBinding* s_pending;

    static CWindowImplRoot* BindPending(const RegisteredClass& registered, HWND hwnd);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    bool Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;

    WNDPROC m_baseProc = ::DefWindowProcW;
};
