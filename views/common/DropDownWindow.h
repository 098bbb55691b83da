// CDropDownWindow: a bordered popup that holds one child control and sizes it to itself.
#pragma once

#include <windows.h>

#include "foundation/MessageMap.h"
#include "winlib/WindowImpl.h"

class CDropDownWindow : public CWindowImpl<CDropDownWindow> {
public:
    static WindowClass GetWindowClass() { return {.name = L"DropDownWindow"}; }

    // Hidden until its owner shows it.
    HWND Create(HWND owner);

    // The child's notifications go back to it.
    BEGIN_MESSAGE_MAP(CDropDownWindow)
        ON_MESSAGE(WM_SIZE, OnSize)
        REFLECT_NOTIFICATIONS()
    END_MESSAGE_MAP()

private:
    LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
};
