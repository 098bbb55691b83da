// FileNameLengthGuard: the system's file dialog refuses in words a name whose path would be too long for it.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

// The longest path the dialogs take: MAX_PATH with its terminating NUL.
inline constexpr size_t kMaxDialogPathLength = MAX_PATH - 1;

// The length of the path the dialog makes of the typed text: the text itself
// when it names a drive or a share, behind the folder's drive when it starts
// at the root, else behind the folder; and the default extension with its
// dot unless the text ends with it already.
size_t FormedPathLength(const EString& folder, const EString& typed, const EString& defaultExtension);

// Watches the file dialog (the parent of its hook's dialog, from the hook's
// WM_INITDIALOG) until it goes: OK with a name whose path would be longer
// than kMaxDialogPathLength shows a message box over it that says so and
// keeps the dialog open on the name. Wine's dialog copies the path into
// buffers of MAX_PATH characters of its own: a longer one runs past their
// end and ends the program. The caller keeps defaultExtension (the dialog's,
// empty for none) while the dialog runs.
void GuardFileNameLength(HWND fileDialog, const EString* defaultExtension);
