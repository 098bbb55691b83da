#include "views/common/ColorEntry.h"

#include "views/common/Swatch.h"

HBITMAP ColorEntry::Swatch()
{
    if (swatch.IsNull())
        swatch = MakeSwatch(colour, swatchSize, RGB(255, 255, 255));
    return swatch;
}
