#include "views/tasks/PelquornView.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

#include "foundation/BlankName.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "foundation/WindowState.h"
#include "resources/IconIds.h"
#include "views/common/ColumnDefaults.h"
#include "views/common/LabelEditorKeys.h"
#include "views/common/ListHandler.h"
#include "views/common/TaskColumns.h"
#include "views/common/TaskOrder.h"
#include "views/common/TypedNameFind.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"
#include "winlib/RedrawSuspension.h"

namespace {

constexpr wchar_t kColumnStateName[] = L"TasksList";
constexpr int kViewNumber = 0;
constexpr int kPriorityColumn = 5;
constexpr int kStatusColumn = 7;
// Row images by display status: new, in progress, completed, recurring;
// then the pictures of a task being moved and copied.
constexpr unsigned kRowIconIds[] = {IDI_TASK_NEW, IDI_TASK_IN_PROGRESS, IDI_TASK_COMPLETED, IDI_TASK_RECURRING,
                                    IDI_TASK_DRAG_MOVE, IDI_TASK_DRAG_COPY};

// Counts the view's own changes of the control's selection, which may nest.
class ScopedCount {
public:
    explicit ScopedCount(int& count) : m_count(count) { ++m_count; }
    ScopedCount(const ScopedCount&) = delete;
    ScopedCount& operator=(const ScopedCount&) = delete;
    ~ScopedCount() { --m_count; }

private:
    int& m_count;
};

bool SameTasks(const std::vector<TaskCard>& a, const std::vector<TaskCard>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const TaskCard& x, const TaskCard& y) { return x.GetId() == y.GetId(); });
}

} // namespace

CPelquornView::CPelquornView()
{
    m_sortField = static_cast<int>(Options::GetSortField(kViewNumber, 0));
    if (m_sortField < 0 || m_sortField >= kColumnCount)
        m_sortField = 0;
    m_sortDirection = Options::GetSortDirection(kViewNumber) != 0 ? 1 : 0;
}

CPelquornView::~CPelquornView()
{
    if (m_hWnd)
        DestroyWindow();
}

WindowClass CPelquornView::GetWindowClass()
{
    return {.name = L"PelquornView", .baseName = WC_LISTVIEWW};
}

HWND CPelquornView::Create(HWND parent)
{
    return CWindowImpl<CPelquornView>::Create({
        .parent = parent,
        .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | LVS_REPORT | LVS_SHOWSELALWAYS |
                 LVS_EDITLABELS | LVS_OWNERDATA | LVS_SHAREIMAGELISTS,
        .exStyle = WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT,
        .rect = {0, 0, 0, 0},
    });
}

LRESULT CPelquornView::OnCreate(UINT, WPARAM, LPARAM, bool& handled)
{
    m_tip.Create(m_hWnd);
    // A list that takes no drops still works.
    m_dropTarget.Register(m_hWnd, this);
    PostMessage(WM_VIEW_DEFERRED_INIT, 0, 0);
    handled = false;
    return 0;
}

LRESULT CPelquornView::OnDeferredInit(UINT, WPARAM, LPARAM, bool&)
{
    InsertColumns();
    BuildImageList();
    WindowState::RestoreColumnWidths(kColumnStateName, m_hWnd, kColumnCount);
    return 0;
}

LRESULT CPelquornView::OnActivateRequest(UINT, WPARAM, LPARAM, bool&)
{
    // The view's own message: the list control would take it for one of its unknown ones.
    Activate();
    return 0;
}

LRESULT CPelquornView::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    WindowState::SaveColumnWidths(kColumnStateName, m_hWnd, kColumnCount);
    m_dropTarget.Revoke();
    handled = false;
    return 0;
}

void CPelquornView::InsertColumns()
{
    if (Header_GetItemCount(ListView_GetHeader(m_hWnd)) > 0)
        return;
    const ListHandler columns(m_hWnd);
    columns.InsertColumns(kTaskListColumnDefaults);
    // Every header shows whole from the start, and so do the priorities and
    // states, in the language shown; widths the user stored come after.
    for (int column = 0; column < kColumnCount; ++column)
        columns.WidenColumnToShow(column, {});
    std::vector<EString> names;
    TaskCard::GetImportanceNames(names);
    columns.WidenColumnToShow(kPriorityColumn, names);
    TaskCard::GetStatusNames(names);
    columns.WidenColumnToShow(kStatusColumn, names);
}

