// The private messages between a document view, its own window and the main frame.
#pragma once

#include <windows.h>

#include "winlib/ForwardMessage.h"

// The frame offers a WM_COMMAND to the active view; lParam points to the
// command as a ForwardedMessage. A non-zero answer means the view took it.
// The same number as the loop's forwarding message, whose record it shares.
constexpr UINT WM_PELQUORN_FORWARD_COMMAND = WM_FORWARDMSG;
// A view's set-up after its creation, posted to itself. It shares its number
// with WM_PELQUORN_COMMAND_STATE, which only the main frame receives.
constexpr UINT WM_VIEW_DEFERRED_INIT = WM_USER + 26;
// To the main frame before a context menu shows; wParam: the popup, whose
// items the frame enables and checks.
constexpr UINT WM_PELQUORN_PREPARE_MENU = WM_USER + 29;
// To the main frame before a view pushes its command states: the frame
// disables every command the views had named.
constexpr UINT WM_PELQUORN_RESET_COMMANDS = WM_USER + 45;
// To a view itself; wParam: the drop source of the OLE drag to run.
constexpr UINT WM_PELQUORN_START_DRAG = WM_USER + 100;
// To the main frame; wParam: the popup, lParam: the POINT on the screen. The
// frame shows the menu and carries out the chosen command.
constexpr UINT WM_PELQUORN_TRACK_MENU = WM_USER + 131;
// To a view; wParam: the menu resource id, lParam: the screen point packed
// as two signed 16-bit values, x low.
constexpr UINT WM_VIEW_CONTEXT_MENU = WM_USER + 132;
// To a view: it becomes the document's window.
constexpr UINT WM_VIEW_ACTIVATE = WM_USER + 133;

// The command the frame forwards: the window, message, wParam and lParam of
// the loop's MSG, which the frame passes as it is.
using ForwardedMessage = MSG;
