#include "docking/dockwins/KeepFocus.h"

namespace dockwins {

HWND TopMostAncestor(HWND window)
{
    HWND top = window;
    for (HWND up = window ? ::GetParent(window) : nullptr; up; up = ::GetParent(up))
        top = up;
    return top;
}

void RestoreFocus(HWND window, HWND before)
{
    if (::GetFocus() == before)
        return;
    if (before && ::IsWindow(before) && ::IsWindowVisible(before))
        ::SetFocus(before);
    else if (const HWND top = TopMostAncestor(window); top && top != window)
        ::SetFocus(top);
}

} // namespace dockwins
