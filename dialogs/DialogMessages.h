// Private messages of the dialog base.
#pragma once

#include <windows.h>

// Posted to itself at initialisation: the saved rectangle is restored once
// WM_INITDIALOG has returned and the dialog has its final size.
constexpr UINT WM_DIALOG_RESTORE_RECT = WM_USER + 108;

// Posted to itself after a list choice changed a member: the controls are
// loaded once the combo box has finished its own notification.
constexpr UINT WM_DIALOG_RELOAD_CONTROLS = WM_USER + 111;
