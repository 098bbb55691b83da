// What every deadline picker of the dialogs shows: the user's date format and first day of the week.
#pragma once

#include <windows.h>

// The long or the short date, as the options choose.
void ShowDeadlineFormat(HWND picker);
// For DTN_DROPDOWN: the calendar that drops down starts its weeks on the configured day.
void StartWeeksOnConfiguredDay(HWND picker);

// The width that shows the widest date of the picker's format (long or
// short) whole in the picker's own font, with its border and drop-down button.
int DatePickerWidth(HWND picker);
// The picker showing the format of its style, as wide as its dates need
// within the width it has: its template gives it the room of its row.
void FitDatePickerToDates(HWND picker);
