#include "views/common/ColorListControl.h"

#include "foundation/PrivateMessages.h"
#include "views/common/ListHandler.h"

WindowClass ColorListControl::GetWindowClass()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    return {.name = L"ColorListCtrl", .baseName = WC_LISTVIEWW};
}

ColorListControl::~ColorListControl()
{
    if (IsWindow())
        DestroyWindow();
}

HWND ColorListControl::Create(HWND dropDown, HWND owner, const std::vector<ColorEntry>* entries)
{
    m_owner = owner;
    m_entries = entries;
    // The icons are ours: the list only borrows them.
    if (!CWindowImpl<ColorListControl>::Create(CreateArgs{
            .parent = dropDown,
            .style = WS_CHILD | WS_VISIBLE | LVS_LIST | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
            .exStyle = WS_EX_TRANSPARENT,
            .rect = {1, 1, 100, 100},
            .id = 1}))
        return nullptr;
    ListView_SetImageList(m_hWnd, m_icons.GetImageList(), LVSIL_SMALL);
    return m_hWnd;
}

void ColorListControl::Fill()
{
    ListView_DeleteAllItems(m_hWnd);
    if (!m_entries)
        return;
    int row = 0;
    for (const ColorEntry& entry : *m_entries) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = row++;
        item.pszText = const_cast<wchar_t*>(entry.name.c_str());
        item.iImage = m_icons.GetIcon(entry.colour);
        item.lParam = entry.data;
        ListView_InsertItem(m_hWnd, &item);
    }
}

void ColorListControl::SelectData(INT_PTR data)
{
    const int count = ListView_GetItemCount(m_hWnd);
    for (int row = 0; row < count; ++row) {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        if (ListView_GetItem(m_hWnd, &item) && item.lParam == data) {
            ListHandler(m_hWnd).SelectItem(row);
            return;
        }
    }
}

LRESULT ColorListControl::OnReflectedNotify(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == LVN_ITEMCHANGED) {
        if (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE)
            m_selectedData = FirstSelectedData();
    } else if (header->code == NM_CLICK) {
        if (ListHandler(m_hWnd).GetFirstSelected() >= 0)
            Choose();
    } else {
        handled = false;
    }
    return 0;
}

LRESULT ColorListControl::OnKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    handled = false; // the list moves its selection as usual
    const bool rowSelected = ListHandler(m_hWnd).GetFirstSelected() >= 0;
    if ((wParam == VK_RETURN || wParam == VK_SPACE) && rowSelected) {
        Choose();
    } else if (wParam == VK_ESCAPE) {
        m_selectedData = -1;
        HideDropDown();
    }
    return 0;
}

LRESULT ColorListControl::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    HideDropDown();
    return 0;
}

INT_PTR ColorListControl::FirstSelectedData() const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = ListHandler(m_hWnd).GetFirstSelected();
    if (item.iItem < 0 || !ListView_GetItem(m_hWnd, &item))
        return -1;
    return item.lParam;
}

void ColorListControl::Choose()
{
    m_selectedData = FirstSelectedData();
    ::SendMessageW(m_owner, WM_COLOR_PICKED, 0, m_selectedData);
    HideDropDown();
}

void ColorListControl::HideDropDown() const
{
    ::ShowWindow(GetParent(), SW_HIDE);
}
