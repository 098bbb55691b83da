#include "views/tasks/CategoryTree.h"

#include <optional>
#include <vector>

#include "foundation/BlankName.h"
#include "foundation/BoolSwitch.h"
#include "resources/CategoryTreeIds.h"
#include "views/common/TreePaneStyle.h"
#include "views/common/TreeViewHandler.h"
#include "winlib/RedrawSuspension.h"

CCategoryTree::CCategoryTree() = default;

CCategoryTree::~CCategoryTree()
{
    m_dropTarget.Revoke();
    if (IsWindow())
        DestroyWindow();
}

WindowClass CCategoryTree::GetWindowClass()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    return {.name = L"QuorvaneCategoryTree", .baseName = WC_TREEVIEWW};
}

HWND CCategoryTree::Create(HWND parent)
{
    return CWindowImpl<CCategoryTree>::Create({
        .parent = parent,
        .style = kTreePaneStyle,
        .exStyle = WS_EX_CLIENTEDGE,
        .rect = {0, 0, 0, 0},
    });
}

LRESULT CCategoryTree::OnCreate(UINT, WPARAM, LPARAM, bool& handled)
{
    PostMessage(WM_VIEW_DEFERRED_INIT, 0, 0);
    handled = false;
    return 0;
}

LRESULT CCategoryTree::OnDeferredInit(UINT, WPARAM, LPARAM, bool&)
{
    m_treeMan.SetTreeCtrl(m_hWnd);
    m_treeMan.LoadImages();
    m_dropTarget.Register(m_hWnd, this);
    return 0;
}

LRESULT CCategoryTree::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    // The registration names the window: it goes with it.
    m_dropTarget.Revoke();
    handled = false;
    return 0;
}

bool CCategoryTree::IsRoot(HTREEITEM item) const
{
    return item && item == TreeView_GetRoot(m_hWnd);
}

int CCategoryTree::ItemCategoryId(HTREEITEM item) const
{
    return static_cast<int>(CTreeViewHandler(m_hWnd).GetItemData(item));
}

HTREEITEM CCategoryTree::GetCurrentItem() const
{
    if (!IsWindow())
        return nullptr;
    return m_currentItem ? m_currentItem : TreeView_GetRoot(m_hWnd);
}

int CCategoryTree::GetCurrentCategoryId() const
{
    return ItemCategoryId(GetCurrentItem());
}

void CCategoryTree::NotifyDocument(IObserver* sender, DocNotifyCode code)
{
    if (GetDocument())
        GetDocument()->Notify(sender, code);
}

void CCategoryTree::PrepareTreeMan()
{
    m_treeMan.SetTreeCtrl(m_hWnd);
    m_treeMan.SetDocument(GetDocument());
}

void CCategoryTree::FillTree(const std::vector<CategoriesTreeMan::ShownCategory>& shown)
{
    // The items go, and with them the one the commands acted on and the one
    // a drag highlighted.
    m_currentItem = nullptr;
    m_dropItem = nullptr;
    m_treeMan.FillTree(shown);
}

bool CCategoryTree::SelectCategory(int categoryId)
{
    if (!IsWindow())
        return false;
    PrepareTreeMan();
    return m_treeMan.SelectCategory(categoryId);
}

void CCategoryTree::StoreExpandedItems()
{
    if (!GetDocument())
        return;
    std::vector<LPARAM> expanded;
    CTreeViewHandler(m_hWnd).CollectExpanded(expanded);
    GetDocument()->SaveCategoryTreeState(std::vector<int>(expanded.begin(), expanded.end()));
}

void CCategoryTree::RestoreExpandedItems()
{
    if (!GetDocument())
        return;
    std::vector<int> expanded;
    GetDocument()->LoadCategoryTreeState(expanded);
    CTreeViewHandler(m_hWnd).ExpandPath(std::vector<LPARAM>(expanded.begin(), expanded.end()));
}

