// The deadlines calendar's context menu and the commands only it answers; the program's resource script includes them.
#pragma once

#define IDR_CALENDAR_MENU 165
#define ID_CALENDAR_SHOW_TODAY 32864
#define ID_CALENDAR_DATE_FILTER 32865
#define ID_CALENDAR_STATUS_FILTER 32867
