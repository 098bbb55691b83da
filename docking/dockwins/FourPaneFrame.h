// Test support: a docking frame with the main window's four panes, each holding an edit control, around an edit view.
#pragma once

#include <windows.h>

#include <algorithm>
#include <array>
#include <vector>

#include "docking/dockwins/BoxedDockingWindow.h"
#include "docking/dockwins/DockingFrame.h"

namespace docking_frame_test {

// A docking pane whose client is one edit control, as a pane holds its view.
class CEditPane : public dockwins::CBoxedDockingWindowImpl<CEditPane> {
public:
    static constexpr SIZE minimum = {80, 60};

    HWND Edit() const { return m_edit; }
    void GetMinMaxInfo(MINMAXINFO* info) const override
    {
        info->ptMinTrackSize.x = std::max(info->ptMinTrackSize.x, minimum.cx);
        info->ptMinTrackSize.y = std::max(info->ptMinTrackSize.y, minimum.cy);
    }

    BEGIN_MESSAGE_MAP(CEditPane)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
        CHAIN_MESSAGE_MAP(CBoxedDockingWindowImpl<CEditPane>)
    END_MESSAGE_MAP()

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnSize(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, bool&);

    HWND m_edit = nullptr;
};

enum Pane : size_t { Calendar, Categories, DailyPlan, People, PaneCount };

// Categories left, people right, the daily plan below, the calendar on the
// top auto-hide bar (docked at the top should pinning be refused).
class CFourPaneFrame : public dockwins::CDockingFrameImpl<CFourPaneFrame> {
public:
    static constexpr int paneSize = 150;

    // The frame at `rect` with its view and its panes in place; false when a window could not be made.
    bool Open(const RECT& rect, DWORD style = CTraits::style | WS_VISIBLE);
    void Close();

    CEditPane& PaneAt(Pane pane) { return m_panes[pane]; }
    HWND View() const { return m_hWndClient; }
    // Where each pane, then the view, lies on the screen.
    std::vector<RECT> Layout();
    bool CalendarPinned() const { return m_calendarPinned; }
    // Docks a pane as a new row at a side (a CDockingSide edge).
    bool DockAtSide(CEditPane& pane, int side, int size = paneSize);

    BEGIN_MESSAGE_MAP(CFourPaneFrame)
        ON_MESSAGE(WM_CREATE, OnCreate)
        CHAIN_MESSAGE_MAP(CDockingFrameImpl<CFourPaneFrame>)
    END_MESSAGE_MAP()

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled);

    std::array<CEditPane, PaneCount> m_panes;
    bool m_calendarPinned = false;
};

} // namespace docking_frame_test