void CCategoryTree::RefillKeepingSelection()
{
    PrepareTreeMan();
    const CTreeViewHandler tree(m_hWnd);
    // Filter changes and other views' edits mostly leave the categories as
    // they are: reading them is cheap, remaking the tree is not.
    std::vector<CategoriesTreeMan::ShownCategory> shown;
    m_treeMan.ReadShownCategories(0, shown);
    if (CategoriesTreeMan::RecordsOf(shown) == tree.ListItems()) {
        FollowSelection();
        return;
    }
    const BoolSwitch refilling(m_refilling);
    const int selected = static_cast<int>(tree.GetSelectedData());
    const int parent = static_cast<int>(tree.GetSelectedParentData());
    // Kept here, not in the document: storing marks the plan modified, and a
    // filter change or another view's refill is no change of the plan. The
    // document has the list already from the last expansion or selection.
    std::vector<LPARAM> expanded;
    tree.CollectExpanded(expanded);
    // Selected too before the control redraws: redrawing, it took longer
    // to open the way to the item and select it than to fill it.
    const CRedrawSuspension suspended(m_hWnd);
    FillTree(shown);
    tree.ExpandPath(expanded);
    if (!SelectCategory(selected))
        SelectCategory(parent);
}

void CCategoryTree::RefillAndSelect(int categoryId, bool announce)
{
    PrepareTreeMan();
    std::vector<CategoriesTreeMan::ShownCategory> shown;
    m_treeMan.ReadShownCategories(0, shown);
    const BoolSwitch refilling(m_refilling);
    std::optional<BoolSwitch> announcing;
    if (announce)
        announcing.emplace(m_announceReselection);
    // A new plan always gets its tree; a category to show finds its item
    // where the tree already shows the plan's categories.
    if (announce || CategoriesTreeMan::RecordsOf(shown) != CTreeViewHandler(m_hWnd).ListItems()) {
        const CRedrawSuspension suspended(m_hWnd);
        FillTree(shown);
        RestoreExpandedItems();
        SelectCategory(categoryId);
        return;
    }
    SelectCategory(categoryId);
}

void CCategoryTree::FollowSelection()
{
    // The plan's current category is the selected one, as after a refill's reselection.
    const HTREEITEM selected = TreeView_GetSelection(m_hWnd);
    if (selected && GetDocument() && ItemCategoryId(selected) != GetDocument()->GetCurrentCategoryId())
        OnSelectionChanged(selected);
}

void CCategoryTree::StoreViewState()
{
    if (m_refilling || m_showingFindHit || !GetDocument())
        return;
    StoreExpandedItems();
    GetDocument()->SetSelectedCategory(static_cast<int>(CTreeViewHandler(m_hWnd).GetSelectedData()));
}

void CCategoryTree::Update(ISubject* subject, DocNotifyCode code)
{
    ViewBase::Update(subject, code);
    if (!IsWindow())
        return;
    switch (code) {
    case NotifyCode::kAll:
    case NotifyCode::kReload:
        RefillKeepingSelection();
        return;
    case NotifyCode::kTasksChanged:
        if (GetDocument())
            GetDocument()->RecalculateTaskSummary();
        return;
    case NotifyCode::kFindHit:
        if (GetDocument()) {
            // A find changes nothing of the plan: the way opened to the hit
            // and its selection are no state the user chose to keep.
            const BoolSwitch showing(m_showingFindHit);
            SelectCategory(GetDocument()->GetSearchResults().GetFoundCategoryId());
        }
        return;
    case NotifyCode::kRedraw:
        Invalidate();
        ::UpdateWindow(m_hWnd);
        return;
    case NotifyCode::kEndEditsInPlace:
        TreeView_EndEditLabelNow(m_hWnd, FALSE);
        return;
    case NotifyCode::kDocumentLoaded:
        // A rename still open was of a category of the plan that went.
        TreeView_EndEditLabelNow(m_hWnd, TRUE);
        // The new plan's views wait for its first category, whichever it is.
        if (GetDocument())
            RefillAndSelect(GetDocument()->GetSelectedCategory(), true);
        return;
    case NotifyCode::kStoreViewState:
        StoreViewState();
        return;
    default:
        if (code > 0)
            RefillAndSelect(code, false);
        return;
    }
}

