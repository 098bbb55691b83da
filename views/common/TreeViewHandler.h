// CTreeViewHandler: the composite tree-view operations the trees share, made on the stack for one call.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <span>
#include <vector>

#include "foundation/EString.h"
#include "winlib/ImageList.h"

// One item as a tree shows it: its data, its parent's data (0 at the top),
// its text and its picture.
struct TreeItemRecord {
    LPARAM data = 0;
    LPARAM parent = 0;
    EString text;
    int image = 0;
    bool operator==(const TreeItemRecord& other) const = default;
};

// In one order whatever the order of insertion: the tree sorts its items by
// text itself, so two lists that hold the same records show the same tree.
void SortTreeItemRecords(std::vector<TreeItemRecord>& records);

// Item data is the item's lParam: the views keep ids there.
class CTreeViewHandler {
public:
    explicit CTreeViewHandler(HWND tree) : m_tree(tree) {}

    // Display order: an expanded item's first child, else its next sibling,
    // else the next sibling of its nearest ancestor that has one; null at the end.
    HTREEITEM NextItem(HTREEITEM item) const;
    bool IsExpanded(HTREEITEM item) const;
    bool HasChildren(HTREEITEM item) const;
    // Answers TVN_GETDISPINFO for items that ask for their children flag.
    void SetChildrenFlag(NMTVDISPINFOW* info) const;

    // Fills `images` with the program's icons (16x16) and makes it the tree's
    // normal image list; the tree borrows it, so it must outlive the tree.
    bool LoadImages(CImageList& images, std::span<const unsigned> iconIds) const;
    // Sorted under `parent`, image 0, selected image 1, children asked for on demand.
    HTREEITEM InsertItem(HTREEITEM parent, const wchar_t* text, LPARAM data) const;
    // While a label is edited, its editing keys are the editor's, not the
    // frame's accelerators (LabelEditorKeys.h). True when the message went there.
    bool DispatchLabelEditorKey(MSG* message) const;

    // Depth-first below `item`; the children on the way to the hit are expanded.
    HTREEITEM FindChildByData(HTREEITEM item, LPARAM data) const;
    // Selects the item with that data below the first root, else the first
    // root itself, and makes it visible; true only when the data was found.
    bool SelectByData(LPARAM data) const;
    // The item whose icon, label or state icon lies under the client point; null when none.
    HTREEITEM DropItemAt(POINT point) const;
    // An item whose icon, label or state icon lies under the client point
    // becomes the drop target; the item, or null.
    HTREEITEM DropHighlightAt(POINT point) const;
    // Highlights `item` as the drop target (null: none), taking the highlight
    // off `shown`, the item highlighted so far. The control may refuse to make
    // its selected item the drop target (Wine's does): that one then shows the
    // highlight by its state alone, and the control has no drop target.
    void ShowDropTarget(HTREEITEM item, HTREEITEM shown) const;

    LPARAM GetItemData(HTREEITEM item) const;
    LPARAM GetSelectedData() const;
    LPARAM GetSelectedParentData() const;
    // The first item after `start` in display order (from the first root, that
    // one included, when `start` is null) with that data; collapsed branches
    // are not visited.
    HTREEITEM FindByData(HTREEITEM start, LPARAM data) const;

    // The data of every expanded item in display order.
    void CollectExpanded(std::vector<LPARAM>& expanded) const;
    // Expands each item in turn, each searched after the one found before;
    // a value not found is skipped.
    void ExpandPath(const std::vector<LPARAM>& expanded) const;

    // Every item, collapsed branches included, sorted as SortTreeItemRecords does.
    std::vector<TreeItemRecord> ListItems() const;

private:
    HTREEITEM Root() const { return TreeView_GetRoot(m_tree); }
    // The item's label lies whole within the client area, top to bottom.
    bool IsInSight(HTREEITEM item) const;
    void ListBranch(HTREEITEM first, LPARAM parent, std::vector<TreeItemRecord>& records) const;

    HWND m_tree; // not owned
};
