#include "views/calendar/CalendarView.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "foundation/Clock.h"
#include "foundation/Options.h"
#include "views/common/TaskOrder.h"
#include "winlib/DeviceContext.h"
#include "winlib/MemoryDC.h"

namespace {

bool CalendarStatusFilter()
{
    return Options::GetStatusFilterOnCalendar() != 0;
}

bool CalendarDateFilter()
{
    return Options::GetDateFilterOnCalendar() != 0;
}

// The tasks the task list shows, in its order, then those only the
// calendar's own filters let through, in the same order. The list's own
// rows are shared while no change was told since it showed them.
std::shared_ptr<const std::vector<TaskCard>> TasksInListOrder(IDeadlinesCalendarDocument& document,
                                                              IDeadlinesCalendarDocument::TaskSort sort,
                                                              bool useStatusFilter, bool useDeadlineFilter)
{
    const auto sortTasks = [&](std::vector<TaskCard>& tasks) { SortTasks(tasks, sort.field, sort.ascending); };
    std::shared_ptr<const std::vector<TaskCard>> listed = document.GetListedTasks();
    if (!listed) {
        std::vector<TaskCard> tasks;
        document.SelectTasks(tasks, true, true);
        sortTasks(tasks);
        listed = std::make_shared<const std::vector<TaskCard>>(std::move(tasks));
    }
    if (useStatusFilter && useDeadlineFilter)
        return listed;
    auto tasks = std::make_shared<std::vector<TaskCard>>(*listed);
    std::vector<TaskCard> more;
    document.SelectTasks(more, useStatusFilter, useDeadlineFilter);
    sortTasks(more);
    // A set, not a search per task: a large plan lists thousands of tasks.
    std::unordered_set<int> shown;
    for (const TaskCard& task : *tasks)
        shown.insert(task.GetId());
    for (const TaskCard& task : more)
        if (shown.insert(task.GetId()).second)
            tasks->push_back(task);
    return tasks;
}

} // namespace

CCalendarView::CCalendarView()
{
    m_scroller.SetLineSize({kLineSize, kLineSize});
}

CCalendarView::~CCalendarView() = default;

WindowClass CCalendarView::GetWindowClass()
{
    return {.name = L"QuorvaneDeadlinesCalendar", .background = nullptr};
}

HWND CCalendarView::Create(HWND parent)
{
    // The pane gives it its size.
    return CWindowImpl<CCalendarView>::Create({
        .parent = parent,
        .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL,
        .rect = {0, 0, 0, 0},
    });
}

LRESULT CCalendarView::OnCreate(UINT, WPARAM, LPARAM, bool& handled)
{
    m_tip.Create(m_hWnd);
    m_scroller.SetContentSize(m_image.GetImageSize());
    handled = false;
    return 0;
}

void CCalendarView::Update(ISubject* subject, DocNotifyCode code)
{
    ViewBase::Update(subject, code);
    if (!m_hWnd)
        return;
    switch (code) {
    case NotifyCode::kTasksSorted:
        // A new order of the same tasks renumbers the boxes; an order told again changes nothing.
        if (!IsLoadedAsShown())
            Reload();
        return;
    case NotifyCode::kHolidaysChanged:
        ReloadHolidays();
        Repaint();
        return;
    case NotifyCode::kRedraw:
        Repaint();
        return;
    case NotifyCode::kPlanEntriesFound:
    case NotifyCode::kReload:
    case NotifyCode::kStoreViewState:
    case NotifyCode::kEndEditsInPlace:
    case NotifyCode::kFindHit:
        // The task list's selection follows a find hit, and this calendar the list's.
        return;
    default:
        // Code 0 included, as for the task list: a filter change and the edits of other views.
        ReloadSoon();
        return;
    }
}

void CCalendarView::ReloadSoon()
{
    if (m_reloadPending)
        return;
    m_reloadPending = true;
    PostMessage(WM_CALENDAR_RELOAD, 0, 0);
}

LRESULT CCalendarView::OnPostedReload(UINT, WPARAM, LPARAM, bool&)
{
    m_reloadPending = false;
    // The task list's new order may have reloaded it already.
    if (!IsLoadedAsShown())
        Reload();
    return 0;
}

bool CCalendarView::IsLoadedAsShown() const
{
    // The list tells of its order while other views may not have heard the
    // change it refilled for yet: the document's count of notices says.
    const IDeadlinesCalendarDocument* document = GetDocument();
    if (m_stale || !document || document->GetChangeNoticeCount() != m_loaded.changeNotices)
        return false;
    const IDeadlinesCalendarDocument::TaskSort sort = document->GetTaskSort();
    return sort.field == m_loaded.sortField && sort.ascending == m_loaded.ascending;
}

