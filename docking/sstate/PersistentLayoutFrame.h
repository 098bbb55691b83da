// Test support: a docking frame built as the main window builds itself, whose layout is restored at start and stored at close.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "docking/dockwins/DockingFrame.h"
#include "docking/dockwins/TabbedAutoHideDockingWindow.h"
#include "docking/sstate/DockWndMgr.h"
#include "docking/sstate/DockingWindowStateAdapter.h"
#include "docking/sstate/RebarStateAdapter.h"
#include "docking/sstate/ToggleWindowAdapter.h"
#include "docking/sstate/WindowStateMgr.h"

namespace sstate_frame_test {

enum Pane : size_t { Calendar, Categories, DailyPlan, People, PaneCount };

// A rebar of three bands, a status bar, an edit view and four tabbed panes
// with an edit each: the calendar pinned at the top, the categories left,
// the daily plan below, the people right. The frame is made hidden: the
// restored layout shows it.
class CPersistentLayoutFrame : public dockwins::CDockingFrameImpl<CPersistentLayoutFrame> {
public:
    static constexpr std::array<UINT, 3> bandIds = {301, 302, 303};
    // The rectangle a new pane floats at and the one it docks with.
    static constexpr RECT floatingRect = {0, 0, 200, 400};
    static constexpr RECT dockedRect = {0, 0, 200, 150};

    // The layout lives under HKEY_CURRENT_USER\keyPath.
    explicit CPersistentLayoutFrame(std::wstring keyPath);
    ~CPersistentLayoutFrame() override;
    CPersistentLayoutFrame(const CPersistentLayoutFrame&) = delete;
    CPersistentLayoutFrame& operator=(const CPersistentLayoutFrame&) = delete;

    // Makes the frame at `rect` with its bars and panes, then restores the
    // layout; false when a window could not be made.
    bool Open(const RECT& rect);
    // Closes the frame as the user would: the layout is stored while it is visible.
    void Close();

    CTabbedAutoHideDockingWindow& PaneAt(Pane pane) { return *m_panes[pane]; }
    HWND Edit(Pane pane) const { return m_edits[pane]; }
    HWND Rebar() const { return m_hWndToolBar; }
    HWND StatusBar() const { return m_hWndStatusBar; }
    HWND View() const { return m_hWndClient; }

    BEGIN_MESSAGE_MAP(CPersistentLayoutFrame)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_CLOSE, OnClose)
        CHAIN_MESSAGE_MAP(CDockingFrameImpl<CPersistentLayoutFrame>)
    END_MESSAGE_MAP()

private:
    using PaneStateAdapter = sstate::CDockingWindowStateAdapter<CTabbedAutoHideDockingWindow>;

    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool& handled);
    bool MakeBars();
    bool MakePane(Pane pane, const wchar_t* title, dockwins::CDockingSide side, bool pinned);
    void BuildStateTree();

    std::wstring m_keyPath;
    std::array<CTabbedAutoHideDockingWindow*, PaneCount> m_panes = {};
    std::array<HWND, PaneCount> m_edits = {};
    sstate::CWindowStateMgr m_stateMgr;
    sstate::CDockWndMgr m_paneStates;
    std::vector<std::unique_ptr<PaneStateAdapter>> m_paneAdapters;
    std::unique_ptr<sstate::CRebarStateAdapter> m_rebarState;
    std::unique_ptr<sstate::CToggleWindowAdapter> m_statusBarState;
};

} // namespace sstate_frame_test
