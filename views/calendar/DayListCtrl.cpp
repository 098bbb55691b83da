#include "views/calendar/DayListCtrl.h"

#include "views/common/ListHandler.h"
#include "views/common/ViewMessages.h"

CDayListCtrl::~CDayListCtrl()
{
    if (m_hWnd)
        DestroyWindow();
}

LRESULT CDayListCtrl::OnCreate(UINT, WPARAM, LPARAM, bool& handled)
{
    m_tip.Create(m_hWnd);
    handled = false;
    return 0;
}

LRESULT CDayListCtrl::OnContextMenu(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    ListHandler(m_hWnd).SelectRowForMenu(lParam);
    return ::SendMessageW(GetParent(), message, wParam, lParam);
}

LRESULT CDayListCtrl::OnSetFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    if (m_owner)
        m_owner->SendViewMessage(WM_VIEW_ACTIVATE, 0, 0);
    handled = false;
    return 0;
}

LRESULT CDayListCtrl::OnMouseMove(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    m_tip.OnMouseMove({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    handled = false;
    return 0;
}

LRESULT CDayListCtrl::OnLeftButtonDown(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    handled = false;
    LVHITTESTINFO hit = {};
    hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int row = ListView_HitTest(m_hWnd, &hit);
    if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) && onCheckBoxClicked)
        onCheckBoxClicked(row);
    return 0;
}

LRESULT CDayListCtrl::OnToOwner(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    return m_owner ? m_owner->SendViewMessage(message, wParam, lParam) : 0;
}

LRESULT CDayListCtrl::OnToggle(UINT, WPARAM wParam, LPARAM, bool&)
{
    if (onToggleCompleted)
        onToggleCompleted(static_cast<int>(wParam));
    return 0;
}
