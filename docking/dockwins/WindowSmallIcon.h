// SmallIconOf: the small icon a window shows in its caption, its own or its class's.
#pragma once

#include <windows.h>

namespace dockwins {

inline HICON SmallIconOf(HWND window)
{
    auto icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrW(window, GCLP_HICONSM));
    return icon;
}

} // namespace dockwins