void CPelquornView::BuildImageList()
{
    if (!m_images.IsNull())
        return;
    m_images = CImageList(::ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, 6, 4));
    if (m_images.IsNull())
        return;
    ::ImageList_SetBkColor(m_images, CLR_NONE);
    m_images.AddIconResources(GetResourceModule(), kRowIconIds);
    ListView_SetImageList(m_hWnd, m_images, LVSIL_SMALL);
}

int CPelquornView::GetRowCount() const
{
    BringRowsUpToDate();
    return static_cast<int>(m_rows.size());
}

const TaskCard* CPelquornView::GetRowTask(int row) const
{
    BringRowsUpToDate();
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return nullptr;
    return &m_rows[static_cast<size_t>(row)];
}

int CPelquornView::FindRow(int taskId) const
{
    BringRowsUpToDate();
    const auto found = m_rowOfTask.find(taskId);
    return found == m_rowOfTask.end() ? -1 : found->second;
}

void CPelquornView::SelectRow(int row)
{
    ListHandler(m_hWnd).SelectItem(row);
    // Whoever selects a row reads the document's selection next.
    ApplySelectionChange();
}

int CPelquornView::GetFirstSelected() const
{
    return ListHandler(m_hWnd).GetFirstSelected();
}

int CPelquornView::GetSelectedCount() const
{
    return m_hWnd ? static_cast<int>(ListView_GetSelectedCount(m_hWnd)) : 0;
}

std::vector<int> CPelquornView::GetSelectedRows() const
{
    std::vector<int> rows;
    if (!m_hWnd)
        return rows;
    // Select All, kept through a refill, selects thousands of rows: asking
    // for each costs a message, while the count tells at once that all are.
    const int selected = GetSelectedCount();
    if (selected == 0)
        return rows;
    if (selected == ListView_GetItemCount(m_hWnd)) {
        rows.resize(static_cast<size_t>(selected));
        std::iota(rows.begin(), rows.end(), 0);
        return rows;
    }
    for (int row = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(m_hWnd, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

std::vector<int> CPelquornView::GetSelectedTaskIds() const
{
    std::vector<int> ids;
    for (int row : GetSelectedRows())
        if (const TaskCard* task = GetRowTask(row))
            ids.push_back(task->GetId());
    return ids;
}

bool CPelquornView::IsRecurring(int taskId)
{
    // A listed task carries its flag from the fill or its last refresh.
    if (const TaskCard* task = GetRowTask(FindRow(taskId)))
        return task->HasRecurrence();
    RecurrenceInfo recurrence;
    return GetDocument() && GetDocument()->GetRecurrence(taskId, recurrence);
}

void CPelquornView::EnsureFirstSelectedVisible()
{
    const int row = GetFirstSelected();
    if (row >= 0)
        ListView_EnsureVisible(m_hWnd, row, FALSE);
}

void CPelquornView::NotifyDocument(IObserver* sender, DocNotifyCode code)
{
    // The list's own changes of the plan or of a category skip it as an
    // observer, yet they may add, drop or reorder its rows.
    if (sender == this && code >= NotifyCode::kAll)
        RefillSoon();
    if (GetDocument())
        GetDocument()->Notify(sender, code);
}

void CPelquornView::RefreshRow(int row, const TaskCard& task, bool recurring)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || m_rows[static_cast<size_t>(row)].GetId() != task.GetId())
        return;
    TaskCard& shown = m_rows[static_cast<size_t>(row)];
    shown = task;
    shown.SetHasRecurrence(recurring);
    ListView_RedrawItems(m_hWnd, row, row);
}

void CPelquornView::RefreshTaskRow(int taskId)
{
    const int row = FindRow(taskId);
    TaskCard task;
    if (row >= 0 && GetDocument() && GetDocument()->GetTask(taskId, task, false))
        RefreshRow(row, task, IsRecurring(taskId));
}

void CPelquornView::TellTaskEdited(int taskId)
{
    ITaskListDocument* document = GetDocument();
    if (!document)
        return;
    const int row = FindRow(taskId);
    TaskCard task;
    RecurrenceInfo recurrence;
    if (row < 0 || !document->GetTask(taskId, task, false) || !document->PassesTaskListFilters(task) ||
        !KeepsItsPlace(row, task)) {
        NotifyDocument(this, NotifyCode::kAll);
        return;
    }
    // An edit keeps the task in its category: the path shown stays.
    task.SetCategoryPath(m_rows[static_cast<size_t>(row)].GetCategoryPath());
    const bool recurring = document->GetRecurrence(taskId, recurrence);
    task.SetDailyRecurrence(recurring && recurrence.IsEveryDay());
    RefreshRow(row, task, recurring);
    document->Notify(this, NotifyCode::kAll);
    // The calendar shows the list's tasks: it reloads when the list tells of its order, as after a refill.
    document->Notify(this, NotifyCode::kTasksSorted);
}

bool CPelquornView::KeepsItsPlace(int row, const TaskCard& task) const
{
    const bool ascending = m_sortDirection != 0;
    const size_t at = static_cast<size_t>(row);
    return (at == 0 || CompareTasks(m_rows[at - 1], task, m_sortField, ascending) < 0) &&
           (at + 1 >= m_rows.size() || CompareTasks(task, m_rows[at + 1], m_sortField, ascending) < 0);
}

void CPelquornView::GetDisplayInfo(LVITEMW& item) const
{
    // The control may paint between a refill and its new count: rows past the end show nothing.
    const TaskCard* task =
        item.iItem >= 0 && item.iItem < static_cast<int>(m_rows.size()) ? &m_rows[static_cast<size_t>(item.iItem)]
                                                                          : nullptr;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const EString text = task ? TaskColumnText(*task, item.iSubItem) : EString();
        ::lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE)
        item.iImage = task ? task->GetDisplayStatus(task->HasRecurrence() ? 1 : 0) : I_IMAGENONE;
}

