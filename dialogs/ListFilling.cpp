#include "dialogs/ListFilling.h"

#include <commctrl.h>

void FillListFromStringList(HWND list, const std::vector<EString>& strings)
{
    for (size_t i = 0; i < strings.size(); ++i)
        InsertListItemText(list, static_cast<int>(i), strings[i]);
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
}

int InsertListItemText(HWND list, int index, const EString& text)
{
    if (index < 0)
        index = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = 0;
    item.lParam = index;
    return static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void FillComboFromStringList(HWND combo, const std::vector<EString>& strings)
{
    for (size_t i = 0; i < strings.size(); ++i)
        InsertComboItem(combo, strings[i], static_cast<int>(i));
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

int InsertComboItem(HWND combo, const EString& text, int number)
{
    if (number < 0)
        number = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0)
        ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), number);
    return static_cast<int>(index);
}
