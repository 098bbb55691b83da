// Reflection: a parent hands its child controls' notifications back to them as OCM_ messages.
#pragma once

#include <windows.h>
#include <olectl.h>

bool IsReflectableMessage(UINT message);

// Sends OCM__BASE + message to the control the notification came from and
// returns its answer; handled is cleared when no control can be found.
LRESULT ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
