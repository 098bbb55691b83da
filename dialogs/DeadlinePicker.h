// What every deadline picker of the dialogs shows: the user's date format and first day of the week.
#pragma once

#include <windows.h>

// The long or the short date, as the options choose.
void ShowDeadlineFormat(HWND picker);
// For DTN_DROPDOWN: the calendar that drops down starts its weeks on the configured day.
void StartWeeksOnConfiguredDay(HWND picker);
