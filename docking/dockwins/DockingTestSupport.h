// Stand-ins the docking framework's tests share: frames without windows, a pane, the frame's window, posted input, a frame with a column.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "docking/dockwins/DockingNotifyRecord.h"
#include "docking/dockwins/DockingPinRequest.h"
#include "docking/dockwins/DockingPosition.h"
#include "docking/dockwins/IFrame.h"
#include "docking/dockwins/PackageWindowImpl.h"
#include "docking/dockwins/SubWndFramesPackage.h"
#include "winlib/WindowImpl.h"

namespace docking_test {

// A frame without a window: its minimums, and the rectangle it was last given.
class CStandInFrame : public dockwins::IFrame {
public:
    explicit CStandInFrame(int minimum, int minimumAcross = 0) : m_minimum(minimum), m_minimumAcross(minimumAcross) {}
    HWND GetHwnd() const override { return nullptr; }
    bool AcceptDock(DockingNotifyRecord*) override { return false; }
    int MinDistance() const override { return m_minimum; }
    void GetMinMaxInfo(MINMAXINFO* info) const override { info->ptMinTrackSize = {m_minimum, m_minimumAcross}; }
    HDWP DeferFramePos(HDWP batch, int x1, int y1, int x2, int y2) override
    {
        placed = {x1, y1, x2, y2};
        return batch;
    }
    RECT placed = {};

private:
    int m_minimum;
    int m_minimumAcross;
};

// A window that only receives what it is sent and posted.
class CPlainWindow : public CWindowImpl<CPlainWindow> {
public:
    BEGIN_MESSAGE_MAP(CPlainWindow)
    END_MESSAGE_MAP()
};

// A docking window: a minimum size, and the docked-state notifications it received.
class CPane : public CWindowImpl<CPane> {
public:
    BEGIN_MESSAGE_MAP(CPane)
        ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
        ON_MESSAGE(WM_USER, OnDockedState)
    END_MESSAGE_MAP()
    LRESULT OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool&)
    {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {50, 40};
        return 0;
    }
    LRESULT OnDockedState(UINT, WPARAM wParam, LPARAM lParam, bool&)
    {
        notifications.push_back({wParam, reinterpret_cast<HWND>(lParam)});
        return 0;
    }
    struct Notification {
        WPARAM wParam;
        HWND row;
    };
    std::vector<Notification> notifications;
};

// The docking frame's part: notes the rows that tell it they are empty and
// takes them out of its package.
class COwner : public CWindowImpl<COwner> {
public:
    BEGIN_MESSAGE_MAP(COwner)
        ON_MESSAGE(DockingNotify, OnDockingNotify)
    END_MESSAGE_MAP()
    LRESULT OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool&)
    {
        const auto* request = reinterpret_cast<DockingNotifyRecord*>(lParam);
        if (request->code != DockingUndock)
            return FALSE;
        emptiedRows.push_back(request->window);
        return !package || package->Undock(request->window);
    }
    std::vector<HWND> emptiedRows;
    dockwins::CSubWndFramesPackage* package = nullptr;
};

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

inline LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

inline void PostAll(HWND window, const std::vector<Posted>& posted)
{
    for (const Posted& p : posted)
        ::PostMessageW(window, p.message, p.wParam, p.lParam);
}

inline void DispatchWaiting()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&message);
}

