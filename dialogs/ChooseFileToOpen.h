// ChooseFileToOpen: the system's open-file dialog for one existing file.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

// filter: pairs of a description and a pattern, each ending with a NUL.
// Owned by `owner`, or by the active window when it is null. The chosen
// path, or an empty text when the user cancels.
EString ChooseFileToOpen(const EString& filter, HWND owner);
