// Private messages of the main frame, posted or sent to itself and by its panes.
#pragma once

#include <windows.h>

// Posted by every WM_SIZE: the rebar rows are stretched to the new width.
constexpr UINT WM_MAINFRAME_MAXIMIZE_BANDS = WM_USER + 28;
// wParam: a toolbar of a pane whose buttons take the frame's command states.
constexpr UINT WM_PELQUORN_ADD_TOOLBAR = WM_USER + 30;
// Posted once at the end of creation: the layout is restored and shown.
constexpr UINT WM_MAINFRAME_STARTUP = WM_USER + 75;
// Exit from the menu, the tray menu or a second instance: a real close.
constexpr UINT WM_MAINFRAME_EXIT = WM_USER + 109;
// Posted by the handover: the handed-over path opens after the save prompt.
constexpr UINT WM_MAINFRAME_OPEN_HANDED_OVER = WM_USER + 114;
// Posted after the start-up open: the notification-area icon comes last, as
// the shell can keep a starting program waiting (seconds under Wine).
constexpr UINT WM_MAINFRAME_INSTALL_TRAY_ICON = WM_USER + 115;
// Posted by the deferred start-up when "ShowTipOnSturtup" is on: the tip of
// the day, once no modal window (the goals of a new plan) holds the frame.
constexpr UINT WM_MAINFRAME_SHOW_TIP = WM_USER + 116;
