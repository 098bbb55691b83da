#include "foundation/Reflection.h"

namespace {

HWND SourceControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsReflectableMessage(message))
        return nullptr;
    switch (message) {
    case WM_NOTIFY:
        return reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY)
            return reinterpret_cast<HWND>(lParam);
        return ::GetDlgItem(parent, HIWORD(wParam));
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? nullptr : ::GetDlgItem(parent, static_cast<int>(item->CtlID));
    }
    case WM_COMPAREITEM:
        return reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_DELETEITEM:
        return reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem;
    default:
        // Commands, scrolls, colour requests and list keys carry the control itself.
        return reinterpret_cast<HWND>(lParam);
    }
}

} // namespace

bool IsReflectableMessage(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    }
    return false;
}

LRESULT ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    const HWND control = SourceControl(parent, message, wParam, lParam);
    // Menu commands and accelerators carry no control; they are not ours to reflect.
    if (!control || control == parent) {
        handled = false;
        return 0;
    }
    return ::SendMessageW(control, OCM__BASE + message, wParam, lParam);
}
