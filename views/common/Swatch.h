// A colour swatch: a bitmap filled with one colour inside a one-pixel outline.
#pragma once

#include <windows.h>

#include "winlib/GdiObject.h"

// Null when the bitmap cannot be made.
CBitmap MakeSwatch(COLORREF colour, SIZE size, COLORREF outline);
