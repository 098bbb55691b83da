// dockwins: where a floating docking window may stand: in the work area of its monitor, where the mouse reaches it.
#pragma once

#include <windows.h>

namespace dockwins {

// The rectangle moved (never resized) into the work area of its nearest
// monitor: a window taller or wider than the area keeps its caption and its
// left edge in it. An empty rectangle, which stands for none, stays as it is.
RECT KeepInWorkArea(const RECT& windowRect);

} // namespace dockwins
