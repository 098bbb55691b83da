#include "docking/dockwins/KeepFocus.h"

namespace dockwins {

HWND TopMostAncestor(HWND window)
{
    HWND top = window;
    for (HWND up = window ? ::GetParent(window) : nullptr; up; up = ::GetParent(up))
        top = up;
    return top;
}

void RestoreFocus(HWND before, HWND fallback)
{
    // The system may leave the focus on the window it just hid.
    const HWND focus = ::GetFocus();
    if (focus == before && focus && ::IsWindowVisible(focus))
        return;
    if (before && ::IsWindow(before) && ::IsWindowVisible(before))
        ::SetFocus(before);
    else if (fallback && ::IsWindow(fallback))
        ::SetFocus(fallback);
}

} // namespace dockwins
