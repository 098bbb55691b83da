#include "views/tasks/PelquornView.h"

#include <algorithm>
#include <unordered_set>

#include "app/ColumnDefaults.h"
#include "foundation/Language.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "foundation/WindowState.h"
#include "resources/IconIds.h"
#include "views/tasks/LabelEditorKeys.h"
#include "views/tasks/ListHandler.h"
#include "views/tasks/TaskOrder.h"

namespace {

CPelquornView* g_taskView = nullptr;
constexpr wchar_t kColumnStateName[] = L"TasksList";
constexpr int kViewNumber = 0;
// Row images by display status: new, in progress, completed, recurring;
// then the pictures of a task being moved and copied.
constexpr int kRowIconIds[] = {IDI_TASK_NEW, IDI_TASK_IN_PROGRESS, IDI_TASK_COMPLETED, IDI_TASK_RECURRING,
                               IDI_TASK_DRAG_MOVE, IDI_TASK_DRAG_COPY};

// Keeps the later images at their indexes when a picture is missing.
void AddBlankImage(HIMAGELIST images)
{
    const HDC screen = ::GetDC(nullptr);
    const HBITMAP colour = ::CreateCompatibleBitmap(screen, 16, 16);
    ::ReleaseDC(nullptr, screen);
    // A mask of ones: every pixel transparent.
    const std::vector<WORD> ones(16, 0xFFFF);
    const HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, ones.data());
    ::ImageList_Add(images, colour, mask);
    ::DeleteObject(colour);
    ::DeleteObject(mask);
}

struct SortOrder {
    int field;
    bool ascending;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM order)
{
    const auto* sort = reinterpret_cast<const SortOrder*>(order);
    return CompareTasks(*reinterpret_cast<const TaskCard*>(first), *reinterpret_cast<const TaskCard*>(second),
                        sort->field, sort->ascending);
}

} // namespace

CPelquornView* GetTaskView()
{
    return g_taskView;
}

CPelquornView::CPelquornView()
{
    m_sortField = static_cast<int>(Options::GetSortField(kViewNumber, 0));
    if (m_sortField < 0 || m_sortField >= kColumnCount)
        m_sortField = 0;
    m_sortDirection = Options::GetSortDirection(kViewNumber) != 0 ? 1 : 0;
    g_taskView = this;
}

CPelquornView::~CPelquornView()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_images)
        ::ImageList_Destroy(m_images);
    if (g_taskView == this)
        g_taskView = nullptr;
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
                 LVS_EDITLABELS,
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

LRESULT CPelquornView::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    WindowState::SaveColumnWidths(kColumnStateName, m_hWnd, kColumnCount);
    m_dropTarget.Revoke();
    if (GetDocument()) {
        GetDocument()->SetReminderWindow({});
        GetDocument()->SetTrackingWindow({});
    }
    handled = false;
    return 0;
}

void CPelquornView::InsertColumns()
{
    if (Header_GetItemCount(ListView_GetHeader(m_hWnd)) > 0)
        return;
    ListHandler(m_hWnd).InsertColumns(kTaskListColumnDefaults);
}