int CPelquornView::FindRowByName(const NMLVFINDITEMW& find) const
{
    return FindRowByTypedName(find, static_cast<int>(m_rows.size()),
                              [&](int row) { return m_rows[static_cast<size_t>(row)].GetName(); });
}

void CPelquornView::SortRecords(std::vector<TaskCard>& tasks) const
{
    SortTasks(tasks, m_sortField, m_sortDirection != 0);
}

void CPelquornView::IndexRows()
{
    m_rowOfTask.clear();
    m_rowOfTask.reserve(m_rows.size());
    for (size_t row = 0; row < m_rows.size(); ++row)
        m_rowOfTask[m_rows[row].GetId()] = static_cast<int>(row);
}

void CPelquornView::ShowRows(std::vector<TaskCard> tasks)
{
    const bool sameTasks = SameTasks(tasks, m_rows);
    m_rows = std::move(tasks);
    IndexRows();
    if (sameTasks) {
        // The control keeps its rows, selection and scroll; only what they show may differ.
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return;
    }
    const ScopedCount setting(m_settingSelection);
    std::optional<CRedrawSuspension> redraw;
    SuspendRedraw(redraw);
    // Other tasks: the rows selected and focused so far would name others.
    ListView_SetItemState(m_hWnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemCountEx(m_hWnd, static_cast<int>(m_rows.size()), LVSICF_NOSCROLL);
    if (!m_rows.empty())
        ListView_EnsureVisible(m_hWnd, 0, FALSE);
}

void CPelquornView::SuspendRedraw(std::optional<CRedrawSuspension>& redraw) const
{
    if (m_redrawSuspended == 0)
        redraw.emplace(m_hWnd);
}

void CPelquornView::ClearRows()
{
    // Nothing of the replaced plan is refilled or told.
    m_refillPending = false;
    m_selectionChanged = false;
    // The control's count is always the rows': a list that shows none, as
    // at start-up, is not laid out and drawn again for nothing.
    if (m_rows.empty())
        return;
    m_rows.clear();
    m_rowOfTask.clear();
    const ScopedCount setting(m_settingSelection);
    ListView_SetItemState(m_hWnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemCountEx(m_hWnd, 0, 0);
}

void CPelquornView::SetSelectedRows(std::vector<int> rows, int focusedRow)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const bool changed = rows != GetSelectedRows();
    if (!changed && focusedRow < 0)
        return;
    const ScopedCount setting(m_settingSelection);
    std::optional<CRedrawSuspension> redraw;
    SuspendRedraw(redraw);
    if (changed) {
        // Each row's message costs the control a notification: all rows are
        // set in one, then the fewer of the chosen rows or the others one by one.
        const int count = static_cast<int>(m_rows.size());
        if (rows.size() * 2 > m_rows.size()) {
            ListView_SetItemState(m_hWnd, -1, LVIS_SELECTED, LVIS_SELECTED);
            auto chosen = rows.begin();
            for (int row = 0; row < count; ++row) {
                if (chosen != rows.end() && *chosen == row)
                    ++chosen;
                else
                    ListView_SetItemState(m_hWnd, row, 0, LVIS_SELECTED);
            }
        } else {
            ListView_SetItemState(m_hWnd, -1, 0, LVIS_SELECTED);
            for (int row : rows)
                ListView_SetItemState(m_hWnd, row, LVIS_SELECTED, LVIS_SELECTED);
        }
    }
    if (focusedRow >= 0)
        ListView_SetItemState(m_hWnd, focusedRow, LVIS_FOCUSED, LVIS_FOCUSED);
}

void CPelquornView::Sort()
{
    BringRowsUpToDate();
    ApplySelectionChange();
    const std::vector<int> selected = GetSelectedTaskIds();
    const TaskCard* focused = GetRowTask(ListView_GetNextItem(m_hWnd, -1, LVNI_FOCUSED));
    const int focusedId = focused ? focused->GetId() : -1;
    SortRecords(m_rows);
    IndexRows();
    // The selected tasks stay selected in their new rows; the document's selection is the same.
    std::vector<int> rows;
    rows.reserve(selected.size());
    for (int id : selected)
        rows.push_back(m_rowOfTask[id]);
    SetSelectedRows(std::move(rows), focusedId >= 0 ? m_rowOfTask[focusedId] : -1);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    NotifyDocument(this, NotifyCode::kTasksSorted);
}

void CPelquornView::SortByColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    if (column == m_sortField)
        m_sortDirection = m_sortDirection ? 0 : 1;
    else
        m_sortField = column;
    // Stored first: the views told of the new order read it from the document.
    Options::SetSortField(kViewNumber, static_cast<DWORD>(m_sortField));
    Options::SetSortDirection(kViewNumber, static_cast<DWORD>(m_sortDirection));
    Sort();
}

