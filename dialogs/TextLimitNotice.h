// TextLimitNotice: tells the user in words that a field holds more text than it keeps.
#pragma once

#include <windows.h>

// A message box over the dialog: the field, by the label in front of it, the
// length of its text, the most it keeps, and that nothing was saved.
void TellTextTooLong(HWND dialog, int fieldId, int maxLength);
