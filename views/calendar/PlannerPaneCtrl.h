// CPlannerPaneCtrl: the day planner's scrolling grid: lays out, paints and hit-tests the items and turns mouse edits into notifications.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "foundation/EString.h"
#include "foundation/PrivateMessages.h"
#include "views/calendar/DaySettings.h"
#include "foundation/MessageMap.h"
#include "winlib/WindowImpl.h"

#include <vector>

#include "views/calendar/PlannerLayout.h"

class CDayPlannerCtrl;

// A "+3" over a day's hours where entries find no room, as last painted.
struct HiddenMark {
    RECT rect = {}; // content coordinates
    HiddenGroup group;
};

enum PlannerHitKind : int { kHitHourCell = 1, kHitItem = 2 };

// A question about a pane point and its answer.
struct PlannerHit {
    int kind = kHitHourCell;
    POINT point = {};      // pane client coordinates
    int index = -1;        // hour cell or item index
    double dateTime = 0;   // the cell's start with the minute under the point, or the item's start
    RECT rect = {};        // content coordinates
};

class CPlannerPaneCtrl : public CWindowImpl<CPlannerPaneCtrl> {
public:
    static WindowClass GetWindowClass()
    {
        return {.name = L"QuorvanePlannerPane", .style = CS_DBLCLKS, .background = nullptr};
    }

    explicit CPlannerPaneCtrl(CDayPlannerCtrl& control);

    HWND Create(HWND control);

    // Content height and line size follow the hour height; called whenever rows or size change.
    void SetUpScrolling();
    void ScrollToHour(int hour);
    void ScrollLines(int lines);
    int GetScrollOffset() const { return m_scrollY; }
    int GetClientHeight() const;

    bool HitTest(PlannerHit& hit);
    // Lays out now when something changed since the last layout.
    void EnsureLayout();
    // Paints at once when no hour cells exist yet, so hits find them.
    void EnsureHourCells();
    // The marks of the entries not shown, in view as last painted.
    const std::vector<HiddenMark>& GetHiddenMarks() const { return m_hiddenMarks; }
    // The tip's text of a mark: how many entries are not shown, and which.
    EString HiddenMarkText(const HiddenMark& mark) const;
    HWND GetToolTip() const { return m_toolTip; }

    BEGIN_MESSAGE_MAP(CPlannerPaneCtrl)
        ON_MESSAGE_RANGE(WM_MOUSEFIRST, WM_MOUSEWHEEL, OnRelayMouse)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
        ON_MESSAGE(WM_PAINT, OnPaint)
        ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
        ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
        ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
        ON_MESSAGE(WM_RBUTTONDOWN, OnRButtonDown)
        ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
        ON_MESSAGE(WM_LBUTTONDBLCLK, OnDoubleClick)
        ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
        ON_MESSAGE(WM_VSCROLL, OnVScroll)
        ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_YELLOWTIP_NEEDTEXT, OnNeedMarkerText)
        ON_NOTIFY_CODE(TTN_GETDISPINFOW, OnToolTipText)
    END_MESSAGE_MAP()

private:
    LRESULT OnRelayMouse(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnEraseBackground(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSetCursor(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnRButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnLButtonUp(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnDoubleClick(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnContextMenu(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnVScroll(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnNeedMarkerText(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnToolTipText(int id, NMHDR* header, bool& handled);

    void Paint(HDC dc);
    void PaintTimeColumn(HDC dc);
    void PaintHourGrid(HDC dc);
    // True when the marks of the entries not shown moved, so the tips must follow.
    bool PaintItems(HDC dc);
    void PaintItem(HDC dc, PlacedItem& placed, const RECT& rect);
    void PaintItemText(HDC dc, const PlannerItem& item, const RECT& box);
    // maxLanes: each column's largest lane.
    void PaintHiddenMarks(HDC dc, const std::vector<HiddenGroup>& groups, const std::vector<RECT>& columns,
                          const std::vector<int>& maxLanes);
    // The groups of the entries not shown when some days are too narrow to show any.
    std::vector<HiddenGroup> HiddenGroupsWithNarrowDays(const std::vector<double>& narrowDays) const;
    void PaintMarkBox(HDC dc, const RECT& box, bool completed);
    void SelectionClick(POINT point, bool markTest);
    int EdgeUnder(POINT contentPoint) const;
    void RebuildToolTips();
    void SetScrollOffset(int offset);
    POINT ToContent(POINT point) const { return {point.x, point.y + m_scrollY}; }

    CDayPlannerCtrl& m_control;
    CDaySettings& m_settings;
    HWND m_toolTip = nullptr;
    int m_scrollY = 0;
    bool m_pressed = false;
    POINT m_press = {};
    bool m_edgeDrag = false;
    // Of the selected item as last painted, in content coordinates.
    RECT m_handleZones[4] = {};
    // The entries the lanes had no room for, grouped when they were laid out.
    std::vector<HiddenGroup> m_leftOutGroups;
    std::vector<HiddenMark> m_hiddenMarks;
    EString m_toolTipText;
};
