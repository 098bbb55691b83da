// ColorEntry: one named colour of a colour picker, with the swatch the button shows for it.
#pragma once

#include <windows.h>

#include "foundation/EString.h"
#include "winlib/GdiObject.h"

struct ColorEntry {
    EString name;
    COLORREF colour = 0;
    INT_PTR data = 0; // the owner's value (a mood id)
    SIZE swatchSize = {};
    CBitmap swatch; // made on first use

    // The swatch bitmap, made once; null when it cannot be made.
    HBITMAP Swatch();
};
