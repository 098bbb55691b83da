// CBrowseForCategoryDialog: one category chosen from the document's category tree.
#pragma once

#include <optional>

#include "dialogs/CategoryDialogIds.h"
#include "dialogs/ZemDialogImpl.h"
#include "views/common/CategoriesTreeMan.h"

class CBrowseForCategoryDialog : public CZemDialogImpl<CBrowseForCategoryDialog> {
public:
    enum { IDD = IDD_BROWSE_FOR_CATEGORY };

    EString GetDialogName() override { return L"BrowseForCategory"; }

    BEGIN_MESSAGE_MAP(CBrowseForCategoryDialog)
        ON_NOTIFY(IDC_BROWSE_CATEGORY_TREE, TVN_GETDISPINFOW, OnGetDispInfo)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnChoose)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CBrowseForCategoryDialog>)
    END_MESSAGE_MAP()

    BEGIN_RESIZE_MAP(CBrowseForCategoryDialog)
        RESIZE_CONTROL(IDC_BROWSE_CATEGORY_TREE, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDOK, ResizeMoveX | ResizeMoveY)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX | ResizeMoveY)
    END_RESIZE_MAP()

    void OnInitDialog();

    ICategoryReader* document = nullptr;
    // Selected on opening; after OK the chosen one, empty for the root (all categories).
    std::optional<int> category;

private:
    LRESULT OnGetDispInfo(int, NMHDR* header, bool&);
    LRESULT OnChoose(WORD, WORD, HWND, bool& handled);

    CategoriesTreeMan m_treeMan;
};

// The task dialog's browse: true on OK, with the chosen category (empty for the root).
bool BrowseForCategory(HWND owner, ICategoryReader* document, int currentId, std::optional<int>& chosenId);
