#include "docking/dockwins/FloatingPlacement.h"

#include <algorithm>

#include "foundation/WindowState.h"

namespace dockwins {

namespace {

// A floating pane's frame and small caption above its client.
LONG CaptionBandHeight()
{
    RECT frame = {};
    ::AdjustWindowRectEx(&frame, WS_POPUP | WS_OVERLAPPEDWINDOW, FALSE, WS_EX_TOOLWINDOW);
    return -frame.top;
}

} // namespace

RECT KeepCaptionInWorkArea(const RECT& windowRect)
{
    if (::IsRectEmpty(&windowRect))
        return windowRect;
    RECT caption = windowRect;
    caption.bottom = caption.top + std::min(CaptionBandHeight(), windowRect.bottom - windowRect.top);
    const RECT fitted = FitRectToMonitor(caption);
    RECT moved = windowRect;
    ::OffsetRect(&moved, fitted.left - caption.left, fitted.top - caption.top);
    return moved;
}

} // namespace dockwins