void CPelquornView::BuildImageList()
{
    if (m_images)
        return;
    m_images = ::ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, 6, 4);
    if (!m_images)
        return;
    ::ImageList_SetBkColor(m_images, CLR_NONE);
    for (int id : kRowIconIds) {
        const HICON icon = static_cast<HICON>(
            ::LoadImageW(GetResourceModule(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        if (icon) {
            ::ImageList_AddIcon(m_images, icon);
            ::DestroyIcon(icon);
        } else {
            AddBlankImage(m_images);
        }
    }
    ListView_SetImageList(m_hWnd, m_images, LVSIL_SMALL);
}

int CPelquornView::GetRowCount() const
{
    return m_hWnd ? ListView_GetItemCount(m_hWnd) : 0;
}

const TaskCard* CPelquornView::GetRowTask(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return nullptr;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!ListView_GetItem(m_hWnd, &item))
        return nullptr;
    return reinterpret_cast<const TaskCard*>(item.lParam);
}

int CPelquornView::FindRow(int taskId) const
{
    const int count = GetRowCount();
    for (int row = 0; row < count; ++row)
        if (const TaskCard* task = GetRowTask(row); task && task->GetId() == taskId)
            return row;
    return -1;
}

void CPelquornView::SelectRow(int row)
{
    ListHandler(m_hWnd).SelectItem(row);
}

int CPelquornView::GetFirstSelected() const
{
    return ListHandler(m_hWnd).GetFirstSelected();
}

int CPelquornView::GetSelectedCount() const
{
    return m_hWnd ? static_cast<int>(ListView_GetSelectedCount(m_hWnd)) : 0;
}

std::vector<int> CPelquornView::GetSelectedTaskIds() const
{
    std::vector<int> ids;
    for (int row = ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(m_hWnd, row, LVNI_SELECTED))
        if (const TaskCard* task = GetRowTask(row))
            ids.push_back(task->GetId());
    return ids;
}

bool CPelquornView::IsRecurring(int taskId)
{
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
    if (GetDocument())
        GetDocument()->Notify(sender, code);
}

void CPelquornView::RefreshRow(int row, const TaskCard& task, bool recurring)
{
    EString cells[kColumnCount] = {
        task.GetName(),
        Locale::FormatDuration(task.GetEstimation()),
        Locale::FormatDuration(task.GetDoneTime()),
        Locale::FormatDuration(task.GetPlannedTime()),
        task.HasOriginalEstimation() ? Locale::FormatDecimal(task.GetOriginalEstimation()) : EString(),
        task.GetImportanceText(),
        task.GetDeadlineText(),
        task.GetStatusText(),
        task.GetCategoryPath(),
    };
    for (int column = 0; column < kColumnCount; ++column)
        ListView_SetItemText(m_hWnd, row, column, cells[column].data());
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = task.GetDisplayStatus(recurring ? 1 : 0);
    ListView_SetItem(m_hWnd, &item);
    // The row's own copy follows what it shows.
    if (const TaskCard* copy = GetRowTask(row); copy && copy->GetId() == task.GetId())
        *const_cast<TaskCard*>(copy) = task;
}

void CPelquornView::RefreshTaskRow(int taskId)
{
    const int row = FindRow(taskId);
    TaskCard task;
    if (row >= 0 && GetDocument() && GetDocument()->GetTask(taskId, task, false))
        RefreshRow(row, task, IsRecurring(taskId));
}

void CPelquornView::Fill()
{
    ListView_DeleteAllItems(m_hWnd);
    if (!GetDocument())
        return;
    std::vector<TaskCard> tasks;
    GetDocument()->SelectTasks(tasks, true, true);
    for (const TaskCard& task : tasks) {
        const bool recurring = IsRecurring(task.GetId());
        EString name = task.GetName();
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = GetRowCount();
        item.pszText = name.data();
        item.iImage = task.GetDisplayStatus(recurring ? 1 : 0);
        item.lParam = reinterpret_cast<LPARAM>(new TaskCard(task));
        const int row = ListView_InsertItem(m_hWnd, &item);
        if (row < 0) {
            delete reinterpret_cast<TaskCard*>(item.lParam);
            continue;
        }
        RefreshRow(row, task, recurring);
    }
}

void CPelquornView::Sort()
{
    SortOrder order = {m_sortField, m_sortDirection != 0};
    ListView_SortItems(m_hWnd, CompareRows, reinterpret_cast<LPARAM>(&order));
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
    Sort();
    Options::SetSortField(kViewNumber, static_cast<DWORD>(m_sortField));
    Options::SetSortDirection(kViewNumber, static_cast<DWORD>(m_sortDirection));
}

void CPelquornView::RestoreSelection(const std::vector<int>& ids)
{
    if (!GetDocument())
        return;
    GetDocument()->SetSelectedTaskIds({});
    for (int id : ids)
        if (const int row = FindRow(id); row >= 0)
            SelectRow(row);
    EnsureFirstSelectedVisible();
}

void CPelquornView::Refill()
{
    // Emptying the list unselects its rows: the document's selection is
    // read first and left alone until the rows are back.
    std::vector<int> ids;
    if (GetDocument())
        GetDocument()->GetSelectedTaskIds(ids);
    m_filling = true;
    Fill();
    Sort();
    m_filling = false;
    RestoreSelection(ids);
}

void CPelquornView::CollectTaskIds(std::vector<TaskCard>& tasks, bool useStatusFilter, bool useDeadlineFilter)
{
    tasks.clear();
    if (!GetDocument())
        return;
    const bool ascending = m_sortDirection != 0;
    const auto byViewOrder = [&](const TaskCard& a, const TaskCard& b) {
        return CompareTasks(a, b, m_sortField, ascending) < 0;
    };
    GetDocument()->SelectTasks(tasks, true, true);
    std::stable_sort(tasks.begin(), tasks.end(), byViewOrder);
    std::vector<TaskCard> more;
    GetDocument()->SelectTasks(more, useStatusFilter, useDeadlineFilter);
    std::stable_sort(more.begin(), more.end(), byViewOrder);
    // A set, not a search per task: a large plan lists thousands of tasks.
    std::unordered_set<int> listed;
    for (const TaskCard& task : tasks)
        listed.insert(task.GetId());
    for (const TaskCard& task : more)
        if (listed.insert(task.GetId()).second)
            tasks.push_back(task);
}

void CPelquornView::Update(ISubject* subject, DocNotifyCode code)
{
    ViewBase::Update(subject, code);
    if (!m_hWnd)
        return;
    switch (code) {
    case NotifyCode::kPlanEntriesFound:
    case NotifyCode::kReload:
    case NotifyCode::kStoreViewState:
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
        // The reminder and the clock shown belong to the plan that went.
        CloseWindowsOfPreviousPlan();
        Refill();
        CheckReminders();
        return;
    default:
        // Code 0 included: a filter change and the edits of other views come
        // as 0 from no sender; the list's own edits name it and skip it.
        Refill();
        return;
    }
}

void CPelquornView::SelectFoundTask()
{
    CPelquornDoc* document = GetDocument();
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
    if (m_filling)
        return;
    if (GetDocument())
        GetDocument()->SetSelectedTaskIds(GetSelectedTaskIds());
    if (m_onRowSelected)
        m_onRowSelected(GetFirstSelected());
    RefreshCommandUI(true);
}

bool CPelquornView::OnEndLabelEdit(const NMLVDISPINFOW& info)
{
    if (!info.item.pszText || !GetDocument())
        return false;
    const TaskCard* row = GetRowTask(info.item.iItem);
    TaskCard task;
    if (!row || !GetDocument()->GetTask(row->GetId(), task))
        return false;
    task.SetName(info.item.pszText);
    GetDocument()->UpdateTask(task);
    // The row keeps the name the control now shows.
    const_cast<TaskCard*>(row)->SetName(info.item.pszText);
    NotifyDocument(this, NotifyCode::kAll);
    return true;
}

LRESULT CPelquornView::OnReflectedNotify(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
    case LVN_DELETEITEM: {
        const auto* list = reinterpret_cast<const NMLISTVIEW*>(lParam);
        delete reinterpret_cast<TaskCard*>(list->lParam);
        return 0;
    }
    case LVN_COLUMNCLICK:
        SortByColumn(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        return 0;
    case LVN_ITEMCHANGED:
        if (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE)
            OnSelectionChanged();
        return 0;
    case LVN_BEGINDRAG:
        OnBeginDrag();
        return 0;
    case LVN_BEGINLABELEDITW:
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
