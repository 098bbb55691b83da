#include "docking/sstate/ScreenFit.h"

namespace sstate {

RECT VirtualScreen()
{
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool RectFitsScreen(const RECT& rect, const RECT& screen)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return false;
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    if (width > screen.right - screen.left || height > screen.bottom - screen.top)
        return false;
    return rect.left < screen.right && rect.right > screen.left && rect.top < screen.bottom &&
           rect.bottom > screen.top;
}

} // namespace sstate
