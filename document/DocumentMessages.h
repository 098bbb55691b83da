// Private messages between the document, its views and the main frame.
#pragma once

#include <windows.h>

// Posted once by the main frame at the end of its creation; wParam: the menu
// that holds the recent-document items. The document opens its first plan.
constexpr UINT WM_PELQUORN_START_OPEN = WM_USER + 25;
// The document changed: command states are refreshed. Sent to the main window
// when a view becomes active, posted to the active view after a notification.
constexpr UINT WM_PELQUORN_DOC_CHANGED = WM_USER + 27;
