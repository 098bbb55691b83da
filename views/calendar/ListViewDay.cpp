#include "views/calendar/ListViewDay.h"

#include <algorithm>

#include "document/PelquornDoc.h"
#include "foundation/AppWindow.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "foundation/ResourceModule.h"
#include "foundation/WindowState.h"
#include "resources/AppCommandIds.h"
#include "resources/IconIds.h"
#include "views/calendar/DayListOrder.h"
#include "views/common/ColumnDefaults.h"
#include "views/common/ListHandler.h"
#include "views/common/ViewMessages.h"
#include "winlib/RedrawSuspension.h"

namespace {

constexpr wchar_t kColumnStateName[] = L"PlanEntriesList";
constexpr int kRowIconIds[] = {IDI_ENTRY_NOT_BEGUN, IDI_ENTRY_RUNNING, IDI_ENTRY_OVER, IDI_TRACK_TIME};
// State images 1 and 2 of a check box: clear and ticked.
constexpr int kStateIconIds[] = {IDI_CHECK_CLEAR, IDI_CHECK_TICKED};
constexpr int kHeaderIconIds[] = {IDI_SORT_ASCENDING, IDI_SORT_DESCENDING};
constexpr int kUnchecked = 1;
constexpr int kChecked = 2;

// A blank keeps the later images at their indexes when a picture is missing.
void AddIcon(HIMAGELIST images, int id)
{
    const HICON icon = static_cast<HICON>(
        ::LoadImageW(GetResourceModule(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    if (icon) {
        ::ImageList_AddIcon(images, icon);
        ::DestroyIcon(icon);
        return;
    }
    const HDC screen = ::GetDC(nullptr);
    const HBITMAP colour = ::CreateCompatibleBitmap(screen, 16, 16);
    ::ReleaseDC(nullptr, screen);
    const WORD ones[16] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF,
                           0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    const HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, ones);
    ::ImageList_Add(images, colour, mask);
    ::DeleteObject(colour);
    ::DeleteObject(mask);
}

template <size_t N>
HIMAGELIST MakeImageList(const int (&ids)[N])
{
    const HIMAGELIST images = ::ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, static_cast<int>(N), 4);
    if (!images)
        return nullptr;
    ::ImageList_SetBkColor(images, CLR_NONE);
    for (int id : ids)
        AddIcon(images, id);
    return images;
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
    if (m_headerImages)
        ::ImageList_Destroy(m_headerImages);
}

HWND CListViewDay::Create(ICreatableWindow* owner, const RECT& rect)
{
    if (!owner)
        return nullptr;
    SetOwnerView(owner);
    m_list.SetOwnerView(owner);
    if (!m_list.CWindowImpl<CDayListCtrl>::Create({
            .parent = owner->GetHwnd(),
            .style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_REPORT | LVS_SHOWSELALWAYS,
            .exStyle = WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT,
            .rect = rect,
            .id = CDayListCtrl::kControlId,
        }))
        return nullptr;
    m_list.onToggleCompleted = [this](int id) { ToggleCompletedOne(id); };
    ListView_SetExtendedListViewStyleEx(m_list.m_hWnd, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
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
    m_rowImages = MakeImageList(kRowIconIds);
    ListView_SetImageList(m_list.m_hWnd, m_rowImages, LVSIL_SMALL);
    m_stateImages = MakeImageList(kStateIconIds);
    // The check boxes came with pictures of their own, which ours replace.
    if (const HIMAGELIST replaced = ListView_SetImageList(m_list.m_hWnd, m_stateImages, LVSIL_STATE))
        ::ImageList_Destroy(replaced);
    m_headerImages = MakeImageList(kHeaderIconIds);
    Header_SetImageList(ListView_GetHeader(m_list.m_hWnd), m_headerImages);
}

void CListViewDay::InsertColumns()
{
    ListHandler(m_list.m_hWnd).InsertColumns(kPlanEntryColumnDefaults);
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
    if (row < 0 || row >= GetRowCount())
        return 0;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return ListView_GetItem(m_list.m_hWnd, &item) ? static_cast<int>(item.lParam) : 0;
}

int CListViewDay::GetRowIcon(int row) const
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    return ListView_GetItem(m_list.m_hWnd, &item) ? item.iImage : -1;
}

int CListViewDay::FindRow(int id) const
{
    if (!m_list.m_hWnd)
        return -1;
    LVFINDINFOW find = {};
    find.flags = LVFI_PARAM;
    find.lParam = id;
    return ListView_FindItem(m_list.m_hWnd, -1, &find);
}

bool CListViewDay::GetFocusedItemRect(RECT& rect)
{
    const int row = GetSelectedIndex();
    return row >= 0 && ListView_GetItemRect(m_list.m_hWnd, row, &rect, LVIR_LABEL);
}

int CListViewDay::RowIcon(const TaskPlanEntry& entry)
{
    int icon = entry.GetPhase(GetShownDate());
    CPelquornDoc* document = GetDocument();
    if (document && entry.GetId() == document->GetTrackedPlanEntryId())
        icon = kIconTracked;
    // While time is tracked, only the tracked entry counts as running.
    if (document && document->IsTracking() && icon == kIconRunning)
        icon = kIconNotBegun;
    return icon;
}

void CListViewDay::SetRowIcon(int row, int icon)
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = icon;
    ListView_SetItem(m_list.m_hWnd, &item);
}

void CListViewDay::InsertRow(const TaskPlanEntry& entry)
{
    m_filling = true;
    EString name = entry.GetName();
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = GetRowCount();
    item.pszText = name.data();
    item.lParam = entry.GetId();
    item.iImage = RowIcon(entry);
    const int row = ListView_InsertItem(m_list.m_hWnd, &item);
    if (row >= 0) {
        EString texts[] = {entry.GetStartTimeText(), entry.GetEndTimeText(), entry.GetDurationText(),
                           entry.GetTask().GetImportanceText(), entry.GetSingleLineDescription()};
        for (int column = 1; column < DayListColumn::kCount; ++column)
            ListView_SetItemText(m_list.m_hWnd, row, column, texts[column - 1].data());
        ListView_SetItemState(m_list.m_hWnd, row, INDEXTOSTATEIMAGEMASK(entry.IsCompleted() ? kChecked : kUnchecked),
                              LVIS_STATEIMAGEMASK);
    }
    m_filling = false;
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
    {
        // Rows inserted while the list draws cost a redraw each: a crowded day has thousands.
        const CRedrawSuspension redraw(m_list.m_hWnd);
        ListView_DeleteAllItems(m_list.m_hWnd);
        m_shownEntries.clear();
        if (CPelquornDoc* document = GetDocument()) {
            std::vector<TaskPlanEntry> entries;
            document->GetDayPlanEntries(GetShownDate(), entries);
            // In order before they become rows, as the list's own stable sort would put them:
            // that sort would read two entries from the document for each comparison.
            std::stable_sort(entries.begin(), entries.end(), [this](const TaskPlanEntry& a, const TaskPlanEntry& b) {
                return CompareDayEntries(a, b, m_sortColumn, m_sortAscending) < 0;
            });
            ListView_SetItemCount(m_list.m_hWnd, static_cast<int>(entries.size()));
            m_shownEntries.reserve(entries.size());
            for (const TaskPlanEntry& entry : entries) {
                InsertRow(entry);
                m_shownEntries.emplace(entry.GetId(), entry);
            }
        }
    }
    SelectEntryById(selectedId);
    StartRefreshTimer();
}

void CListViewDay::RefreshEntries()
{
    CPelquornDoc* document = GetDocument();
    const int count = GetRowCount();
    const double shownDate = GetShownDate();
    for (int row = 0; document && row < count; ++row) {
        const int id = GetRowEntryId(row);
        TaskPlanEntry entry;
        if (id > 0 && document->GetPlanEntry(id, entry))
            SetRowIcon(row, entry.GetPhase(shownDate));
    }
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

int CALLBACK CListViewDay::CompareRows(LPARAM first, LPARAM second, LPARAM self)
{
    auto* list = reinterpret_cast<CListViewDay*>(self);
    const TaskPlanEntry* a = list->ShownEntry(static_cast<int>(first));
    const TaskPlanEntry* b = list->ShownEntry(static_cast<int>(second));
    if (!a || !b)
        return 0;
    return CompareDayEntries(*a, *b, list->m_sortColumn, list->m_sortAscending);
}

const TaskPlanEntry* CListViewDay::ShownEntry(int id) const
{
    const auto shown = m_shownEntries.find(id);
    return shown == m_shownEntries.end() ? nullptr : &shown->second;
}

void CListViewDay::Sort()
{
    if (m_list.m_hWnd)
        ListView_SortItems(m_list.m_hWnd, CompareRows, reinterpret_cast<LPARAM>(this));
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

LRESULT CListViewDay::OnItemChanged(int, NMHDR* header, bool&)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    // A row being filled toggles nothing and tells nobody: the selection
    // restored after the fill does, once.
    if (!(change->uChanged & LVIF_STATE) || m_filling)
        return 0;
    const UINT newCheck = change->uNewState & LVIS_STATEIMAGEMASK;
    const UINT oldCheck = change->uOldState & LVIS_STATEIMAGEMASK;
    // Only a change of a shown check box: a first picture or a change of
    // selection or focus toggles nothing.
    if (newCheck != 0 && oldCheck != 0 && newCheck != oldCheck) {
        if (const int id = GetRowEntryId(change->iItem); id > 0)
            m_list.PostMessage(CDayListCtrl::WM_DAY_LIST_TOGGLE, static_cast<WPARAM>(id), 0);
    }
    if (CPelquornDoc* document = GetDocument())
        document->SetPreviousPlanEntryId(GetSelectedEntryId());
    if (ICreatableWindow* owner = GetOwnerView())
        owner->SendViewMessage(WM_PELQUORN_DOC_CHANGED, 0, 0);
    return 0;
}

LRESULT CListViewDay::OnColumnClick(int, NMHDR* header, bool&)
{
    SortByColumn(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
    return 0;
}

LRESULT CListViewDay::OnKeyDown(int, NMHDR* header, bool& handled)
{
    switch (reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey) {
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
    CPelquornDoc* document = GetDocument();
    if (row >= 0 && document && document->GetPlanEntry(GetRowEntryId(row), entry))
        tip.SetText(entry.GetTask().GetDescription().c_str());
    return 0;
}
