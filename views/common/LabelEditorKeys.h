// LabelEditorKeys: the keys an in-place label editor takes before the frame's keyboard table.
#pragma once

#include <windows.h>

// While a label is edited, the keys that edit its text or end the editing
// are the editor's: Enter, Escape, Delete, Insert (Shift+Insert pastes) and
// every Ctrl combination. The keyboard table would turn them into commands
// on the item being renamed. True when the key was dispatched to `editor`.
bool DispatchLabelEditorKey(HWND editor, MSG* message);
