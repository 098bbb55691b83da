// CategoriesTreeMan: puts the document's categories into a tree-view control, under one root item for all of them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "document/ICategoryReader.h"
#include "document/model/Category.h"
#include "resources/IconIds.h"
#include "views/common/TreeViewHandler.h"
#include "winlib/ImageList.h"

// Each item's data is its category's id; the root's is 0, which the
// document takes as the top level. Used by the category tree and by the
// dialog that browses for a category.
class CategoriesTreeMan {
public:
    // Closed and open folder.
    static constexpr unsigned kIconIds[] = {IDI_CATEGORY, IDI_CATEGORY_OPEN};

    CategoriesTreeMan() = default;
    virtual ~CategoriesTreeMan() = default;
    CategoriesTreeMan(const CategoriesTreeMan&) = delete;
    CategoriesTreeMan& operator=(const CategoriesTreeMan&) = delete;

    void SetTreeCtrl(HWND tree) { m_tree = tree; }
    void SetDocument(ICategoryReader* document) { m_document = document; }
    HWND GetTreeCtrl() const { return m_tree; }

    // A shown category and the category it stands in (0: the top level).
    struct ShownCategory {
        int parentId = 0;
        Category category;
    };

    // The two folder pictures as the control's normal image list, owned here.
    bool LoadImages();
    // Empties the control, inserts the root and every shown category, and
    // expands the root. Only the root without a document.
    void FillTree();
    void FillTree(const std::vector<ShownCategory>& shown);
    // The shown categories below the category, each before its own
    // subcategories, in the document's order. A hidden (completed) category
    // hides its branch.
    void ReadShownCategories(int categoryId, std::vector<ShownCategory>& shown);
    // The items FillTree makes of them, the root included, as the tree lists its own.
    static std::vector<TreeItemRecord> RecordsOf(const std::vector<ShownCategory>& shown);
    HTREEITEM InsertCategory(HTREEITEM parent, const Category& category);
    // Selects the item of the category, opening the way to it, and makes it
    // visible; the root when it is not there (false) or the id is 0.
    bool SelectCategory(int categoryId);
    // 0 for the root or when nothing is selected.
    int GetSelectedCategory() const;
    // The child-count callback: a button exactly where an item has children.
    void OnGetDispInfo(NMTVDISPINFOW* info) const;

    // The root's text.
    static EString RootName();

private:
    // Under `parent`, the items of the shown categories below `categoryId`.
    void InsertShown(HTREEITEM parent, int categoryId, const std::vector<ShownCategory>& shown);

    HWND m_tree = nullptr;             // not owned
    ICategoryReader* m_document = nullptr; // not owned
    CImageList m_images;
};