// A rectangle of a window's client area on the screen, and a window's rectangle in its parent.
inline RECT ToScreen(HWND window, RECT rect)
{
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
inline RECT InParent(HWND window)
{
    RECT rect = CWindow(window).GetWindowRect();
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The work area of the window's monitor.
inline RECT WorkAreaOf(HWND window)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

// Whether the whole window lies in the work area of its monitor, its caption
// where the mouse can take hold of it and nothing of it below the screen.
inline bool InWorkArea(HWND window)
{
    const RECT rect = CWindow(window).GetWindowRect();
    const RECT work = WorkAreaOf(window);
    return rect.top >= work.top && rect.bottom <= work.bottom && rect.left >= work.left && rect.right <= work.right;
}

inline BOOL Notify(HWND to, void* record)
{
    return static_cast<BOOL>(::SendMessageW(to, DockingNotify, 0, reinterpret_cast<LPARAM>(record)));
}

// The docking frame's part: one column of panes, pin requests noted. A
// window it was asked to pin counts as pinned and, when it holds it (as the
// auto-hide bars do), reports its place as a pinned pane's label does.
class CTestFrame : public CWindowImpl<CTestFrame> {
public:
    static constexpr int pinnedPaneSize = 250;

    BEGIN_MESSAGE_MAP(CTestFrame)
        ON_MESSAGE(DockingNotify, OnDockingNotify)
        ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
    END_MESSAGE_MAP()
    LRESULT OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool&)
    {
        auto* position = reinterpret_cast<DockingPosition*>(lParam);
        switch (position->code) {
        case DockingAccept:
            return Notify(row->m_hWnd, position);
        case DockingGetPosition:
            if (position->container == m_hWnd)
                return PinnedPosition(*position);
            position->side.Set(dockwins::CDockingSide::NotDocked, false);
            return Notify(position->container, position);
        case DockingAtPosition:
            return Notify(row->m_hWnd, position);
        case DockingIsPinned:
            return IsPinned(position->window);
        case DockingPinUp: {
            const auto* request = reinterpret_cast<DockingPinRequest*>(lParam);
            pinned.push_back(request->window);
            pinRequests.push_back(*request);
            // The list lives on the sender's stack.
            pinRequests.back().windows = nullptr;
            pinnedTogether.assign(request->windows, request->windows + (request->windows ? request->windowCount : 0));
            return TRUE;
        }
        case DockingLimitSize:
        case DockingUndock:
            return TRUE;
        default:
            return FALSE;
        }
    }
    LRESULT OnMenuChar(UINT, WPARAM, LPARAM, bool&) { return MAKELRESULT(0, MNC_CLOSE); }

    bool IsPinned(HWND window) const
    {
        for (const HWND w : pinned)
            if (w == window)
                return true;
        return false;
    }
    bool PinnedPosition(DockingPosition& position) const
    {
        position.side = dockwins::CDockingSide::Top | dockwins::CDockingSide::Single | dockwins::CDockingSide::Pinned;
        position.place.row = 0;
        position.place.rowSize = pinnedPaneSize;
        position.place.length = 1;
        return true;
    }

    // Shown at (0, 0)-(400, 400) with its column at (0, 0)-(200, 400).
    bool CreateWithColumn()
    {
        if (!Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {0, 0, 400, 400}}))
            return false;
        row = dockwins::CPackageWindowImpl::New(
            CreateArgs{.parent = m_hWnd, .style = WS_CHILD | WS_VISIBLE, .rect = {0, 0, 200, 400}}, false);
        return row != nullptr;
    }
    // Docks a pane into the column at `rect`, as a drop there would.
    template <class TPane>
    bool DockIntoColumn(TPane& pane, RECT rect)
    {
        DockingNotifyRecord request;
        request.target = row->m_hWnd;
        request.rect = rect;
        return pane.DockTo(&request);
    }

    dockwins::CPackageWindowImpl* row = nullptr;
    std::vector<HWND> pinned;
    std::vector<DockingPinRequest> pinRequests;
    std::vector<HWND> pinnedTogether; // the windows of the last request for several
};

// A frame at (0, 0)-(400, 400) with a column at (0, 0)-(200, 400) that an
// anchor pane docked in it keeps alive. A test's own panes come after SetUp
// and go before TearDown.
template <class Anchor>
class AnchoredColumnTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateWithColumn());
        ASSERT_TRUE(anchor.Create(frame.m_hWnd, {500, 700, 700, 900}, L"Anchor"));
        ASSERT_TRUE(DockIntoRow(anchor, {0, 0, 200, 400}));
    }
    void TearDown() override
    {
        if (anchor.IsWindow())
            anchor.DestroyWindow();
        frame.DestroyWindow();
        DispatchWaiting();
    }
    template <class Pane>
    bool DockIntoRow(Pane& pane, RECT rect)
    {
        return frame.DockIntoColumn(pane, rect);
    }
    static bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

    CTestFrame frame;
    Anchor anchor;
};

} // namespace docking_test
