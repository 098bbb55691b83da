// CMessageDispatcher: the core of window and dialog objects: hooked to one window, routing its messages to a map.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "foundation/MessageMap.h"
#include "winlib/Window.h"

class CMessageDispatcher : public CWindow, public CMessageMap {
public:
    CMessageDispatcher() = default;
    CMessageDispatcher(const CMessageDispatcher&) = delete;
    CMessageDispatcher& operator=(const CMessageDispatcher&) = delete;
    // Unhooks the object from its window before anything else, so that no
    // message reaches a half-destroyed object; then destroys a window of its
    // own (a subclassed control belongs to its dialog and goes with it).
    virtual ~CMessageDispatcher();

    // Called once the window is gone (after WM_NCDESTROY has been handled to
    // the end); an object that lives on the heap may delete itself here.
    virtual void OnFinalMessage(HWND) {}

    // The message being handled; null outside a handler.
    const MSG* GetCurrentMessage() const { return m_currentMessage; }

    // The object lets go of its window at WM_NCDESTROY, and one that deletes
    // itself there is gone when the system returns: unlike a plain handle's,
    // this one touches nothing afterwards.
    bool DestroyWindow() { return ::DestroyWindow(m_hWnd) != FALSE; }

protected:
    // Stores the object in the window's extra bytes at `offset` (a class's
    // own slot, or DWLP_USER), where the procedure finds it.
    void HookAtOffset(HWND hwnd, int offset);
    // Puts `procedure` in front of an existing window's own, with the object as its data.
    bool HookBySubclass(HWND hwnd, SUBCLASSPROC procedure);
    bool IsSubclassed() const { return m_subclassProc != nullptr; }
    void Unhook();

    // Runs a message through Answer. The nesting depth and the current message
    // are kept by a scope, so a handler that throws leaves them right; the
    // object lets go of its window at WM_NCDESTROY, and the final message
    // waits until the outermost handler has returned: a handler that destroyed
    // its own window must not run on a deleted object. False: left to the
    // system's default (the dialog manager's).
    bool Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The message map, then what a window or a dialog does with the rest.
    virtual bool Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

    // Logs an exception that a handler let out, with the message's name. No
    // exception may cross a window procedure: the system would swallow it
    // half-way through its own work.
    static void LogHandlerException(UINT message);

private:
    class Scope;

    int m_offset = -1;
    SUBCLASSPROC m_subclassProc = nullptr;
    int m_depth = 0;
    bool m_destroyed = false;
    const MSG* m_currentMessage = nullptr;
};
