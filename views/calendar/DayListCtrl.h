// CDayListCtrl: the report list of the day list, with its hover hint; it hands the pane what the pane answers.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "foundation/PrivateMessages.h"
#include "views/common/CreatableWindow.h"
#include "views/common/YellowTip.h"
#include "foundation/MessageMap.h"
#include "winlib/WindowImpl.h"

class CDayListCtrl : public CWindowImpl<CDayListCtrl> {
public:
    static constexpr UINT kControlId = 10115;
    // Posted to the list itself; wParam: the plan entry whose check box the
    // user changed. The toggle reloads the rows, which must not happen inside
    // the list's own change notification.
    static constexpr UINT WM_DAY_LIST_TOGGLE = ::WM_DAY_LIST_TOGGLE;

    static WindowClass GetWindowClass() { return {.name = L"QuorvaneDayList", .baseName = WC_LISTVIEWW}; }

    CDayListCtrl() = default;
    ~CDayListCtrl() override;

    // The pane: it is activated by the focus and answers the hint's text.
    void SetOwnerView(ICreatableWindow* owner) { m_owner = owner; }
    CYellowTip& GetTip() { return m_tip; }

    std::function<void(int entryId)> onToggleCompleted;
    // The list keeps no check states of its own: a click on a row's check box is told, with its row.
    std::function<void(int row)> onCheckBoxClicked;

    BEGIN_MESSAGE_MAP(CDayListCtrl)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
        ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
        ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
        ON_MESSAGE(WM_LBUTTONDOWN, OnLeftButtonDown)
        ON_MESSAGE(WM_XBUTTONUP, OnToOwner)
        ON_MESSAGE(WM_YELLOWTIP_NEEDTEXT, OnToOwner)
        ON_MESSAGE(WM_DAY_LIST_TOGGLE, OnToggle)
    END_MESSAGE_MAP()

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnContextMenu(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnLeftButtonDown(UINT, WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnToOwner(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnToggle(UINT, WPARAM wParam, LPARAM, bool&);

    CYellowTip m_tip;
    ICreatableWindow* m_owner = nullptr; // not owned
};
