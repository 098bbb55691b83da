#include "docking/commandbar/XPMenuMetrics.h"

#include <algorithm>
#include <cstdlib>

SIZE ImageCellSize(SIZE image)
{
    return {image.cx + 6, image.cy + 6};
}

SIZE MeasureXPMenuItem(bool separator, SIZE text, int fontHeight, SIZE imageCell, int menuCheckWidth)
{
    if (separator)
        return {0, 5};
    const LONG height = std::max<LONG>(std::abs(fontHeight) + 10, imageCell.cy + 2);
    return {text.cx + 2 * imageCell.cx + 14 - menuCheckWidth, height};
}
