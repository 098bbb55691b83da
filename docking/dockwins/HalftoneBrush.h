// dockwins::InvertWithHalftone: the dotted outline of drags, drawn and erased by the same call.
#pragma once

#include <windows.h>

namespace dockwins {

// A brush of alternating pixels; null when it cannot be made.
HBRUSH CreateHalftoneBrush();
// Inverts the rectangle through the halftone pattern; nothing when the brush cannot be made.
void InvertWithHalftone(HDC dc, const RECT& rect);
// The four 3-pixel strips along the rectangle's inside edges.
void InvertFrameWithHalftone(HDC dc, const RECT& rect);

} // namespace dockwins
