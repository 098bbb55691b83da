// MinMaxOf: the sizes a window will take, as it answers WM_GETMINMAXINFO.
#pragma once

#include <windows.h>

namespace dockwins {

inline MINMAXINFO MinMaxOf(HWND window)
{
    MINMAXINFO info = {};
    ::SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

} // namespace dockwins
