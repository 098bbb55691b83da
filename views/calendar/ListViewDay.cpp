#include "views/calendar/ListViewDay.h"

#include <algorithm>
#include <memory>
#include <span>
#include <type_traits>
#include <vector>

#include "document/IDailyPlanDocument.h"
#include "document/model/DateFunctions.h"
#include "foundation/AppWindow.h"
#include "foundation/Language.h"
#include "foundation/Locale.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "foundation/ResourceModule.h"
#include "foundation/StepTimer.h"
#include "foundation/WindowState.h"
#include "resources/AppCommandIds.h"
#include "resources/IconIds.h"
#include "views/calendar/DayListOrder.h"
#include "views/common/ColumnDefaults.h"
#include "views/common/ListHandler.h"
#include "views/common/TypedNameFind.h"
#include "views/common/ViewMessages.h"
#include "winlib/GdiObject.h"
#include "winlib/RedrawSuspension.h"

namespace {

constexpr wchar_t kColumnStateName[] = L"PlanEntriesList";
constexpr unsigned kRowIconIds[] = {IDI_ENTRY_NOT_BEGUN, IDI_ENTRY_RUNNING, IDI_ENTRY_OVER, IDI_TRACK_TIME};
// State images 1 and 2 of a check box: clear and ticked.
constexpr unsigned kStateIconIds[] = {IDI_CHECK_CLEAR, IDI_CHECK_TICKED};
constexpr unsigned kHeaderIconIds[] = {IDI_SORT_ASCENDING, IDI_SORT_DESCENDING};
constexpr int kUnchecked = 1;
constexpr int kChecked = 2;

CImageList MakeImageList(std::span<const unsigned> ids)
{
    CImageList images(::ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, static_cast<int>(ids.size()), 4));
    if (images.IsNull())
        return images;
    ::ImageList_SetBkColor(images, CLR_NONE);
    images.AddIconResources(GetResourceModule(), ids);
    return images;
}

// The widest texts of a column of times: each hour with its widest minutes.
std::vector<EString> TimesOfDayTexts()
{
    std::vector<EString> texts;
    for (int hour = 0; hour < 24; ++hour)
        texts.push_back(FormatTimeOfDay(MakeOleTime(hour, 58)));
    return texts;
}

EString DurationText(const TaskPlanEntry& entry)
{
    return Locale::FormatDuration(entry.GetDurationHours());
}

// Copies the text into the list's buffer, cut to its size.
void CopyCellText(LVITEMW& item, const EString& text)
{
    if (!item.pszText || item.cchTextMax <= 0)
        return;
    const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::copy_n(text.c_str(), length, item.pszText);
    item.pszText[length] = L'\0';
}

} // namespace

CListViewDay::CListViewDay()
{
    m_sortColumn = static_cast<int>(Options::GetSortField(kViewNumber, DayListColumn::kStart));
    if (m_sortColumn < 0 || m_sortColumn >= DayListColumn::kCount)
        m_sortColumn = DayListColumn::kStart;
    m_sortAscending = Options::GetSortDirection(kViewNumber) != 0;
}

CListViewDay::~CListViewDay()
{
    if (m_list.m_hWnd)
        m_list.DestroyWindow();
}

