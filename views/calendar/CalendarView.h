// CCalendarView: the deadlines calendar: the task list's tasks as numbered boxes on a scrolling line of days, in PLAN by deadline and in REALITY by completion.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "document/IDeadlinesCalendarDocument.h"
#include "foundation/PrivateMessages.h"
#include "resources/CalendarCommandIds.h"
#include "views/calendar/CalendarImage.h"
#include "views/calendar/ContentScroller.h"
#include "views/common/ViewBase.h"
#include "views/common/ViewLinks.h"
#include "views/common/YellowTip.h"
#include "winlib/WindowImpl.h"

// A box's key is its task's 1-based row among the tasks shown; 0 is none.
// Dragging a PLAN box along the days moves that task's deadline.
class CCalendarView : public CWindowImpl<CCalendarView>, public CViewBase<CCalendarView, IDeadlinesCalendarDocument> {
public:
    static constexpr int kLineSize = CalendarImage::kDayWidth;
    // The square that follows the pointer while a box is dragged.
    static constexpr int kDragSquare = 20;

    CCalendarView();
    ~CCalendarView() override;
    CCalendarView(const CCalendarView&) = delete;
    CCalendarView& operator=(const CCalendarView&) = delete;

    static WindowClass GetWindowClass();

    // Before Create, with the document: the task list it selects in and whose editor it opens.
    void SetLinks(IViewLinks* links) { m_links = links; }
    HWND Create(HWND parent) override;
    void Update(ISubject* subject, DocNotifyCode code) override;
    void UpdateCommandUI(bool active);
    bool PreTranslateMessage(MSG* message);

    // The task list's selection moved to this task (0 for none): its box is selected and scrolled into view.
    void SelectTask(int taskId);

    const CalendarImage& GetImage() const { return m_image; }
    const std::vector<TaskCard>& GetTasks() const { return *m_tasks; }
    POINT GetScrollOffset() const { return m_scroller.GetOffset(); }
    // Scrolls the content so that this content point is at the client's top left, within the content.
    void ScrollContentTo(POINT offset);
    double GetContextDate() const { return m_contextDate; }
    // What the hover tip shows, or would show, where the pointer last rested.
    const EString& GetTipText() const { return m_tip.GetText(); }
    int GetDraggedKey() const { return m_draggedKey; }

    BEGIN_MESSAGE_MAP(CCalendarView)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
        ON_MESSAGE(WM_PAINT, OnPaint)
        ON_MESSAGE(WM_HSCROLL, OnScroll)
        ON_MESSAGE(WM_VSCROLL, OnScroll)
        ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
        ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
        ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
        ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
        ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
        ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
        ON_MESSAGE(WM_YELLOWTIP_NEEDTEXT, OnTipNeedsText)
        ON_MESSAGE(WM_CALENDAR_RELOAD, OnPostedReload)
        ON_COMMAND(ID_DAY_HOLIDAY, OnHoliday)
        ON_COMMAND(ID_CALENDAR_DATE_FILTER, OnDateFilter)
        ON_COMMAND(ID_CALENDAR_STATUS_FILTER, OnStatusFilter)
        ON_COMMAND(ID_CALENDAR_SHOW_TODAY, OnShowToday)
        ON_COMMAND(ID_TASK_EDIT, OnEditTask)
        CHAIN_MESSAGE_MAP(ViewBase)
    END_MESSAGE_MAP()

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnSize(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, bool&) { return 1; }
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnScroll(UINT message, WPARAM wParam, LPARAM, bool&);
    LRESULT OnMouseWheel(UINT, WPARAM wParam, LPARAM, bool&);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnCaptureChanged(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnTipNeedsText(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnPostedReload(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnHoliday(WORD, WORD, HWND, bool&);
    LRESULT OnDateFilter(WORD, WORD, HWND, bool&);
    LRESULT OnStatusFilter(WORD, WORD, HWND, bool&);
    LRESULT OnShowToday(WORD, WORD, HWND, bool&);
    // Enter on a box (the base posts Edit) opens its task's editor.
    LRESULT OnEditTask(WORD, WORD, HWND, bool&);

    void Reload();
    // The notifications of one burst read the tasks once, after them.
    void ReloadSoon();
    // No change was told since the last reload, and the task list still sorts as it did then.
    bool IsLoadedAsShown() const;
    void ReloadHolidays();
    void Repaint();
    POINT ToContent(POINT clientPoint) const;
    // The row's task for a key; null for 0 or a key past the rows.
    const TaskCard* GetKeyTask(int key) const;
    void SelectKey(int key);
    // Brings a content point into view, its x in the middle, when it is hidden.
    void ScrollIntoView(POINT contentPoint);
    // Writes the deadline of the key's task, read afresh from the document.
    void MoveDeadline(int key, double date);
    // Erases the square and forgets the drag; nothing is written.
    void CancelDrag();
    void DrawDragSquare(std::optional<RECT> square);

    IViewLinks* m_links = nullptr;
    // Shared with the task list's rows as the document holds them: never changed in place.
    std::shared_ptr<const std::vector<TaskCard>> m_tasks = std::make_shared<const std::vector<TaskCard>>();
    CalendarImage m_image;
    ContentScroller m_scroller;
    CYellowTip m_tip;
    double m_contextDate = 0;
    // The drag of a PLAN box, from the press to the release.
    int m_draggedKey = 0;
    int m_pressLane = 0;
    POINT m_pressPoint = {};
    bool m_dragMoved = false;
    std::optional<RECT> m_dragSquare;
    // Set while this view changes the task list's selection, so the list's notice is not taken back.
    int m_selectingRow = 0;
    // Set when the calendar's own filters change: the next order told reloads.
    bool m_stale = true;
    bool m_reloadPending = false;
    // What the last reload read: the document's count of change notices, the tasks' days on that day, and the task list's order.
    struct LoadedState {
        unsigned long long changeNotices = 0;
        double first = 0;
        double last = 0;
        double today = 0;
        int sortField = -1;
        bool ascending = true;
    } m_loaded;
};
