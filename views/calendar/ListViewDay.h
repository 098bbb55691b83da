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
#include "winlib/ImageList.h"
#include "foundation/MessageMap.h"

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
    bool IsSortAscending() const { return m_sortAscending; }

    BEGIN_MIXIN_MESSAGE_MAP(CListViewDay)
        ON_NOTIFY(CDayListCtrl::kControlId, NM_DBLCLK, OnDoubleClick)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_GETDISPINFOW, OnGetDisplayInfo)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_ODFINDITEMW, OnFindItem)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_ITEMCHANGED, OnItemChanged)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_ODSTATECHANGED, OnRangeSelected)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_COLUMNCLICK, OnColumnClick)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_KEYDOWN, OnKeyDown)
        ON_NOTIFY(CDayListCtrl::kControlId, LVN_BEGINDRAG, OnBeginDrag)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_YELLOWTIP_NEEDTEXT, OnTipNeedsText)
    END_MESSAGE_MAP()

private:
    LRESULT OnDoubleClick(int, NMHDR*, bool&);
    LRESULT OnGetDisplayInfo(int, NMHDR* header, bool&);
    LRESULT OnFindItem(int, NMHDR* header, bool&);
    LRESULT OnItemChanged(int, NMHDR* header, bool&);
    LRESULT OnRangeSelected(int, NMHDR*, bool&);
    LRESULT OnColumnClick(int, NMHDR* header, bool&);
    LRESULT OnKeyDown(int, NMHDR* header, bool& handled);
    LRESULT OnBeginDrag(int, NMHDR*, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnTipNeedsText(UINT, WPARAM, LPARAM, bool&);

    void BuildImageLists();
    void InsertColumns();
    void ShowSortArrow();
    void Sort();
    // The rows follow m_rows: the id map and the icons are rebuilt with each order.
    void IndexRows();
    int RowIcon(const TaskPlanEntry& entry, double shownDate);
    int FindRow(int id) const;
    // The selection and focus moved with their entries to their rows, telling nobody.
    void SelectRowsOf(const std::vector<int>& ids, int focusedId);
    // The pane and the document learn of a new selection.
    void TellSelection();
    void PostOwnerCommand(WORD commandId);
    // A click on the row's check box or the space bar on it: its entry's completion turns round.
    void PostToggle(int row);

    CDayListCtrl m_list;
    CImageList m_headerImages;
    int m_sortColumn = 1;
    bool m_sortAscending = true;
    bool m_filling = false;
    // The list holds no rows of its own: it shows the entries read with the day, in their order.
    std::vector<TaskPlanEntry> m_rows;
    std::vector<int> m_rowIcons;
    std::unordered_map<int, int> m_rowOfEntry;
    // The text handed to the list for the cell it asked for last.
    EString m_cellText;
};