HWND CListViewDay::Create(ICreatableWindow* owner, const RECT& rect)
{
    if (!owner)
        return nullptr;
    SetOwnerView(owner);
    m_list.SetOwnerView(owner);
    if (!m_list.CWindowImpl<CDayListCtrl>::Create({
            .parent = owner->GetHwnd(),
            .style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
            .exStyle = WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT,
            .rect = rect,
            .id = CDayListCtrl::kControlId,
        }))
        return nullptr;
    m_list.onToggleCompleted = [this](int id) { ToggleCompletedOne(id); };
    m_list.onCheckBoxClicked = [this](int row) { PostToggle(row); };
    ListView_SetExtendedListViewStyleEx(m_list.m_hWnd, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    // The check boxes show each entry's completion, which the rows answer.
    ListView_SetCallbackMask(m_list.m_hWnd, LVIS_STATEIMAGEMASK);
    BuildImageLists();
    ListView_SetExtendedListViewStyleEx(m_list.m_hWnd, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    InsertColumns();
    ShowSortArrow();
    WindowState::RestoreColumnWidths(kColumnStateName, m_list.m_hWnd, DayListColumn::kCount);
    RegisterDropTarget(m_list.m_hWnd);
    return m_list.m_hWnd;
}

void CListViewDay::BuildImageLists()
{
    // The list frees the row and state pictures with itself; the header's are ours.
    ListView_SetImageList(m_list.m_hWnd, MakeImageList(kRowIconIds).Detach(), LVSIL_SMALL);
    // The check boxes came with pictures of their own, which ours replace.
    const CImageList replaced(ListView_SetImageList(m_list.m_hWnd, MakeImageList(kStateIconIds).Detach(), LVSIL_STATE));
    m_headerImages = MakeImageList(kHeaderIconIds);
    Header_SetImageList(ListView_GetHeader(m_list.m_hWnd), static_cast<HIMAGELIST>(m_headerImages));
}

void CListViewDay::InsertColumns()
{
    const ListHandler columns(m_list.m_hWnd);
    columns.InsertColumns(kPlanEntryColumnDefaults);
    // The columns of times, durations and priorities show their header and
    // their values whole from the start, in the language and clock shown.
    const std::vector<EString> times = TimesOfDayTexts();
    columns.WidenColumnToShow(DayListColumn::kStart, times);
    columns.WidenColumnToShow(DayListColumn::kEnd, times);
    const EString longestDuration = Locale::FormatDuration(23 + 58.0 / 60);
    columns.WidenColumnToShow(DayListColumn::kDuration, std::span(&longestDuration, 1));
    std::vector<EString> priorities;
    TaskCard::GetImportanceNames(priorities);
    columns.WidenColumnToShow(DayListColumn::kPriority, priorities);
}

void CListViewDay::ShowSortArrow()
{
    const HWND header = ListView_GetHeader(m_list.m_hWnd);
    for (int column = 0; column < DayListColumn::kCount; ++column) {
        const bool sorted = column == m_sortColumn;
        LVCOLUMNW info = {};
        info.mask = LVCF_FMT | LVCF_IMAGE;
        info.fmt = sorted ? LVCFMT_IMAGE | LVCFMT_BITMAP_ON_RIGHT : 0;
        info.iImage = sorted && !m_sortAscending ? 1 : 0;
        ListView_SetColumn(m_list.m_hWnd, column, &info);
        // Some list controls pass the column's image format on to the header
        // only for images in the rows: the header is told directly.
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        if (!Header_GetItem(header, column, &item))
            continue;
        item.mask = HDI_FORMAT | HDI_IMAGE;
        item.fmt = (item.fmt & ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT)) | (sorted ? HDF_IMAGE | HDF_BITMAP_ON_RIGHT : 0);
        item.iImage = info.iImage;
        Header_SetItem(header, column, &item);
    }
}

HWND CListViewDay::GetCommandUiTarget() const
{
    return GetMainWindow();
}

int CListViewDay::GetRowCount() const
{
    return m_list.m_hWnd ? ListView_GetItemCount(m_list.m_hWnd) : 0;
}

int CListViewDay::GetRowEntryId(int row) const
{
    if (row < 0 || row >= GetRowCount() || row >= static_cast<int>(m_rows.size()))
        return 0;
    return m_rows[static_cast<size_t>(row)].GetId();
}

int CListViewDay::GetRowIcon(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rowIcons.size()))
        return -1;
    return m_rowIcons[static_cast<size_t>(row)];
}

int CListViewDay::FindRow(int id) const
{
    const auto found = m_rowOfEntry.find(id);
    return found == m_rowOfEntry.end() ? -1 : found->second;
}

bool CListViewDay::GetFocusedItemRect(RECT& rect)
{
    const int row = GetSelectedIndex();
    return row >= 0 && ListView_GetItemRect(m_list.m_hWnd, row, &rect, LVIR_LABEL);
}

