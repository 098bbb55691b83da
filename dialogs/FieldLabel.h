// FieldLabel: the label in front of a dialog's field, as the user reads it.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

// The text of the static just before the field in the tab order, without
// mnemonic marks or a closing colon; empty when no static stands there.
EString FieldLabel(HWND field);
