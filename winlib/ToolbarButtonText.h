// ToolbarButtonText: the whole text of a toolbar button, however long.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

// Asks the text's length first, so that no fixed buffer is overrun or cut;
// empty when the button has no text or does not exist.
EString ToolbarButtonText(HWND toolbar, UINT commandId);