void CCalendarView::UpdateCommandUI(bool active)
{
    SendCommandState(active, ID_CALENDAR_STATUS_FILTER, true, CalendarStatusFilter());
    SendCommandState(active, ID_CALENDAR_DATE_FILTER, true, CalendarDateFilter());
    SendCommandState(active, ID_DAY_HOLIDAY, true, m_contextDate > 0 && m_image.IsHoliday(m_contextDate));
}

bool CCalendarView::PreTranslateMessage(MSG* message)
{
    m_tip.RelayEvent(*message);
    return ViewBase::PreTranslateMessage(message);
}

void CCalendarView::Reload()
{
    IDeadlinesCalendarDocument* document = GetDocument();
    if (!document)
        return;
    // The keys are about to name other rows.
    CancelDrag();
    const bool statusFilter = CalendarStatusFilter();
    const bool dateFilter = CalendarDateFilter();
    const double previousFirst = m_image.GetFirstDate();
    // A new order of the same tasks spans the same days: reading them all
    // again for their range took as long as the rest of the reload.
    const bool sameTasks =
        !m_stale && document->GetChangeNoticeCount() == m_loaded.changeNotices && Clock::Today() == m_loaded.today;
    const IDeadlinesCalendarDocument::TaskSort sort = document->GetTaskSort();
    m_tasks = TasksInListOrder(*document, sort, statusFilter, dateFilter);
    double first = m_loaded.first;
    double last = m_loaded.last;
    if (!sameTasks) {
        // With both filters the tasks shown are the document's selection.
        document->GetTaskDateRange(first, last, statusFilter, dateFilter,
                                   statusFilter && dateFilter ? m_tasks.get() : nullptr);
    }
    m_image.SetDateRange(first, last);
    Category category;
    m_image.SetMarkedDate(document->GetCurrentCategory(category) ? category.GetDeadline() : 0);

    m_image.ClearItems();
    m_stale = false;
    m_loaded = {.changeNotices = document->GetChangeNoticeCount(),
                .first = first,
                .last = last,
                .today = Clock::Today(),
                .sortField = sort.field,
                .ascending = sort.ascending};
    // The completed tasks' last plan days, read together.
    std::vector<int> completedIds;
    for (const TaskCard& task : *m_tasks)
        if (task.GetStatus() == TaskCard::kCompleted)
            completedIds.push_back(task.GetId());
    const std::vector<double> doneDates = document->GetLastPlanDatesOfTasks(completedIds);
    size_t completed = 0;
    int selectedKey = 0;
    const int selectedId = document->GetFirstSelectedTaskId();
    for (size_t row = 0; row < m_tasks->size(); ++row) {
        const TaskCard& task = (*m_tasks)[row];
        const int key = static_cast<int>(row) + 1;
        // The shared rows stay as the list read them: the colour is worked out, not kept.
        const COLORREF color =
            task.GetColorDef() == -1 ? task.GetDefaultColor() : static_cast<COLORREF>(task.GetColorDef());
        m_image.SetPlanItem(key, task.GetDeadline(), color);
        if (task.GetStatus() == TaskCard::kCompleted) {
            if (const double done = doneDates[completed++]; done != 0)
                m_image.SetRealityItem(key, done, color);
        }
        if (selectedId != 0 && task.GetId() == selectedId && selectedKey == 0)
            selectedKey = key;
    }
    m_image.SetSelectedKey(selectedKey);

    m_scroller.SetContentSize(m_image.GetImageSize());
    // A reload after an edit keeps the days in view; a new range starts at its first day.
    const POINT offset = first == previousFirst ? POINT{m_scroller.GetOffset().x, 0} : POINT{0, 0};
    m_scroller.ScrollTo(offset);
    m_scroller.UpdateBars(m_hWnd);
    ReloadHolidays();
    Repaint();
}

void CCalendarView::ReloadHolidays()
{
    std::vector<double> dates;
    if (IDeadlinesCalendarDocument* document = GetDocument())
        document->GetHolidays(dates);
    m_image.SetHolidays(dates);
}

