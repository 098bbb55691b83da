// Keeping the keyboard focus where it was when a docking window hides or closes.
#pragma once

#include <windows.h>

namespace dockwins {

// The last window up the parent chain; for an owned pop-up GetParent gives
// the owner, so a docking window's top-most ancestor is the docking frame.
HWND TopMostAncestor(HWND window);

// After `window` hid or closed: when the focus moved away from `before`, it
// goes back there, or to `window`'s top-most ancestor when `before` is gone
// or hidden.
void RestoreFocus(HWND window, HWND before);

} // namespace dockwins
