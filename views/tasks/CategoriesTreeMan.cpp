#include "views/tasks/CategoriesTreeMan.h"

#include <vector>

#include "foundation/Language.h"
#include "views/tasks/TreeViewHandler.h"

EString CategoriesTreeMan::RootName()
{
    const EString text = Resource::Translate(L"RootName");
    return text.empty() ? EString(L"All categories") : text;
}

bool CategoriesTreeMan::LoadImages()
{
    return m_tree && CTreeViewHandler(m_tree).LoadImages(m_images, kIconIds);
}

void CategoriesTreeMan::FillTree()
{
    if (!m_tree)
        return;
    TreeView_DeleteAllItems(m_tree);
    const CTreeViewHandler tree(m_tree);
    EString rootText = RootName();
    const HTREEITEM root = tree.InsertItem(TVI_ROOT, rootText.c_str(), 0);
    if (!root)
        return;
    AddChildren(root, 0);
    TreeView_Expand(m_tree, root, TVE_EXPAND);
}

void CategoriesTreeMan::AddChildren(HTREEITEM parent, int categoryId)
{
    if (!m_document)
        return;
    std::vector<Category> children;
    m_document->GetSubCategories(categoryId, children);
    for (const Category& child : children) {
        if (!m_document->IsCategoryShown(child))
            continue;
        if (const HTREEITEM item = InsertCategory(parent, child))
            AddChildren(item, child.GetId());
    }
}

HTREEITEM CategoriesTreeMan::InsertCategory(HTREEITEM parent, const Category& category)
{
    return CTreeViewHandler(m_tree).InsertItem(parent, category.GetName().c_str(), category.GetId());
}

bool CategoriesTreeMan::SelectCategory(int categoryId)
{
    return m_tree && CTreeViewHandler(m_tree).SelectByData(categoryId);
}

int CategoriesTreeMan::GetSelectedCategory() const
{
    return m_tree ? static_cast<int>(CTreeViewHandler(m_tree).GetSelectedData()) : 0;
}

void CategoriesTreeMan::OnGetDispInfo(NMTVDISPINFOW* info) const
{
    CTreeViewHandler(m_tree).SetChildrenFlag(info);
}
