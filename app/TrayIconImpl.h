// CTrayIconImpl<T>: the notification-area icon as a mix-in of T's window, with T's map chaining to its tray map.
#pragma once

#include "app/TrayIcon.h"
#include "foundation/MessageMap.h"

template <class T>
class CTrayIconImpl : public TrayIcon {
public:
    bool InstallIcon(const wchar_t* tipText, HICON icon, UINT id)
    {
        return Install(static_cast<T*>(this)->m_hWnd, tipText, icon, id);
    }

    BEGIN_MIXIN_MESSAGE_MAP(CTrayIconImpl)
        ON_MESSAGE(GetCallbackMessage(), OnTrayIcon)
        ON_MESSAGE(WM_DESTROY, OnDestroyTrayIcon)
    END_MESSAGE_MAP()

    LRESULT OnTrayIcon(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        handled = OnTrayMouse(wParam, lParam);
        return 0;
    }

    // The shell keeps an icon until told otherwise, also after its window is gone.
    LRESULT OnDestroyTrayIcon(UINT, WPARAM, LPARAM, bool& handled)
    {
        RemoveIcon();
        handled = false;
        return 0;
    }
};
