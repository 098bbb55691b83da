// dockwins: where a floating docking window may stand: with its caption in the work area, where the mouse reaches it.
#pragma once

#include <windows.h>

namespace dockwins {

// The rectangle moved (never resized) so that the caption band at its top,
// frame included, lies inside the work area of the caption's nearest
// monitor; an empty rectangle, which stands for none, stays as it is.
RECT KeepCaptionInWorkArea(const RECT& windowRect);

} // namespace dockwins