void CCalendarView::Repaint()
{
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CCalendarView::OnSize(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    m_scroller.SetClientSize({LOWORD(lParam), HIWORD(lParam)});
    m_scroller.ScrollTo(m_scroller.GetOffset());
    m_scroller.UpdateBars(m_hWnd);
    Invalidate(false);
    handled = false;
    return 0;
}

LRESULT CCalendarView::OnPaint(UINT, WPARAM, LPARAM, bool&)
{
    const CPaintDC paint(m_hWnd);
    const RECT& area = paint.PaintRect();
    const CMemoryDC dc(paint, area);
    ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    {
        // The image draws in content coordinates.
        const CSavedDC saved(dc);
        const POINT offset = m_scroller.GetOffset();
        ::OffsetWindowOrgEx(dc, offset.x, offset.y, nullptr);
        m_image.Paint(dc);
    }
    return 0;
}

void CCalendarView::ScrollContentTo(POINT offset)
{
    const SIZE moved = m_scroller.ScrollTo(offset);
    if (moved.cx == 0 && moved.cy == 0)
        return;
    // The square drawn by inverting would move with the pixels.
    DrawDragSquare(std::nullopt);
    m_tip.Hide();
    ::ScrollWindowEx(m_hWnd, -moved.cx, -moved.cy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    m_scroller.UpdateBars(m_hWnd);
}

LRESULT CCalendarView::OnScroll(UINT message, WPARAM wParam, LPARAM, bool&)
{
    const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(m_hWnd, bar, &info);
    const int position = m_scroller.OffsetForCode(bar, LOWORD(wParam), info.nTrackPos);
    POINT offset = m_scroller.GetOffset();
    (bar == SB_HORZ ? offset.x : offset.y) = position;
    ScrollContentTo(offset);
    return 0;
}

LRESULT CCalendarView::OnMouseWheel(UINT, WPARAM wParam, LPARAM, bool&)
{
    // The days run sideways: the wheel moves along them, a day per notch.
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    const POINT offset = m_scroller.GetOffset();
    ScrollContentTo({offset.x - notches * kLineSize, offset.y});
    return 0;
}

POINT CCalendarView::ToContent(POINT clientPoint) const
{
    const POINT offset = m_scroller.GetOffset();
    return {clientPoint.x + offset.x, clientPoint.y + offset.y};
}

const TaskCard* CCalendarView::GetKeyTask(int key) const
{
    if (key < 1 || key > static_cast<int>(m_tasks->size()))
        return nullptr;
    return &(*m_tasks)[static_cast<size_t>(key) - 1];
}

void CCalendarView::SelectTask(int taskId)
{
    if (m_selectingRow || !IsWindow())
        return;
    // By id: the list's order of equal rows may differ from the calendar's.
    int key = 0;
    for (size_t shown = 0; shown < m_tasks->size() && taskId != 0; ++shown)
        if ((*m_tasks)[shown].GetId() == taskId)
            key = static_cast<int>(shown) + 1;
    m_image.SetSelectedKey(key);
    if (const std::optional<POINT> point = m_image.GetItemPoint(key))
        ScrollIntoView(*point);
    Repaint();
}

void CCalendarView::ScrollIntoView(POINT contentPoint)
{
    if (m_scroller.IsVisible(contentPoint))
        return;
    ScrollContentTo({contentPoint.x - m_scroller.GetClientSize().cx / 2, 0});
}

LRESULT CCalendarView::OnHoliday(WORD, WORD, HWND, bool&)
{
    IDeadlinesCalendarDocument* document = GetDocument();
    // Only a day chosen with the context menu.
    if (!document || m_contextDate <= 0)
        return 0;
    document->ToggleHoliday(m_contextDate);
    document->Notify(this, NotifyCode::kHolidaysChanged);
    ReloadHolidays();
    Repaint();
    return 0;
}

LRESULT CCalendarView::OnDateFilter(WORD, WORD, HWND, bool&)
{
    Options::SetDateFilterOnCalendar(CalendarDateFilter() ? 0 : 1);
    m_stale = true;
    Update(nullptr, NotifyCode::kTasksSorted);
    return 0;
}

LRESULT CCalendarView::OnStatusFilter(WORD, WORD, HWND, bool&)
{
    Options::SetStatusFilterOnCalendar(CalendarStatusFilter() ? 0 : 1);
    m_stale = true;
    Update(nullptr, NotifyCode::kTasksSorted);
    return 0;
}

LRESULT CCalendarView::OnShowToday(WORD, WORD, HWND, bool&)
{
    const RECT lane = m_image.GetLaneRect(PlanItemsMan::kPlanLane, Clock::Today());
    ScrollIntoView({(lane.left + lane.right) / 2, (lane.top + lane.bottom) / 2});
    return 0;
}

LRESULT CCalendarView::OnEditTask(WORD, WORD, HWND, bool&)
{
    const TaskCard* task = GetKeyTask(m_image.GetSelectedKey());
    if (!task || !m_links)
        return 0;
    // The edit notifies the views: the calendar reads its boxes anew.
    const int taskId = task->GetId();
    m_links->OpenTask(taskId);
    return 1;
}