void CPelquornView::RestoreSelection(const std::vector<int>& ids)
{
    if (!GetDocument())
        return;
    std::vector<int> rows;
    rows.reserve(ids.size());
    for (int id : ids)
        if (const auto found = m_rowOfTask.find(id); found != m_rowOfTask.end())
            rows.push_back(found->second);
    // The last one takes the focus, as when each was selected in turn.
    const int focused = rows.empty() ? -1 : rows.back();
    SetSelectedRows(rows, focused);
    if (rows.empty()) {
        GetDocument()->SetSelectedTaskIds({});
        return;
    }
    TellSelection();
    EnsureFirstSelectedVisible();
}

void CPelquornView::Refill()
{
    m_refillPending = false;
    if (!m_hWnd || !GetDocument())
        return;
    // The user's last choice reaches the document before its selection is read back.
    ApplySelectionChange();
    std::vector<int> ids;
    GetDocument()->GetSelectedTaskIds(ids);
    std::vector<TaskCard> tasks;
    GetDocument()->SelectTasks(tasks, true, true);
    SortRecords(tasks);
    // The control lays out its scroll bars each time its redraw resumes:
    // other rows and their selection resume it once.
    std::optional<CRedrawSuspension> redraw;
    std::optional<ScopedCount> held;
    if (!SameTasks(tasks, m_rows)) {
        redraw.emplace(m_hWnd);
        held.emplace(m_redrawSuspended);
    }
    ShowRows(std::move(tasks));
    // Read just now: the calendar takes them as they are instead of reading them again.
    GetDocument()->SetListedTasks(m_rows);
    NotifyDocument(this, NotifyCode::kTasksSorted);
    RestoreSelection(ids);
}

