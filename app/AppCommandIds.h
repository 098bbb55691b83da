// The command ids the main frame answers to; the program's resource header includes them.
#pragma once

// Sent by a second start when the running window is hidden in the
// notification area.
#define ID_APP_RESTORE 32810
#define ID_APP_EXIT 57665
// The notification-area icon's menu, whose id is also the icon's id.
#define IDR_TRAY_MENU 10113
#define ID_TRAY_EXIT 32811
