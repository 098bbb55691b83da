// CListViewDay: the daily plan's list content: the entries of the shown day as sortable rows with a completion check box.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <unordered_map>
#include <vector>

#include "document/model/TaskPlanEntry.h"
#include "foundation/PrivateMessages.h"
#include "views/calendar/DayListCtrl.h"
#include "views/calendar/DayManagerBase.h"
#include "winlib/MessageMap.h"

// The pane chains its map to this one while the list is shown: the list's
// notifications, the hint's text request and the pane's WM_DESTROY.
class CListViewDay : public CDayManagerBase {
public:
    // Row icons.
    enum Icon { kIconNotBegun = 0, kIconRunning = 1, kIconOver = 2, kIconTracked = 3 };
    // The per-view settings "SortField1" and "SortDirection1".
    static constexpr int kViewNumber = 1;

    CListViewDay();
    ~CListViewDay() override;

    HWND Create(ICreatableWindow* owner, const RECT& rect) override;
    HWND GetCommandUiTarget() const override;
    HWND GetContentWindow() const override { return m_list.m_hWnd; }
    bool GetFocusedItemRect(RECT& rect) override;
    void LoadEntries() override;
    void RefreshEntries() override;
    int HasSelection() override;
    void SelectEntryById(int id) override;
    int GetSelectedEntryId() override;
    void GetSelectedEntryIds(std::vector<int>& ids) override;
    int GetSelectedIndex() override;
    void SelectIndex(int index) override;
    void SelectAll() override;
    void ShowDropTarget(int x, int y) override;
    // Takes the row it was let go on: OLE may drop with no move over the list before.
    bool OnDrop(IDataObject* dataObject, int x, int y, DWORD effect) override;

    // Rows: the entry id each carries (0 outside the list) and its icon.
    int GetRowCount() const;
    int GetRowEntryId(int row) const;
    int GetRowIcon(int row) const;
    CDayListCtrl& GetListCtrl() { return m_list; }

    // As a click on the column's header: the same column turns the order round.
    void SortByColumn(int column);
    int GetSortColumn() const { return m_sortColumn; }
    bool IsSortAscending() const { return m_sortAscending; }

    BEGIN_MIXIN_MESSAGE_MAP(CListViewDay)
        ON_NOTIFY(CDayListCtrl::kControlId, NM_DBLCLK, OnDoubleClick)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_ITEMCHANGED, OnItemChanged)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_COLUMNCLICK, OnColumnClick)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_KEYDOWN, OnKeyDown)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_BEGINDRAG, OnBeginDrag)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_YELLOWTIP_NEEDTEXT, OnTipNeedsText)
    END_MESSAGE_MAP()

private:
    LRESULT OnDoubleClick(int, NMHDR*, bool&);
    LRESULT OnItemChanged(int, NMHDR* header, bool&);
    LRESULT OnColumnClick(int, NMHDR* header, bool&);
    LRESULT OnKeyDown(int, NMHDR* header, bool& handled);
    LRESULT OnBeginDrag(int, NMHDR*, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnTipNeedsText(UINT, WPARAM, LPARAM, bool&);

    void BuildImageLists();
    void InsertColumns();
    void ShowSortArrow();
    void Sort();
    void InsertRow(const TaskPlanEntry& entry);
    int RowIcon(const TaskPlanEntry& entry);
    void SetRowIcon(int row, int icon);
    int FindRow(int id) const;
    // The entry a row shows, as read at the last load; null for an id not shown.
    const TaskPlanEntry* ShownEntry(int id) const;
    void PostOwnerCommand(WORD commandId);
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM self);

    CDayListCtrl m_list;
    HIMAGELIST m_rowImages = nullptr;    // the list's own once given
    HIMAGELIST m_stateImages = nullptr;  // the list's own once given
    HIMAGELIST m_headerImages = nullptr; // owned
    int m_sortColumn = 1;
    bool m_sortAscending = true;
    bool m_filling = false;
    // The shown entries by id, read with the day: the header's sort compares them without the document.
    std::unordered_map<int, TaskPlanEntry> m_shownEntries;
};
