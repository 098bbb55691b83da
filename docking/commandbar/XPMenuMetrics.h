// XPMenuMetrics: the sizes of the XP look's image cells and owner-drawn menu items.
#pragma once

#include <windows.h>

// The square an image sits in: the image and 3 pixels all round.
SIZE ImageCellSize(SIZE image);

// An owner-drawn item's size: a separator is 5 high and 0 wide; another item
// is as high as its font plus 10 or its image cell plus 2, whichever is more,
// and as wide as its text with an image cell on both sides and 14 pixels,
// less the check-mark width the system adds on its own.
SIZE MeasureXPMenuItem(bool separator, SIZE text, int fontHeight, SIZE imageCell, int menuCheckWidth);
