#include "views/common/DropDownWindow.h"

HWND CDropDownWindow::Create(HWND owner)
{
    return CWindowImpl<CDropDownWindow>::Create(
        CreateArgs{.parent = owner, .style = WS_POPUP | WS_BORDER, .rect = {0, 0, 299, 301}});
}

LRESULT CDropDownWindow::OnSize(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    handled = false;
    if (const HWND child = ::GetWindow(m_hWnd, GW_CHILD)) {
        ::SetWindowPos(child, nullptr, 1, 1, LOWORD(lParam) - 1, HIWORD(lParam) - 1,
                       SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    return 0;
}
