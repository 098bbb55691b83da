#include "dialogs/GoalsDialog.h"

#include <commctrl.h>

#include "dialogs/TranslatedOrKey.h"

void CGoalsDialog::OnInitDialog()
{
    const HWND list = List();
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    const EString heading = TranslatedOrKey(L"Goal");
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(heading.c_str());
    ListView_InsertColumn(list, 0, &column);
    // The item data is the candidate's index: the vector is not changed while the dialog runs.
    for (size_t i = 0; i < candidates.size(); ++i) {
        const EString name = candidates[i].GetName();
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(name.c_str());
        item.lParam = static_cast<LPARAM>(i);
        ListView_InsertItem(list, &item);
    }
    FitColumn();
}

void CGoalsDialog::FitColumn()
{
    RECT client = {};
    ::GetClientRect(List(), &client);
    ListView_SetColumnWidth(List(), 0, client.right - client.left);
}

// With nothing selected the click is swallowed and the dialog stays open.
LRESULT CGoalsDialog::OnPick(WORD, WORD, HWND, bool& handled)
{
    chosen.clear();
    for (int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(List(), row, LVNI_SELECTED)) {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        if (ListView_GetItem(List(), &item) && item.lParam >= 0 && static_cast<size_t>(item.lParam) < candidates.size())
            chosen.push_back(candidates[static_cast<size_t>(item.lParam)]);
    }
    handled = chosen.empty();
    return 0;
}

// The column takes the list's width from before the resize map moves it.
LRESULT CGoalsDialog::OnSize(UINT, WPARAM, LPARAM, bool& handled)
{
    if (List())
        FitColumn();
    handled = false;
    return 0;
}

LRESULT CGoalsDialog::OnItemChanged(int, NMHDR* header, bool&)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (change->uChanged & LVIF_STATE)
        CWindow(GetDlgItem(IDOK)).EnableWindow(ListView_GetSelectedCount(List()) > 0);
    return 0;
}

LRESULT CGoalsDialog::OnDoubleClick(int, NMHDR*, bool&)
{
    PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    return 0;
}

bool ChooseGoals(const std::vector<Goal>& offered, std::vector<Goal>& chosen)
{
    CGoalsDialog dialog;
    dialog.candidates = offered;
    if (dialog.DoModal() != IDOK)
        return false;
    chosen = dialog.chosen;
    return true;
}
