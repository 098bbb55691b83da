#include "views/common/BrowseForCategoryDialog.h"

void CBrowseForCategoryDialog::OnInitDialog()
{
    m_treeMan.SetTreeCtrl(GetDlgItem(IDC_BROWSE_CATEGORY_TREE));
    m_treeMan.SetDocument(document);
    m_treeMan.LoadImages();
    m_treeMan.FillTree();
    m_treeMan.SelectCategory(category.value_or(0));
}

LRESULT CBrowseForCategoryDialog::OnGetDispInfo(int, NMHDR* header, bool&)
{
    m_treeMan.OnGetDispInfo(reinterpret_cast<NMTVDISPINFOW*>(header));
    return 0;
}

// The base ends the dialog after this.
LRESULT CBrowseForCategoryDialog::OnChoose(WORD, WORD, HWND, bool& handled)
{
    const int chosen = m_treeMan.GetSelectedCategory();
    category = chosen != 0 ? std::optional<int>(chosen) : std::nullopt;
    handled = false;
    return 0;
}

bool BrowseForCategory(HWND owner, ICategoryReader* document, int currentId, std::optional<int>& chosenId)
{
    CBrowseForCategoryDialog dialog;
    dialog.document = document;
    dialog.category = currentId;
    if (dialog.DoModal(owner) != IDOK)
        return false;
    chosenId = dialog.category;
    return true;
}
