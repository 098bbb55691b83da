#include "docking/sstate/StoredPlacement.h"

#include <cstring>

#include "docking/sstate/ScreenFit.h"

namespace sstate {

std::optional<WINDOWPLACEMENT> PlacementToStore(HWND window)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(window, &placement))
        return std::nullopt;
    placement.flags = ::IsZoomed(window) ? WPF_RESTORETOMAXIMIZED : 0;
    if (placement.showCmd == SW_SHOWMINIMIZED)
        placement.showCmd = SW_SHOWNORMAL;
    return placement;
}

std::optional<WINDOWPLACEMENT> LoadPlacement(const std::byte* bytes, size_t size, const RECT& screen)
{
    WINDOWPLACEMENT placement = {};
    if (!bytes || size != sizeof(placement))
        return std::nullopt;
    std::memcpy(&placement, bytes, sizeof(placement));
    if (placement.length != sizeof(placement))
        return std::nullopt;
    if ((placement.flags & ~static_cast<UINT>(WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED)) != 0)
        return std::nullopt;
    switch (placement.showCmd) {
    case SW_SHOWNORMAL:
    case SW_SHOWMAXIMIZED:
    case SW_SHOWNOACTIVATE:
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        placement.showCmd = SW_SHOWNORMAL;
        break;
    default: // hidden for good, or no command at all
        return std::nullopt;
    }
    if (!RectFitsScreen(placement.rcNormalPosition, screen))
        return std::nullopt;
    return placement;
}

} // namespace sstate
