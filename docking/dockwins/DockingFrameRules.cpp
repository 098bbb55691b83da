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

SIZE FrameMinTrackSize(SIZE packageMinimum, const RECT& window, const RECT& client, const RECT& insideBars,
                       SIZE autoHideBars)
{
    // A client or a room squeezed below nothing (a minimised frame) adds no negative size.
    const auto extent = [](LONG from, LONG to) { return std::max<LONG>(0, to - from); };
    const LONG clientWidth = extent(client.left, client.right);
    const LONG clientHeight = extent(client.top, client.bottom);
    const LONG aroundX = extent(clientWidth, extent(window.left, window.right)) +
                         extent(extent(insideBars.left, insideBars.right), clientWidth) + autoHideBars.cx;
    const LONG aroundY = extent(clientHeight, extent(window.top, window.bottom)) +
                         extent(extent(insideBars.top, insideBars.bottom), clientHeight) + autoHideBars.cy;
    return {packageMinimum.cx + aroundX, packageMinimum.cy + aroundY};
}

} // namespace dockwins
