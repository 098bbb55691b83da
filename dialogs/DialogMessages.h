// Private messages of the dialog base.
#pragma once

#include <windows.h>

// Posted to itself at initialisation: the saved rectangle is restored once
// WM_INITDIALOG has returned and the dialog has its final size.
constexpr UINT WM_DIALOG_RESTORE_RECT = WM_USER + 108;
