// ValueRefusalNotice: tells the user in words that a field holds no value it takes, and what it takes.
#pragma once

#include <windows.h>

#include "foundation/EString.h"
#include "winlib/DataExchange.h"

// The words of the notice: the field by its label, what it holds (or that
// it is empty), what it takes, and that nothing was saved.
EString ValueRefusalText(const EString& label, const EString& held, const FieldRule& rule);
// That notice in a message box over the dialog.
void TellValueRefused(HWND dialog, int fieldId, const FieldRule& rule);