void CCategoryTree::OnSelectionChanged(HTREEITEM item)
{
    // Emptying the control leaves no selection for a moment: no choice of the user's.
    m_currentItem = item;
    ICategoryTreeDocument* document = GetDocument();
    if (!item || !document)
        return;
    const int categoryId = ItemCategoryId(item);
    // A refill selects its item again: the other views hear of it only when
    // that shows another category than before, or when a new plan waits for
    // its first one. The tree stores its state only when the user chose.
    if (!m_refilling || m_announceReselection || categoryId != document->GetCurrentCategoryId()) {
        document->SetCurrentCategoryId(categoryId);
        document->Notify(this, NotifyCode::kCategorySelected);
        // Only the tree's own state changed: the other views are not asked to store theirs.
        StoreViewState();
    }
    // Another view's commands stay as they are while it is the active one.
    if (document->GetDocumentWindow() == m_hWnd)
        RefreshCommandUI(true);
}

bool CCategoryTree::OnEndLabelEdit(const NMTVDISPINFOW& info)
{
    ICategoryTreeDocument* document = GetDocument();
    // No text: the edit was cancelled. A name of blanks would leave the item
    // without a label: the old one stays.
    if (!info.item.pszText || !document || IsRoot(info.item.hItem) || IsBlankName(info.item.pszText))
        return false;
    Category category;
    if (!document->GetCategory(ItemCategoryId(info.item.hItem), category))
        return false;
    category.SetName(info.item.pszText);
    return document->UpdateCategory(category);
}

LRESULT CCategoryTree::OnReflectedNotify(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
    case NM_RCLICK:
        SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), static_cast<LPARAM>(::GetMessagePos()));
        return 1;
    case TVN_SELCHANGEDW:
        OnSelectionChanged(reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemNew.hItem);
        return 0;
    case TVN_ITEMEXPANDEDW:
        // Only the tree's own state changed; a refill's openings store nothing.
        StoreViewState();
        return 0;
    case TVN_GETDISPINFOW:
        m_treeMan.OnGetDispInfo(reinterpret_cast<NMTVDISPINFOW*>(lParam));
        return 0;
    case TVN_BEGINDRAGW:
        OnBeginDrag(*reinterpret_cast<const NMTREEVIEWW*>(lParam));
        return 0;
    case TVN_ENDLABELEDITW:
        return OnEndLabelEdit(*reinterpret_cast<const NMTVDISPINFOW*>(lParam)) ? TRUE : FALSE;
    case TVN_BEGINLABELEDITW:
        // True refuses: the root is no category of its own.
        return IsRoot(reinterpret_cast<const NMTVDISPINFOW*>(lParam)->item.hItem) ? TRUE : FALSE;
    default:
        handled = false;
        return 0;
    }
}

LRESULT CCategoryTree::OnSelectItem(UINT, WPARAM wParam, LPARAM, bool&)
{
    const auto item = reinterpret_cast<HTREEITEM>(wParam);
    if (!item)
        return 0;
    if (const HTREEITEM parent = TreeView_GetParent(m_hWnd, item))
        TreeView_Expand(m_hWnd, parent, TVE_EXPAND);
    TreeView_SelectItem(m_hWnd, item);
    TreeView_EnsureVisible(m_hWnd, item);
    return 0;
}

LRESULT CCategoryTree::OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const HTREEITEM root = TreeView_GetRoot(m_hWnd);
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: below the selected item's text.
        const HTREEITEM selected = TreeView_GetSelection(m_hWnd);
        m_currentItem = selected ? selected : root;
        RECT text = {};
        if (m_currentItem && TreeView_GetItemRect(m_hWnd, m_currentItem, &text, TRUE))
            point = {text.left, text.bottom};
        else
            point = {0, 0};
        ::ClientToScreen(m_hWnd, &point);
    } else {
        TVHITTESTINFO hit = {};
        hit.pt = point;
        ::ScreenToClient(m_hWnd, &hit.pt);
        const HTREEITEM item = TreeView_HitTest(m_hWnd, &hit);
        m_currentItem = item ? item : root;
    }
    // The frame carries out the chosen command before this returns, on the item chosen above.
    ShowContextMenu(&point, IDR_CATEGORY_MENU);
    if (IsWindow()) {
        m_currentItem = TreeView_GetSelection(m_hWnd);
        RefreshCommandUI(true);
    }
    return 0;
}

bool CCategoryTree::PreTranslateMessage(MSG* message)
{
    if (CTreeViewHandler(m_hWnd).DispatchLabelEditorKey(message))
        return true;
    return ViewBase::PreTranslateMessage(message);
}
