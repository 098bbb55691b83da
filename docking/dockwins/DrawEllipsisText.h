// dockwins::DrawEllipsisText: a caption's or label's text, shortened with "..." to fit its band.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

namespace dockwins {

// The text as it fits `room` pixels in the DC's font: whole, or a prefix
// followed by "..."; at least one character and "..." however little fits.
EString EllipsisText(HDC dc, const wchar_t* text, int length, int room);

// Draws the text centred across the band: left-aligned in a horizontal
// rectangle, running downwards (a 270-degree font) in a vertical one;
// clipped to the rectangle.
void DrawEllipsisText(HDC dc, const wchar_t* text, int length, const RECT& rect, bool horizontal);

} // namespace dockwins
