// sstate: whether a stored rectangle can be shown on the screen there is now.
#pragma once

#include <windows.h>

namespace sstate {

// The desktop a layout has to fit: the bounds of all monitors.
RECT VirtualScreen();

// Wide and high enough to show, no larger than the screen, and not off it.
bool RectFitsScreen(const RECT& rect, const RECT& screen);

} // namespace sstate
