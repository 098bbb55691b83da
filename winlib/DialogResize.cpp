#include "winlib/DialogResize.h"

RECT ResizedControlRect(const RECT& initial, unsigned flags, int dx, int dy)
{
    RECT rect = initial;
    if (flags & ResizeMoveX) {
        rect.left += dx;
        rect.right += dx;
    } else if (flags & ResizeSizeX) {
        rect.right += dx;
    }
    if (flags & ResizeMoveY) {
        rect.top += dy;
        rect.bottom += dy;
    } else if (flags & ResizeSizeY) {
        rect.bottom += dy;
    }
    // A control never turns inside out, whatever the window did.
    if (rect.right < rect.left)
        rect.right = rect.left;
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    return rect;
}
