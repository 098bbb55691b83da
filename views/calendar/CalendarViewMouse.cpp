// The deadlines calendar's pointer: selecting boxes, dragging a PLAN box to a new deadline, the hover tip and the context menu.
#include "views/calendar/CalendarView.h"

#include "foundation/BoolSwitch.h"
#include "foundation/Locale.h"
#include "winlib/DeviceContext.h"

namespace {

POINT PointOf(LPARAM lParam)
{
    // Signed: a captured pointer left of or above the window has negative points.
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Inverting twice restores the pixels, so a second call erases the first.
void InvertFrame(HDC dc, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    ::PatBlt(dc, rect.left, rect.top, width, 1, DSTINVERT);
    ::PatBlt(dc, rect.left, rect.bottom - 1, width, 1, DSTINVERT);
    ::PatBlt(dc, rect.left, rect.top + 1, 1, height - 2, DSTINVERT);
    ::PatBlt(dc, rect.right - 1, rect.top + 1, 1, height - 2, DSTINVERT);
}

} // namespace

void CCalendarView::SelectKey(int key)
{
    m_image.SetSelectedKey(key);
    if (m_links) {
        const BoolSwitch selecting(m_selectingRow);
        // By id: the list may be sorted anew since the calendar last read it.
        const TaskCard* task = GetKeyTask(key);
        m_links->SelectTask(task ? task->GetId() : 0);
    }
    Repaint();
}

LRESULT CCalendarView::OnLButtonDown(UINT, WPARAM, LPARAM lParam, bool&)
{
    // A press always starts afresh: a drag the last release never ended is forgotten.
    CancelDrag();
    SetFocus();
    m_tip.Hide();
    const POINT point = ToContent(PointOf(lParam));
    m_pressLane = CalendarImage::LaneAt(point.y);
    m_pressPoint = point;
    const int key = m_image.ItemAt(point.x, point.y);
    if (m_pressLane == PlanItemsMan::kPlanLane && key != 0) {
        m_draggedKey = key;
        // The release may come outside the window.
        ::SetCapture(m_hWnd);
    }
    SelectKey(key);
    return 0;
}

LRESULT CCalendarView::OnMouseMove(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    const POINT point = PointOf(lParam);
    if (m_draggedKey == 0) {
        m_tip.OnMouseMove(point);
        handled = false;
        return 0;
    }
    const POINT content = ToContent(point);
    if (content.x != m_pressPoint.x || content.y != m_pressPoint.y)
        m_dragMoved = true;
    DrawDragSquare(RECT{point.x, point.y, point.x + kDragSquare, point.y + kDragSquare});
    return 0;
}

LRESULT CCalendarView::OnLButtonUp(UINT, WPARAM, LPARAM lParam, bool&)
{
    const int key = m_draggedKey;
    const bool moved = m_dragMoved;
    // Forgotten before the capture goes, so losing it ends nothing twice.
    CancelDrag();
    if (key == 0 || !moved)
        return 0;
    // Only the day counts: a PLAN box let go over REALITY still moves.
    MoveDeadline(key, m_image.DateAt(ToContent(PointOf(lParam)).x));
    return 0;
}

LRESULT CCalendarView::OnCaptureChanged(UINT, WPARAM, LPARAM lParam, bool&)
{
    // Another window took the pointer (a menu, a dialog): the drag ends without a move.
    if (reinterpret_cast<HWND>(lParam) != m_hWnd && m_draggedKey != 0)
        CancelDrag();
    return 0;
}

void CCalendarView::CancelDrag()
{
    DrawDragSquare(std::nullopt);
    const bool hadDrag = m_draggedKey != 0;
    m_draggedKey = 0;
    m_dragMoved = false;
    if (hadDrag && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CCalendarView::DrawDragSquare(std::optional<RECT> square)
{
    if (!m_dragSquare && !square)
        return;
    const CClientDC dc(m_hWnd);
    if (m_dragSquare)
        InvertFrame(dc, *m_dragSquare);
    if (square)
        InvertFrame(dc, *square);
    m_dragSquare = square;
}

void CCalendarView::MoveDeadline(int key, double date)
{
    IDeadlinesCalendarDocument* document = GetDocument();
    const TaskCard* shown = GetKeyTask(key);
    if (!document || !shown)
        return;
    m_image.MovePlanItem(key, date);
    // The copy shown was read at the last reload; another view may have changed the task since.
    TaskCard task;
    if (!document->GetTask(shown->GetId(), task)) {
        Repaint();
        return;
    }
    if (task.GetDeadline() != WholeDay(date)) {
        task.SetDeadline(WholeDay(date));
        document->UpdateTask(task);
        document->Notify(this, NotifyCode::kTasksChanged);
    }
    Repaint();
}

LRESULT CCalendarView::OnTipNeedsText(UINT, WPARAM, LPARAM, bool&)
{
    m_tip.SetText(L"");
    const POINT point = ToContent(m_tip.GetLastPoint());
    if (const TaskCard* task = GetKeyTask(m_image.ItemAt(point.x, point.y))) {
        m_tip.SetText(task->GetName().c_str());
        return 0;
    }
    if (const double date = m_image.DayStripDateAt(point.x, point.y); date != 0)
        m_tip.SetText(FormatOleDate(date, true).c_str());
    return 0;
}

LRESULT CCalendarView::OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&)
{
    // From the keyboard (-1, or both halves -1) there is no day to name.
    const POINT screen = PointOf(lParam);
    if (lParam == -1 || (screen.x == -1 && screen.y == -1))
        return 0;
    POINT client = screen;
    ::ScreenToClient(m_hWnd, &client);
    Activate();
    m_contextDate = m_image.DateAt(ToContent(client).x);
    ShowContextMenu(&screen, IDR_CALENDAR_MENU);
    return 0;
}
