// Keeping the keyboard focus where it was when a docking window hides or closes.
#pragma once

#include <windows.h>

namespace dockwins {

// The last window up the parent chain; for an owned pop-up GetParent gives
// the owner, so a docking window's top-most ancestor is the docking frame.
HWND TopMostAncestor(HWND window);

// After a window hid or closed: when the focus moved away from `before` or
// stayed on a window now hidden, it goes back to `before`, or to `fallback`
// (the window's top-most ancestor, taken before it left its container) when
// `before` is gone or hidden.
void RestoreFocus(HWND before, HWND fallback);

} // namespace dockwins
