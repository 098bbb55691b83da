// CPeopleTreeView: the pane listing the document's people and groups, nested as the document nests them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "document/IPeopleDocument.h"
#include "foundation/PrivateMessages.h"
#include "resources/AppCommandIds.h"
#include "views/common/ISimpleDropCallback.h"
#include "views/common/TreeDropTarget.h"
#include "views/common/TreeViewHandler.h"
#include "views/common/ViewBase.h"
#include "views/tasks/PeopleTreeDialogs.h"
#include "winlib/ImageList.h"
#include "foundation/Reflection.h"
#include "winlib/WindowImpl.h"

// The commands act on the current item: the selected one, or while the
// context menu is open the one under the click. Selecting someone changes
// nothing in the plan: people are not tied to tasks.
class CPeopleTreeView : public CWindowImpl<CPeopleTreeView>,
                        public CViewBase<CPeopleTreeView, IPeopleDocument>,
                        public ISimpleDropCallback {
public:
    // Images of the items: a group, an open group (unused), a person.
    static constexpr int kGroupImage = 0;
    static constexpr int kPersonImage = 2;
    // Posted to itself after an add; wParam: the new item, selected once the
    // control is done with the insertion.
    static constexpr UINT kSelectItemMessage = WM_PEOPLE_TREE_SELECT_ITEM;
    // During a drag: a step of scrolling while the pointer rests near an
    // edge, and the opening of the group under it.
    static constexpr UINT_PTR kScrollTimer = 0xFFFF0000;
    static constexpr UINT_PTR kExpandTimer = 0xFFFF0001;
    static constexpr UINT kScrollPeriodMs = 600;
    static constexpr UINT kExpandPeriodMs = 1800;
    // The width of the band along each edge where a drag scrolls.
    static constexpr int kBandSize = 14;

    static WindowClass GetWindowClass();

    CPeopleTreeView() = default;
    // The window goes before the images it borrows.
    ~CPeopleTreeView() override;

    // The editors the commands open; null restores the program's own.
    void SetDialogs(IPeopleTreeDialogs* dialogs) { m_dialogs = dialogs ? dialogs : &m_ownDialogs; }

    HWND Create(HWND parent) override;
    void Update(ISubject* subject, DocNotifyCode code) override;
    void UpdateCommandUI(bool active);
    // Keys for the in-place editor go to it before the frame's accelerators.
    bool PreTranslateMessage(MSG* message);

    // Every entry of the document, its own expanded groups and selection kept;
    // a tree that shows every entry as it is stays as it is.
    void Refill();
    // Selects the item of the entry, searching every branch and opening the
    // way to it; else the first item. True when the entry was found.
    bool SelectPerson(int id);
    HTREEITEM FindPerson(int id) const;
    HTREEITEM GetCurrentItem() const { return m_current; }
    // The entry id of an item; 0 for none.
    int GetItemId(HTREEITEM item) const;

    // ISimpleDropCallback: a drag is shown over the tree, never dropped on it.
    bool CanAcceptData(IDataObject* dataObject) override;
    void OnDragLeave() override;
    void OnDragOver(int x, int y) override;
    bool OnDrop(IDataObject* dataObject, int x, int y, DWORD effect) override;

    BEGIN_MESSAGE_MAP(CPeopleTreeView)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_TIMER, OnTimer)
        ON_MESSAGE(WM_VIEW_DEFERRED_INIT, OnDeferredInit)
        ON_MESSAGE(OCM_NOTIFY, OnReflectedNotify)
        ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
        ON_COMMAND(ID_ADD_GROUP, OnAddGroup)
        ON_COMMAND(ID_TASK_ADD, OnAdd)
        ON_COMMAND(ID_TASK_EDIT, OnEdit)
        ON_COMMAND(ID_TASK_DELETE, OnDelete)
        ON_MESSAGE(kSelectItemMessage, OnSelectItem)
        CHAIN_MESSAGE_MAP(ViewBase)
    END_MESSAGE_MAP()

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnDeferredInit(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnReflectedNotify(UINT, WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnAddGroup(WORD, WORD, HWND, bool&);
    LRESULT OnAdd(WORD, WORD, HWND, bool&);
    LRESULT OnEdit(WORD, WORD, HWND, bool&);
    LRESULT OnDelete(WORD, WORD, HWND, bool&);
    LRESULT OnSelectItem(UINT, WPARAM wParam, LPARAM, bool&);

    // An entry of the document and the group it stands in (0 at the top).
    struct Entry {
        int groupId = 0;
        Person person;
    };
    // Every entry, each group before its members, in the document's order.
    std::vector<Entry> ReadEntries();
    void ReadChildren(int groupId, std::vector<Entry>& entries);
    // The items the entries make, as the tree lists its own.
    static std::vector<TreeItemRecord> RecordsOf(const std::vector<Entry>& entries);
    // New items for the entries, with the groups opened that the document keeps open.
    void FillAndOpen(const std::vector<Entry>& entries);
    HTREEITEM InsertPerson(HTREEITEM parent, const Person& person);
    HTREEITEM FindBelow(HTREEITEM first, int id) const;
    void ShowItem(HTREEITEM item);
    bool IsGroupItem(HTREEITEM item) const;
    // Add and Add Group: at the top or inside a group.
    bool CanAddHere() const { return !m_current || IsGroupItem(m_current); }
    void AddEntry(Person& person);
    void StoreExpanded();
    void RestoreExpanded();
    void StoreViewState();
    void OnSelectionChanged(HTREEITEM item);
    bool OnEndLabelEdit(const NMTVDISPINFOW& info);
    bool IsActive() const;

    // Drag navigation. The zone of a point: 0 none, 1 left, 2 right, 3 top,
    // 4 bottom; a corner counts as left or right.
    bool CheckAutoScroll(int x, int y);
    void StartScrollTimer();
    void StopScrollTimer();
    void OnScrollTimer();
    void StartExpandTimer();
    void OnExpandTimer();

    PeopleTreeDialogs m_ownDialogs;
    IPeopleTreeDialogs* m_dialogs = &m_ownDialogs;
    CTreeDropTarget m_dropTarget;
    HTREEITEM m_current = nullptr;
    // The tree's own selection and expansion changes while it refills are
    // no choice of the user's and store nothing.
    int m_refilling = 0;
    int m_expandTimerRunning = 0;
    int m_zone = 0;
    POINT m_lastPoint = {0, 0};
    CImageList m_images;
};
