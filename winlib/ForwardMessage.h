// WM_FORWARDMSG: a message of the loop offered to a window (a docked pane's view) before it is dispatched.
#pragma once

#include <windows.h>

#include "foundation/MessageMap.h"

constexpr UINT WM_FORWARDMSG = 0x037F;

// True when the window took the message; a window that does not know the
// request answers 0 through its default processing.
inline bool ForwardMessage(HWND to, MSG* message)
{
    return ::SendMessageW(to, WM_FORWARDMSG, 0, reinterpret_cast<LPARAM>(message)) != 0;
}

// Map entry: `bool OnX(MSG* message)` answers the forwarded message (true: taken).
#define ON_FORWARDED_MESSAGE(handler)                                                                              \
    if (message == WM_FORWARDMSG && lParam)                                                                        \
        WINLIB_CALL_HANDLER(handler(reinterpret_cast<MSG*>(lParam)) ? TRUE : FALSE)
