// CCategoryTree: the pane of the document's categories: choosing one shows its tasks; the category commands, renaming in place, drag and drop.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "document/ICategoryTreeDocument.h"
#include "foundation/PrivateMessages.h"
#include "resources/AppCommandIds.h"
#include "resources/EditCommandIds.h"
#include "views/common/CategoriesTreeMan.h"
#include "views/common/ISimpleDropCallback.h"
#include "views/common/NavigationHelper.h"
#include "views/common/TreeDropTarget.h"
#include "views/common/ViewBase.h"
#include "views/tasks/CategoryTreeDialogs.h"
#include "foundation/Reflection.h"
#include "winlib/WindowImpl.h"

class CCategoryTree : public CWindowImpl<CCategoryTree>,
                      public CViewBase<CCategoryTree, ICategoryTreeDocument>,
                      public NavigationHelper,
                      public ISimpleDropCallback {
public:
    // Posted to itself after Add; wParam: the new item.
    static constexpr UINT WM_SELECT_ITEM = WM_CATEGORY_TREE_SELECT_ITEM;
    static constexpr UINT_PTR kScrollTimer = 0xFFFF0000;
    static constexpr UINT_PTR kExpandTimer = 0xFFFF0001;
    static constexpr UINT kScrollPeriodMs = 600;
    static constexpr UINT kExpandPeriodMs = 1800;

    CCategoryTree();
    ~CCategoryTree() override;

    static WindowClass GetWindowClass();

    // The dialogs the commands open; null restores the inert ones.
    void SetDialogs(ICategoryTreeDialogs* dialogs) { m_dialogs = dialogs ? dialogs : &m_ownDialogs; }

    HWND Create(HWND parent) override;
    void Update(ISubject* subject, DocNotifyCode code) override;
    void UpdateCommandUI(bool active);
    bool PreTranslateMessage(MSG* message);
    // Whether the command may run now: the rule its state is pushed by.
    bool IsCommandEnabled(int commandId);
    bool IsCommandChecked(int commandId);

    bool SelectCategory(int categoryId);
    // The item the commands act on: the selected one, or the one under the
    // pointer while the context menu is open; the root when none.
    HTREEITEM GetCurrentItem() const;
    int GetCurrentCategoryId() const;

    // Drag navigation: true when the client point lies in an edge band.
    bool CheckAutoScroll(int x, int y);
    void StartExpandTimer();

    // ISimpleDropCallback and NavigationHelper.
    bool CanAcceptData(IDataObject* dataObject) override;
    void OnDragLeave() override;
    void OnDragOver(int x, int y) override;
    bool OnDrop(IDataObject* dataObject, int x, int y, DWORD effect) override;
    void OnScrollTimer() override;
    void StartScrollTimer() override;
    void StopScrollTimer() override;

    BEGIN_MESSAGE_MAP(CCategoryTree)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_TIMER, OnTimer)
        ON_MESSAGE(WM_SELECT_ITEM, OnSelectItem)
        ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
        ON_MESSAGE(WM_VIEW_DEFERRED_INIT, OnDeferredInit)
        ON_COMMAND(ID_TASK_DELETE, OnDelete)
        ON_COMMAND(ID_TASK_EDIT, OnEdit)
        ON_COMMAND(ID_TASK_ADD, OnAdd)
        ON_COMMAND(ID_TASK_COMPLETE, OnComplete)
        ON_COMMAND(ID_EDIT_COPY, OnCopy)
        ON_COMMAND(ID_EDIT_CUT, OnCut)
        ON_COMMAND(ID_EDIT_PASTE, OnPaste)
        ON_COMMAND(ID_EXPORT, OnExport)
        ON_COMMAND(ID_IMPORT, OnImport)
        ON_COMMAND(ID_TASK_REBASE_ESTIMATE, OnRebaseEstimate)
        ON_MESSAGE(OCM_NOTIFY, OnReflectedNotify)
        CHAIN_MESSAGE_MAP(ViewBase)
    END_MESSAGE_MAP()

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnSelectItem(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnDeferredInit(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnReflectedNotify(UINT, WPARAM, LPARAM lParam, bool& handled);

    LRESULT OnDelete(WORD, WORD, HWND, bool&);
    LRESULT OnEdit(WORD, WORD, HWND, bool&);
    LRESULT OnAdd(WORD, WORD, HWND, bool&);
    LRESULT OnComplete(WORD, WORD, HWND, bool&);
    LRESULT OnCopy(WORD, WORD, HWND, bool&);
    LRESULT OnCut(WORD, WORD, HWND, bool&);
    LRESULT OnPaste(WORD, WORD, HWND, bool&);
    LRESULT OnExport(WORD, WORD, HWND, bool&);
    LRESULT OnImport(WORD, WORD, HWND, bool&);
    LRESULT OnRebaseEstimate(WORD, WORD, HWND, bool&);

    // Tree notifications.
    void OnSelectionChanged(HTREEITEM item);
    bool OnEndLabelEdit(const NMTVDISPINFOW& info);
    void OnBeginDrag(const NMTREEVIEWW& info);

    // Filling.
    void PrepareTreeMan();
    void FillTree(const std::vector<CategoriesTreeMan::ShownCategory>& shown);
    void StoreExpandedItems();
    void RestoreExpandedItems();
    void RefillKeepingSelection();
    // `announce`: the other views hear of the category selected even when it is the current one.
    void RefillAndSelect(int categoryId, bool announce);
    // Makes the selected category the plan's current one where they differ.
    void FollowSelection();
    void StoreViewState();

    bool IsRoot(HTREEITEM item) const;
    int ItemCategoryId(HTREEITEM item) const;
    void DeleteCurrentItem();
    // The current item of a category that has left the plan.
    void RemoveCurrentItem();
    bool CopyCurrentItem();
    void NotifyDocument(IObserver* sender, DocNotifyCode code);

    CategoriesTreeMan m_treeMan;
    HTREEITEM m_currentItem = nullptr;
    CTreeDropTarget m_dropTarget;
    // The item highlighted under a drag, which opens after a pause: kept
    // here, as the control does not take its selected item as drop target.
    HTREEITEM m_dropItem = nullptr;
    int m_refilling = 0;
    // Set while a refill's selection is to be announced even without a change of category.
    int m_announceReselection = 0;
    // Set while the tree selects a find's hit, which stores no state.
    int m_showingFindHit = 0;
    int m_expandTimerRunning = 0;
    CategoryTreeDialogs m_ownDialogs;
    ICategoryTreeDialogs* m_dialogs = &m_ownDialogs;
};
