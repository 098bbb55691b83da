#include "views/common/TreeViewHandler.h"

#include <algorithm>
#include <iterator>
#include <tuple>

#include "foundation/ResourceModule.h"
#include "views/common/LabelEditorKeys.h"

HTREEITEM CTreeViewHandler::NextItem(HTREEITEM item) const
{
    if (!item)
        return nullptr;
    if (IsExpanded(item)) {
        if (const HTREEITEM child = TreeView_GetChild(m_tree, item))
            return child;
    }
    for (HTREEITEM climb = item; climb; climb = TreeView_GetParent(m_tree, climb)) {
        if (const HTREEITEM sibling = TreeView_GetNextSibling(m_tree, climb))
            return sibling;
    }
    return nullptr;
}

bool CTreeViewHandler::IsExpanded(HTREEITEM item) const
{
    return item && (TreeView_GetItemState(m_tree, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

bool CTreeViewHandler::HasChildren(HTREEITEM item) const
{
    return TreeView_GetChild(m_tree, item) != nullptr;
}

void CTreeViewHandler::SetChildrenFlag(NMTVDISPINFOW* info) const
{
    if (info->item.mask & TVIF_CHILDREN)
        info->item.cChildren = HasChildren(info->item.hItem) ? 1 : 0;
}

bool CTreeViewHandler::LoadImages(CImageList& images, std::span<const unsigned> iconIds) const
{
    if (!images.Create(16, 16, 0, 4))
        return false;
    ::ImageList_SetBkColor(images, CLR_NONE);
    images.AddIconResources(GetResourceModule(), iconIds);
    TreeView_SetImageList(m_tree, static_cast<HIMAGELIST>(images), TVSIL_NORMAL);
    return true;
}

HTREEITEM CTreeViewHandler::InsertItem(HTREEITEM parent, const wchar_t* text, LPARAM data) const
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(text);
    insert.item.iImage = 0;
    insert.item.iSelectedImage = 1;
    insert.item.cChildren = I_CHILDRENCALLBACK;
    insert.item.lParam = data;
    return TreeView_InsertItem(m_tree, &insert);
}

HTREEITEM CTreeViewHandler::FindChildByData(HTREEITEM item, LPARAM data) const
{
    for (HTREEITEM child = TreeView_GetChild(m_tree, item); child; child = TreeView_GetNextSibling(m_tree, child)) {
        if (GetItemData(child) == data)
            return child;
        if (const HTREEITEM hit = FindChildByData(child, data)) {
            TreeView_Expand(m_tree, child, TVE_EXPAND);
            return hit;
        }
    }
    return nullptr;
}

bool CTreeViewHandler::SelectByData(LPARAM data) const
{
    const HTREEITEM root = Root();
    if (!root)
        return false;
    // The item chosen already and in sight, as for a find's next hit in the same
    // category: opening the way to it again and selecting it would redraw the tree.
    const HTREEITEM selected = TreeView_GetSelection(m_tree);
    const bool chosen = data ? selected && selected != root && GetItemData(selected) == data : selected == root;
    if (chosen && IsInSight(selected))
        return data != 0;
    const HTREEITEM hit = data ? FindChildByData(root, data) : nullptr;
    const HTREEITEM target = hit ? hit : root;
    // Wine's EnsureVisible may leave a collapsed parent closed: open the way down first.
    for (HTREEITEM parent = TreeView_GetParent(m_tree, target); parent; parent = TreeView_GetParent(m_tree, parent))
        TreeView_Expand(m_tree, parent, TVE_EXPAND);
    TreeView_SelectItem(m_tree, target);
    TreeView_EnsureVisible(m_tree, target);
    return hit != nullptr;
}

bool CTreeViewHandler::IsInSight(HTREEITEM item) const
{
    RECT text = {};
    RECT client = {};
    // Fails for an item under a closed branch.
    if (!TreeView_GetItemRect(m_tree, item, &text, TRUE) || !::GetClientRect(m_tree, &client))
        return false;
    return text.top >= client.top && text.bottom <= client.bottom && text.left >= client.left;
}

HTREEITEM CTreeViewHandler::DropItemAt(POINT point) const
{
    TVHITTESTINFO hit = {};
    hit.pt = point;
    const HTREEITEM item = TreeView_HitTest(m_tree, &hit);
    if (!item || !(hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)))
        return nullptr;
    return item;
}

HTREEITEM CTreeViewHandler::DropHighlightAt(POINT point) const
{
    const HTREEITEM item = DropItemAt(point);
    if (item)
        TreeView_SelectDropTarget(m_tree, item);
    return item;
}

void CTreeViewHandler::ShowDropTarget(HTREEITEM item, HTREEITEM shown) const
{
    if (shown && shown != item)
        TreeView_SetItemState(m_tree, shown, 0, TVIS_DROPHILITED);
    TreeView_SelectDropTarget(m_tree, item);
    if (item && TreeView_GetDropHilight(m_tree) != item) {
        TreeView_SelectDropTarget(m_tree, nullptr);
        TreeView_SetItemState(m_tree, item, TVIS_DROPHILITED, TVIS_DROPHILITED);
    }
}

LPARAM CTreeViewHandler::GetItemData(HTREEITEM item) const
{
    if (!item)
        return 0;
    TVITEMW tvItem = {};
    tvItem.mask = TVIF_PARAM | TVIF_HANDLE;
    tvItem.hItem = item;
    return TreeView_GetItem(m_tree, &tvItem) ? tvItem.lParam : 0;
}

LPARAM CTreeViewHandler::GetSelectedData() const
{
    return GetItemData(TreeView_GetSelection(m_tree));
}

LPARAM CTreeViewHandler::GetSelectedParentData() const
{
    const HTREEITEM selected = TreeView_GetSelection(m_tree);
    return selected ? GetItemData(TreeView_GetParent(m_tree, selected)) : 0;
}

HTREEITEM CTreeViewHandler::FindByData(HTREEITEM start, LPARAM data) const
{
    for (HTREEITEM item = start ? NextItem(start) : Root(); item; item = NextItem(item)) {
        if (GetItemData(item) == data)
            return item;
    }
    return nullptr;
}

void CTreeViewHandler::CollectExpanded(std::vector<LPARAM>& expanded) const
{
    for (HTREEITEM item = Root(); item; item = NextItem(item)) {
        if (IsExpanded(item))
            expanded.push_back(GetItemData(item));
    }
}

void CTreeViewHandler::ExpandPath(const std::vector<LPARAM>& expanded) const
{
    HTREEITEM searchFrom = nullptr;
    for (const LPARAM data : expanded) {
        if (const HTREEITEM hit = FindByData(searchFrom, data)) {
            TreeView_Expand(m_tree, hit, TVE_EXPAND);
            searchFrom = hit;
        }
    }
}

void SortTreeItemRecords(std::vector<TreeItemRecord>& records)
{
    std::sort(records.begin(), records.end(), [](const TreeItemRecord& a, const TreeItemRecord& b) {
        return std::tie(a.data, a.parent, a.text, a.image) < std::tie(b.data, b.parent, b.text, b.image);
    });
}

std::vector<TreeItemRecord> CTreeViewHandler::ListItems() const
{
    std::vector<TreeItemRecord> records;
    ListBranch(Root(), 0, records);
    SortTreeItemRecords(records);
    return records;
}

void CTreeViewHandler::ListBranch(HTREEITEM first, LPARAM parent, std::vector<TreeItemRecord>& records) const
{
    // Longer labels read cut off and so differ from their entries: a refill, never a stale tree.
    wchar_t text[1024];
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(m_tree, item)) {
        TVITEMW tvItem = {};
        tvItem.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_TEXT | TVIF_IMAGE;
        tvItem.hItem = item;
        tvItem.pszText = text;
        tvItem.cchTextMax = static_cast<int>(std::size(text));
        text[0] = L'\0';
        if (!TreeView_GetItem(m_tree, &tvItem))
            continue;
        records.push_back({tvItem.lParam, parent, EString(text), tvItem.iImage});
        ListBranch(TreeView_GetChild(m_tree, item), tvItem.lParam, records);
    }
}

bool CTreeViewHandler::DispatchLabelEditorKey(MSG* message) const
{
    return ::IsWindow(m_tree) && ::DispatchLabelEditorKey(TreeView_GetEditControl(m_tree), message);
}
