#include "views/common/CategoriesTreeMan.h"

#include <unordered_map>
#include <vector>

#include "foundation/Language.h"

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
    std::vector<ShownCategory> shown;
    ReadShownCategories(0, shown);
    FillTree(shown);
}

void CategoriesTreeMan::FillTree(const std::vector<ShownCategory>& shown)
{
    if (!m_tree)
        return;
    TreeView_DeleteAllItems(m_tree);
    const CTreeViewHandler tree(m_tree);
    EString rootText = RootName();
    const HTREEITEM root = tree.InsertItem(TVI_ROOT, rootText.c_str(), 0);
    if (!root)
        return;
    InsertShown(root, 0, shown);
    TreeView_Expand(m_tree, root, TVE_EXPAND);
}

void CategoriesTreeMan::ReadShownCategories(int categoryId, std::vector<ShownCategory>& shown)
{
    if (!m_document)
        return;
    std::vector<Category> children;
    m_document->GetSubCategories(categoryId, children);
    for (Category& child : children) {
        if (!m_document->IsCategoryShown(child))
            continue;
        const int id = child.GetId();
        shown.push_back({categoryId, std::move(child)});
        ReadShownCategories(id, shown);
    }
}

void CategoriesTreeMan::InsertShown(HTREEITEM parent, int categoryId, const std::vector<ShownCategory>& shown)
{
    // Each category comes before its subcategories; one that could not be
    // inserted leaves its branch out.
    std::unordered_map<int, HTREEITEM> items = {{categoryId, parent}};
    for (const ShownCategory& entry : shown) {
        const auto under = items.find(entry.parentId);
        if (under == items.end())
            continue;
        if (const HTREEITEM item = InsertCategory(under->second, entry.category))
            items.emplace(entry.category.GetId(), item);
    }
}

std::vector<TreeItemRecord> CategoriesTreeMan::RecordsOf(const std::vector<ShownCategory>& shown)
{
    std::vector<TreeItemRecord> records = {{0, 0, RootName(), 0}};
    for (const ShownCategory& entry : shown)
        records.push_back({entry.category.GetId(), entry.parentId, entry.category.GetName(), 0});
    SortTreeItemRecords(records);
    return records;
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
