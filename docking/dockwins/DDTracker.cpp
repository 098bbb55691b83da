#include "docking/dockwins/DDTracker.h"

#include <windowsx.h>

namespace {

// Mouse messages carry client coordinates; for keys, where the cursor was.
POINT MessagePoint(const MSG& message, HWND window)
{
    if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST)
        return {GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    POINT point = message.pt;
    ::ScreenToClient(window, &point);
    return point;
}

} // namespace

bool TrackDragAndDrop(IDDTracker& tracker, HWND window)
{
    bool canceled = false;
    tracker.BeginDrag();
    ::SetCapture(window);
    MSG message = {};
    while (::GetCapture() == window) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: the loop outside must see it too.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        if (tracker.ProcessWindowMessage(&message))
            continue;
        const POINT point = MessagePoint(message, window);
        switch (message.message) {
        case WM_MOUSEMOVE:
            tracker.OnMove(point.x, point.y);
            break;
        case WM_LBUTTONUP:
            ::ReleaseCapture();
            tracker.OnDropLeftButton(point.x, point.y);
            break;
        case WM_RBUTTONUP:
            ::ReleaseCapture();
            tracker.OnDropRightButton(point.x, point.y);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            ::ReleaseCapture();
            tracker.OnCancelDrag(point.x, point.y);
            canceled = true;
            break;
        case WM_KEYDOWN:
            if (message.wParam == VK_ESCAPE) {
                ::ReleaseCapture();
                tracker.OnCancelDrag(point.x, point.y);
                canceled = true;
            }
            break;
        case WM_SYSKEYDOWN:
            ::ReleaseCapture();
            tracker.OnCancelDrag(point.x, point.y);
            canceled = true;
            ::DispatchMessageW(&message);
            break;
        default:
            ::DispatchMessageW(&message);
            break;
        }
    }
    // Canceled inside the loop, the capture may still be ours.
    if (::GetCapture() == window)
        ::ReleaseCapture();
    tracker.EndDrag(canceled);
    return !canceled;
}
