// The docking frame's size rules, apart from its windows: the floating size limit and the frame's minimum.
#pragma once

#include <windows.h>

namespace dockwins {

// A dragged window's rectangle keeps its left and top; it is cut to a third
// of the frame's client in each direction, then raised to the system's
// minimum, so on a tiny frame the system's minimum wins.
void LimitFloatingRect(RECT& rect, SIZE client, SIZE systemMinimum);

// The frame's minimum tracking size: the docked layout's minimum plus the
// frame's border and caption (window less client), its tool and status bars
// (client less `insideBars`) and the auto-hide bars, each counted once and
// whatever size the frame has now.
SIZE FrameMinTrackSize(SIZE packageMinimum, const RECT& window, const RECT& client, const RECT& insideBars,
                       SIZE autoHideBars);

} // namespace dockwins
