// sstate: reading a pane's stored docking position, which the registry hands us as outside input.
#pragma once

#include <windows.h>

#include <optional>

#include "docking/dockwins/DockingPosition.h"
#include "docking/sstate/State.h"

namespace sstate {

// All fields zero, as a pane fills it: a floating pane leaves its side alone.
inline DockingPosition ZeroedPosition()
{
    DockingPosition position;
    position.side = dockwins::CDockingSide(0);
    return position;
}

// Sizes and floating coordinates grown with the screen, truncated toward
// zero: rows and lengths of a docked window by the ratio along their axis,
// the floating rectangle always. False when a product leaves the int range.
bool ScaleDockingPosition(DockingPosition& position, float xRatio, float yRatio);

// The floating rectangles of a (scaled) record moved into the work area: a
// record of a larger screen, or of a window dropped half off it, must not
// bring back a window no mouse can take hold of, nor one hanging below the
// screen by its caption. The window rectangle counts only where a floating
// side places the window by it.
void KeepFloatingInWorkArea(DockingPosition& position);

// Whether a (scaled) record can be applied on this screen: only the known
// side flags, a row and ratio in range, sizes no larger than the screen and
// rectangles that show at least part of themselves on it. The window
// rectangle of a floating side counts only where the window is placed by it.
bool IsPlausibleDockingPosition(const DockingPosition& position, const RECT& screen);

// The record stored under the name, as stored (unscaled), when it is a
// 60-byte binary value that makes sense on this screen once scaled.
std::optional<DockingPosition> ReadDockingPosition(HKEY key, const wchar_t* name, const IMainState& mainState,
                                                   const RECT& screen);

} // namespace sstate