void CPelquornView::BringRowsUpToDate() const
{
    // The rows are the view's answer to its readers: bringing them up to date changes no reader's view of the list but its age.
    if (m_refillPending)
        const_cast<CPelquornView*>(this)->Refill();
}

void CPelquornView::RefillSoon()
{
    if (m_refillPending)
        return;
    m_refillPending = true;
    PostMessage(WM_VIEW_REFILL, 0, 0);
}

LRESULT CPelquornView::OnPostedRefill(UINT, WPARAM, LPARAM, bool&)
{
    BringRowsUpToDate();
    return 0;
}

LRESULT CPelquornView::OnListMessage(UINT, WPARAM, LPARAM, bool& handled)
{
    // Whoever asks the control about its rows gets those of the last notification.
    BringRowsUpToDate();
    handled = false;
    return 0;
}

LRESULT CPelquornView::OnCommandArrives(UINT, WPARAM, LPARAM, bool& handled)
{
    // A command acts on the rows and the selection as they are now.
    BringRowsUpToDate();
    ApplySelectionChange();
    handled = false;
    return 0;
}

void CPelquornView::Update(ISubject* subject, DocNotifyCode code)
{
    ViewBase::Update(subject, code);
    if (!m_hWnd)
        return;
    if (code != NotifyCode::kDocumentLoaded)
        ApplySelectionChange();
    switch (code) {
    case NotifyCode::kPlanEntriesFound:
    case NotifyCode::kReload:
    case NotifyCode::kStoreViewState:
        return;
    case NotifyCode::kEndEditsInPlace:
        EndRenameInPlace(true);
        return;
    case NotifyCode::kFindHit:
        SelectFoundTask();
        return;
    case NotifyCode::kRedraw:
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return;
    case NotifyCode::kDocumentLoaded:
        // A new or opened plan is shown at once, not only once a category
        // is chosen for it.
        // The reminder, the clock and a rename still open belong to the plan that went.
        CloseWindowsOfPreviousPlan();
        EndRenameInPlace(false);
        ClearRows();
        RefillSoon();
        CheckReminders();
        return;
    default:
        // Code 0 included: a filter change and the edits of other views come
        // as 0 from no sender; the list's own edits name it and skip it.
        // A burst of them refills once.
        RefillSoon();
        return;
    }
}

void CPelquornView::SelectFoundTask()
{
    ITaskListDocument* document = GetDocument();
    if (!document)
        return;
    ISearchResults& search = document->GetSearchResults();
    if (!search.IsTaskFound())
        return;
    const int taskId = search.GetFoundTaskId();
    const int row = FindRow(taskId);
    if (row < 0) {
        // The category tree may hear of the hit after this list: its choice
        // of the hit's category refills the list, which then restores this.
        if (document->GetCurrentCategoryId() != search.GetFoundCategoryId())
            document->SetSelectedTaskIds({taskId});
        return;
    }
    // The hit alone: every other selected row is let go.
    ListView_SetItemState(m_hWnd, -1, 0, LVIS_SELECTED);
    SelectRow(row);
    EnsureFirstSelectedVisible();
}

void CPelquornView::OnSelectionChanged()
{
    // The view tells of its own changes itself. The control tells of a
    // click's changes row by row: they are told on once.
    if (m_settingSelection > 0)
        return;
    m_selectionChanged = true;
    if (!m_selectionPosted)
        m_selectionPosted = PostMessage(WM_VIEW_SELECTION_CHANGED, 0, 0) != FALSE;
}

LRESULT CPelquornView::OnPostedSelectionChange(UINT, WPARAM, LPARAM, bool&)
{
    m_selectionPosted = false;
    ApplySelectionChange();
    return 0;
}

void CPelquornView::ApplySelectionChange()
{
    if (!m_selectionChanged || m_settingSelection > 0)
        return;
    m_selectionChanged = false;
    TellSelection();
}

void CPelquornView::TellSelection()
{
    if (GetDocument())
        GetDocument()->SetSelectedTaskIds(GetSelectedTaskIds());
    if (m_onRowSelected)
        m_onRowSelected(GetFirstSelected());
    RefreshCommandUI(true);
}