int CListViewDay::RowIcon(const TaskPlanEntry& entry, double shownDate)
{
    int icon = entry.GetPhase(shownDate);
    IDailyPlanDocument* document = GetDocument();
    if (document && entry.GetId() == document->GetTrackedPlanEntryId())
        icon = kIconTracked;
    // While time is tracked, only the tracked entry counts as running.
    if (document && document->IsTracking() && icon == kIconRunning)
        icon = kIconNotBegun;
    return icon;
}

void CListViewDay::IndexRows()
{
    m_rowOfEntry.clear();
    m_rowOfEntry.reserve(m_rows.size());
    m_rowIcons.clear();
    m_rowIcons.reserve(m_rows.size());
    // The day is asked of the pane once: each row asking would cost a message to its picker.
    const double shownDate = GetShownDate();
    for (size_t row = 0; row < m_rows.size(); ++row) {
        m_rowOfEntry[m_rows[row].GetId()] = static_cast<int>(row);
        m_rowIcons.push_back(RowIcon(m_rows[row], shownDate));
    }
}

void CListViewDay::LoadEntries()
{
    if (!m_list.m_hWnd)
        return;
    int selectedId = GetSelectedEntryId();
    if (GetPendingSelection() > 0) {
        selectedId = GetPendingSelection();
        SetPendingSelection(0);
    }
    const double shownDate = GetShownDate();
    std::vector<TaskPlanEntry> entries;
    if (IDailyPlanDocument* document = GetDocument())
        document->GetDayPlanEntries(shownDate, entries);
    NoteLoadedDay(shownDate, entries);
    {
        const StepTimer timing(L"day-list-sort", StepTimer::kWhenSlow);
        SortDayEntries(entries, m_sortColumn, m_sortAscending);
    }
    m_rows = std::move(entries);
    IndexRows();
    {
        // The rows of the day before name other entries: nothing of them stays selected.
        const CRedrawSuspension redraw(m_list.m_hWnd);
        m_filling = true;
        ListView_SetItemState(m_list.m_hWnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemCountEx(m_list.m_hWnd, static_cast<int>(m_rows.size()), LVSICF_NOSCROLL);
        if (!m_rows.empty())
            ListView_EnsureVisible(m_list.m_hWnd, 0, FALSE);
        m_filling = false;
    }
    ::InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
    SelectEntryById(selectedId);
    StartRefreshTimer();
}

void CListViewDay::RefreshEntries()
{
    // Each shown entry as read with the day: a change of it reloads the day.
    const double shownDate = GetShownDate();
    for (size_t row = 0; row < m_rows.size(); ++row)
        m_rowIcons[row] = m_rows[row].GetPhase(shownDate);
    if (m_list.m_hWnd)
        ::InvalidateRect(m_list.m_hWnd, nullptr, FALSE);
    CDayManagerBase::RefreshEntries();
}

int CListViewDay::HasSelection()
{
    return m_list.m_hWnd ? static_cast<int>(ListView_GetSelectedCount(m_list.m_hWnd)) : 0;
}

void CListViewDay::SelectEntryById(int id)
{
    const int row = FindRow(id);
    if (row < 0)
        return;
    SelectIndex(row);
}

int CListViewDay::GetSelectedEntryId()
{
    return GetRowEntryId(GetSelectedIndex());
}

void CListViewDay::GetSelectedEntryIds(std::vector<int>& ids)
{
    ids.clear();
    if (!m_list.m_hWnd)
        return;
    for (int row = ListView_GetNextItem(m_list.m_hWnd, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(m_list.m_hWnd, row, LVNI_SELECTED))
        ids.push_back(GetRowEntryId(row));
}

int CListViewDay::GetSelectedIndex()
{
    return m_list.m_hWnd ? ListHandler(m_list.m_hWnd).GetFirstSelected() : -1;
}

void CListViewDay::SelectIndex(int index)
{
    if (!m_list.m_hWnd)
        return;
    const ListHandler rows(m_list.m_hWnd);
    rows.SelectItem(-1);
    rows.SelectItem(index);
    ListView_EnsureVisible(m_list.m_hWnd, index, FALSE);
}

void CListViewDay::SelectAll()
{
    if (m_list.m_hWnd)
        ListHandler(m_list.m_hWnd).SelectAllRows();
}

void CListViewDay::ShowDropTarget(int x, int y)
{
    if (!m_list.m_hWnd)
        return;
    LVHITTESTINFO hit = {};
    hit.pt = {x, y};
    const int row = ListView_HitTest(m_list.m_hWnd, &hit);
    const ListHandler rows(m_list.m_hWnd);
    rows.SelectItem(-1);
    if (row >= 0)
        rows.SelectItem(row);
}

bool CListViewDay::OnDrop(IDataObject* dataObject, int x, int y, DWORD effect)
{
    ShowDropTarget(x, y);
    return CDayManagerBase::OnDrop(dataObject, x, y, effect);
}

void CListViewDay::SelectRowsOf(const std::vector<int>& ids, int focusedId)
{
    m_filling = true;
    ListView_SetItemState(m_list.m_hWnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (ids.size() == m_rows.size() && !ids.empty()) {
        ListView_SetItemState(m_list.m_hWnd, -1, LVIS_SELECTED, LVIS_SELECTED);
    } else {
        for (const int id : ids)
            if (const int row = FindRow(id); row >= 0)
                ListView_SetItemState(m_list.m_hWnd, row, LVIS_SELECTED, LVIS_SELECTED);
    }
    if (const int row = FindRow(focusedId); row >= 0)
        ListView_SetItemState(m_list.m_hWnd, row, LVIS_FOCUSED, LVIS_FOCUSED);
    m_filling = false;
}

void CListViewDay::Sort()
{
    if (!m_list.m_hWnd)
        return;
    // The selected entries stay selected in their new rows.
    std::vector<int> selected;
    GetSelectedEntryIds(selected);
    const int focusedId = GetRowEntryId(ListView_GetNextItem(m_list.m_hWnd, -1, LVNI_FOCUSED));
    SortDayEntries(m_rows, m_sortColumn, m_sortAscending);
    std::vector<int> icons(m_rows.size());
    for (size_t row = 0; row < m_rows.size(); ++row)
        icons[row] = GetRowIcon(FindRow(m_rows[row].GetId()));
    m_rowIcons = std::move(icons);
    m_rowOfEntry.clear();
    for (size_t row = 0; row < m_rows.size(); ++row)
        m_rowOfEntry[m_rows[row].GetId()] = static_cast<int>(row);
    {
        const CRedrawSuspension redraw(m_list.m_hWnd);
        SelectRowsOf(selected, focusedId);
    }
    ::InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
}

void CListViewDay::SortByColumn(int column)
{
    if (column < 0 || column >= DayListColumn::kCount)
        return;
    if (column == m_sortColumn)
        m_sortAscending = !m_sortAscending;
    m_sortColumn = column;
    Sort();
    Options::SetSortField(kViewNumber, static_cast<DWORD>(m_sortColumn));
    Options::SetSortDirection(kViewNumber, m_sortAscending ? 1 : 0);
    ShowSortArrow();
}

void CListViewDay::PostOwnerCommand(WORD commandId)
{
    if (ICreatableWindow* owner = GetOwnerView())
        owner->PostViewMessage(WM_COMMAND, MAKEWPARAM(commandId, 1), 0);
}

LRESULT CListViewDay::OnDoubleClick(int, NMHDR*, bool&)
{
    PostOwnerCommand(ID_TASK_EDIT);
    return 0;
}

LRESULT CListViewDay::OnGetDisplayInfo(int, NMHDR* header, bool&)
{
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    if (item.iItem < 0 || item.iItem >= static_cast<int>(m_rows.size()))
        return 0;
    const TaskPlanEntry& entry = m_rows[static_cast<size_t>(item.iItem)];
    if (item.mask & LVIF_TEXT) {
        switch (item.iSubItem) {
        case DayListColumn::kName:
            m_cellText = entry.GetName();
            break;
        case DayListColumn::kStart:
            m_cellText = entry.GetStartTimeText();
            break;
        case DayListColumn::kEnd:
            m_cellText = entry.GetEndTimeText();
            break;
        case DayListColumn::kDuration:
            m_cellText = DurationText(entry);
            break;
        case DayListColumn::kPriority:
            m_cellText = entry.GetTask().GetImportanceText();
            break;
        default:
            m_cellText = entry.GetSingleLineDescription();
            break;
        }
        CopyCellText(item, m_cellText);
    }
    if (item.mask & LVIF_IMAGE)
        item.iImage = m_rowIcons[static_cast<size_t>(item.iItem)];
    if (item.mask & LVIF_STATE) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) |
                     INDEXTOSTATEIMAGEMASK(entry.IsCompleted() ? kChecked : kUnchecked);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
    return 0;
}

LRESULT CListViewDay::OnFindItem(int, NMHDR* header, bool&)
{
    const auto& find = *reinterpret_cast<const NMLVFINDITEMW*>(header);
    if (find.lvfi.flags & LVFI_PARAM)
        return FindRow(static_cast<int>(find.lvfi.lParam));
    return FindRowByTypedName(find, static_cast<int>(m_rows.size()),
                              [&](int row) { return m_rows[static_cast<size_t>(row)].GetName(); });
}

LRESULT CListViewDay::OnRangeSelected(int, NMHDR*, bool&)
{
    if (!m_filling)
        TellSelection();
    return 0;
}

void CListViewDay::TellSelection()
{
    if (IDailyPlanDocument* document = GetDocument())
        document->SetPreviousPlanEntryId(GetSelectedEntryId());
    if (ICreatableWindow* owner = GetOwnerView())
        owner->SendViewMessage(WM_PELQUORN_DOC_CHANGED, 0, 0);
}

LRESULT CListViewDay::OnItemChanged(int, NMHDR* header, bool&)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    // A load tells nobody: the selection restored after it does, once.
    if (!(change->uChanged & LVIF_STATE) || m_filling)
        return 0;
    TellSelection();
    return 0;
}

LRESULT CListViewDay::OnColumnClick(int, NMHDR* header, bool&)
{
    SortByColumn(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
    return 0;
}

void CListViewDay::PostToggle(int row)
{
    // The toggle reloads the rows, which must not happen inside the list's own message.
    if (const int id = GetRowEntryId(row); id > 0)
        m_list.PostMessage(CDayListCtrl::WM_DAY_LIST_TOGGLE, static_cast<WPARAM>(id), 0);
}

LRESULT CListViewDay::OnKeyDown(int, NMHDR* header, bool& handled)
{
    switch (reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey) {
    case VK_SPACE:
        // The space bar ticks the focused row's check box.
        PostToggle(ListView_GetNextItem(m_list.m_hWnd, -1, LVNI_FOCUSED));
        handled = false;
        break;
    case VK_LEFT:
        GoPreviousDay();
        break;
    case VK_RIGHT:
        GoNextDay();
        break;
    default:
        handled = false;
        break;
    }
    return 0;
}

LRESULT CListViewDay::OnBeginDrag(int, NMHDR*, bool&)
{
    m_list.SetFocus();
    std::vector<int> ids;
    for (int row = ListView_GetNextItem(m_list.m_hWnd, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(m_list.m_hWnd, row, LVNI_SELECTED)) {
        // Time still being tracked into an entry keeps it where it is.
        if (GetRowIcon(row) == kIconTracked)
            return 0;
        ids.push_back(GetRowEntryId(row));
    }
    if (!ids.empty())
        BeginDragEntries(ids);
    return 0;
}

LRESULT CListViewDay::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    if (m_list.m_hWnd)
        WindowState::SaveColumnWidths(kColumnStateName, m_list.m_hWnd, DayListColumn::kCount);
    handled = false;
    return 0;
}

LRESULT CListViewDay::OnTipNeedsText(UINT, WPARAM, LPARAM, bool&)
{
    CYellowTip& tip = m_list.GetTip();
    tip.SetText(L"");
    LVHITTESTINFO hit = {};
    hit.pt = tip.GetLastPoint();
    const int row = ListView_HitTest(m_list.m_hWnd, &hit);
    TaskPlanEntry entry;
    IDailyPlanDocument* document = GetDocument();
    if (row >= 0 && document && document->GetPlanEntry(GetRowEntryId(row), entry))
        tip.SetText(entry.GetTask().GetDescription().c_str());
    return 0;
}
