// Private messages between the document, its views and the main frame.
#pragma once

#include <windows.h>

// Posted once by the main frame at the end of its creation; wParam: the menu
// that holds the recent-document items. The document opens its first plan.
constexpr UINT WM_PELQUORN_START_OPEN = WM_USER + 25;
// A command's state for the main frame's toolbars and menus; lParam points
// to a CommandUiState.
constexpr UINT WM_PELQUORN_COMMAND_STATE = WM_USER + 26;
// The document changed: command states are refreshed. Sent to the main window
// when a view becomes active, posted to the active view after a notification.
constexpr UINT WM_PELQUORN_DOC_CHANGED = WM_USER + 27;
// wParam 1 while no category is selected: the frame enables the filters
// that only apply then.
constexpr UINT WM_MAINFRAME_ENABLE_FILTERS = WM_USER + 110;
// The moods changed: the frame rebuilds its mood buttons.
constexpr UINT WM_MAINFRAME_MOODS_CHANGED = WM_USER + 112;

struct CommandUiState {
    int checked;
    int enabled;
    int commandId;
};