bool CPelquornView::OnEndLabelEdit(const NMLVDISPINFOW& info)
{
    // A name of blanks would leave the row without a label: the old one stays.
    if (!info.item.pszText || !GetDocument() || IsBlankName(info.item.pszText))
        return false;
    const TaskCard* row = GetRowTask(info.item.iItem);
    TaskCard task;
    if (!row || !GetDocument()->GetTask(row->GetId(), task))
        return false;
    task.SetName(info.item.pszText);
    GetDocument()->UpdateTask(task);
    // The row shows the new name.
    const_cast<TaskCard*>(row)->SetName(info.item.pszText);
    ListView_RedrawItems(m_hWnd, info.item.iItem, info.item.iItem);
    NotifyDocument(this, NotifyCode::kAll);
    return true;
}

void CPelquornView::EndRenameInPlace(bool keep)
{
    const HWND editor = ListView_GetEditControl(m_hWnd);
    if (!editor)
        return;
    // The list ends the edit with no text, as Escape does; the text typed is
    // then kept as Enter keeps it.
    EString typed = CWindow(editor).GetWindowText();
    ListView_CancelEditLabel(m_hWnd);
    if (!keep)
        return;
    NMLVDISPINFOW info = {};
    info.item.iItem = m_renamedRow;
    info.item.pszText = typed.data();
    OnEndLabelEdit(info);
}

LRESULT CPelquornView::OnReflectedNotify(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
    case LVN_GETDISPINFOW:
        GetDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
        return 0;
    case LVN_ODFINDITEMW:
        return FindRowByName(*reinterpret_cast<const NMLVFINDITEMW*>(lParam));
    case LVN_COLUMNCLICK:
        SortByColumn(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        return 0;
    case LVN_ITEMCHANGED:
        if (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE)
            OnSelectionChanged();
        return 0;
    case LVN_ODSTATECHANGED:
        // A range chosen with Shift.
        OnSelectionChanged();
        return 0;
    case LVN_BEGINDRAG:
        OnBeginDrag();
        return 0;
    case LVN_BEGINLABELEDITW:
        m_renamedRow = reinterpret_cast<const NMLVDISPINFOW*>(lParam)->item.iItem;
        return FALSE;
    case LVN_ENDLABELEDITW:
        return OnEndLabelEdit(*reinterpret_cast<const NMLVDISPINFOW*>(lParam)) ? TRUE : FALSE;
    case NM_DBLCLK:
        PostMessage(WM_COMMAND, MAKEWPARAM(ID_TASK_EDIT, 0), 0);
        return 0;
    default:
        handled = false;
        return 0;
    }
}

LRESULT CPelquornView::OnMouseMove(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    m_tip.OnMouseMove({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    handled = false;
    return 0;
}

LRESULT CPelquornView::OnTipNeedsText(UINT, WPARAM, LPARAM, bool&)
{
    m_tip.SetText(L"");
    LVHITTESTINFO hit = {};
    hit.pt = m_tip.GetLastPoint();
    const int row = ListView_HitTest(m_hWnd, &hit);
    TaskCard task;
    if (const TaskCard* shown = GetRowTask(row); shown && GetDocument() && GetDocument()->GetTask(shown->GetId(), task, false))
        m_tip.SetText(task.GetDescription().c_str());
    return 0;
}

LRESULT CPelquornView::OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&)
{
    ListHandler(m_hWnd).SelectRowForMenu(lParam);
    ApplySelectionChange();
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    // From the keyboard, which sends -1 or both halves -1.
    if (lParam == -1 || (point.x == -1 && point.y == -1)) {
        const int row = GetFirstSelected();
        RECT label = {};
        if (row >= 0 && ListView_GetItemRect(m_hWnd, row, &label, LVIR_LABEL))
            point = {label.left, label.bottom};
        else
            point = {0, 0};
        ::ClientToScreen(m_hWnd, &point);
    }
    ShowContextMenu(&point, IDR_TASK_LIST_MENU);
    return 0;
}

bool CPelquornView::PreTranslateMessage(MSG* message)
{
    m_tip.RelayEvent(*message);
    if (DispatchLabelEditorKey(ListView_GetEditControl(m_hWnd), message))
        return true;
    return ViewBase::PreTranslateMessage(message);
}
