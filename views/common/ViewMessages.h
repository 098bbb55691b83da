// The private messages between a document view, its own window and the main frame.
#pragma once

#include <windows.h>

#include "foundation/PrivateMessages.h"
#include "winlib/ForwardMessage.h"

// The frame offers a WM_COMMAND to the active view; lParam points to the
// command as a ForwardedMessage. A non-zero answer means the view took it.
// The same number as the loop's forwarding message, whose record it shares.
constexpr UINT WM_PELQUORN_FORWARD_COMMAND = WM_FORWARDMSG;

// The command the frame forwards: the window, message, wParam and lParam of
// the loop's MSG, which the frame passes as it is.
using ForwardedMessage = MSG;
