#include "docking/dockwins/DockingFrameRules.h"

#include <algorithm>

namespace dockwins {

namespace {

void LimitExtent(LONG start, LONG& end, LONG third, LONG minimum)
{
    if (end - start > third)
        end = start + third;
    if (end - start < minimum)
        end = start + minimum;
}

} // namespace

void LimitFloatingRect(RECT& rect, SIZE client, SIZE systemMinimum)
{
    LimitExtent(rect.left, rect.right, client.cx / 3, systemMinimum.cx);
    LimitExtent(rect.top, rect.bottom, client.cy / 3, systemMinimum.cy);
}

SIZE FrameMinTrackSize(SIZE packageMinimum, const RECT& window, const RECT& package)
{
    // A package squeezed below nothing (a minimised frame) leaves no negative room.
    const LONG aroundX = (window.right - window.left) - std::max<LONG>(0, package.right - package.left);
    const LONG aroundY = (window.bottom - window.top) - std::max<LONG>(0, package.bottom - package.top);
    return {packageMinimum.cx + std::max<LONG>(0, aroundX), packageMinimum.cy + std::max<LONG>(0, aroundY)};
}

} // namespace dockwins
