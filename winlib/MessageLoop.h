// CMessageLoop: the user-interface thread's message loop with its message filters and idle handlers.
#pragma once

#include <windows.h>

#include "winlib/IdleHandler.h"
#include "winlib/LoopMemberList.h"
#include "winlib/MessageFilter.h"

class CMessageLoop {
public:
    CMessageLoop() = default;
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;
    virtual ~CMessageLoop();

    // The loop that windows register with; the program registers one before
    // it creates its main window. Null when none is registered.
    static CMessageLoop* Registered();
    void Register();

    void AddMessageFilter(CMessageFilter* filter);
    void RemoveMessageFilter(CMessageFilter* filter);
    void AddIdleHandler(CIdleHandler* handler);
    void RemoveIdleHandler(CIdleHandler* handler);

    // Runs until WM_QUIT; returns its exit code.
    int Run();

    // Offers the message to the filters, the last added first.
    bool PreTranslateMessage(MSG* message);
    // Calls every idle handler once; true when one of them has more to do.
    bool OnIdle(int idleCount);
    // False for the messages that change nothing worth an idle pass: a mouse
    // move that did not move, a paint and the caret blink.
    bool IsIdleMessage(const MSG& message);

private:
    // A filter may remove itself while it is asked (a dialog that closes on
    // its key), or add another.
    LoopMemberList<CMessageFilter> m_filters;
    LoopMemberList<CIdleHandler> m_idleHandlers;
    POINT m_lastMousePoint = {-1, -1};
    UINT m_lastMouseMessage = 0;
};
