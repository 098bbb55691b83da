// What every deadline picker of the dialogs shows: the user's date format, its day's names, the first day of the week.
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

// In the long date, the names of the picker's weekday and month as text of
// their own widths: the picker pads a name field to the longest name of its
// kind. Due whenever the picker's date is set or changed; the short date has
// no names, and a picker showing no date is left as it is.
void ShowDayNames(HWND picker);
// For a message map, on DTN_DATETIMECHANGE: the date typed, stepped by the
// arrow keys or picked from the calendar.
LRESULT ShowDayNamesOfChange(int id, NMHDR* header, bool& handled);

// For a DDX map: a deadline picker's date, its names shown once it is loaded.
#define DDX_DEADLINE(id, member) \
    DDX_ENTRY(id, DDX_Date(id, member, save) && (save || (ShowDayNames(GetDlgItem(id)), true)))
