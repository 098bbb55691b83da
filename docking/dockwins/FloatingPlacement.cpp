#include "docking/dockwins/FloatingPlacement.h"

#include "foundation/WindowState.h"

namespace dockwins {

RECT KeepInWorkArea(const RECT& windowRect)
{
    if (::IsRectEmpty(&windowRect))
        return windowRect;
    return FitRectToMonitor(windowRect);
}

} // namespace dockwins
