#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <vector>

#include "docking/dockwins/DockingNotifyRecord.h"
#include "docking/dockwins/DockingPosition.h"
#include "docking/dockwins/PackageWindowFrame.h"
#include "winlib/WindowImpl.h"

using dockwins::CPackageWindowFrame;

namespace {

// The frame's window: notes the rows that tell it they are empty.
class COwner : public CWindowImpl<COwner> {
public:
    BEGIN_MESSAGE_MAP(COwner)
        ON_MESSAGE(DockingNotify, OnDockingNotify)
    END_MESSAGE_MAP()
    LRESULT OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool&)
    {
        const auto* request = reinterpret_cast<DockingNotifyRecord*>(lParam);
        if (request->code == DockingUndock)
            emptiedRows.push_back(request->window);
        return TRUE;
    }
    std::vector<HWND> emptiedRows;
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
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {50, 20};
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

RECT ScreenRect(HWND window, RECT rect)
{
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT RectInParent(HWND window)
{
    RECT rect = CWindow(window).GetWindowRect();
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

BOOL Notify(HWND to, void* record)
{
    return static_cast<BOOL>(::SendMessageW(to, DockingNotify, 0, reinterpret_cast<LPARAM>(record)));
}

void DispatchWaiting()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&message);
}

} // namespace

TEST(PackageWindowFrameTest, ARowTakesWindowsInLaysThemOutAndGoesWhenTheLastLeaves)
{
    COwner owner;
    ASSERT_TRUE(owner.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {50, 50, 650, 450}}));
    CPackageWindowFrame frame(owner.m_hWnd, true, RECT{0, 0, 600, 100});
    ASSERT_TRUE(frame.IsValid());
    const HWND row = frame.GetHwnd();
    wchar_t className[64] = {};
    ::GetClassNameW(row, className, 64);
    EXPECT_STREQ(className, L"CPackageWindowFrame::CPackageWindow");

    CPane a, b;
    ASSERT_TRUE(a.Create(CreateArgs{.style = WS_POPUP}));
    ASSERT_TRUE(b.Create(CreateArgs{.style = WS_POPUP}));

    DockingNotifyRecord dockA{.window = a.m_hWnd, .target = row, .code = DockingDock,
                              .rect = ScreenRect(row, RECT{0, 0, 300, 100})};
    ASSERT_TRUE(Notify(row, &dockA));
    EXPECT_EQ(::GetParent(a.m_hWnd), row);
    EXPECT_TRUE(a.GetStyle() & WS_CHILD);
    ASSERT_EQ(a.notifications.size(), 1u);
    EXPECT_EQ(a.notifications[0].wParam, (1u << 16) + 1);
    EXPECT_EQ(a.notifications[0].row, row);

    // Joining the row: accepted at a point inside it, snapped across it.
    DockingNotifyRecord join{.window = b.m_hWnd, .code = DockingAccept,
                             .rect = ScreenRect(row, RECT{300, 20, 600, 60})};
    ASSERT_TRUE(Notify(row, &join));
    EXPECT_EQ(join.target, row);
    EXPECT_EQ(join.rect.top, ScreenRect(row, RECT{0, 0, 1, 1}).top);
    EXPECT_EQ(join.rect.bottom - join.rect.top, 100);
    DockingNotifyRecord outside{.window = b.m_hWnd, .target = row, .code = DockingAccept,
                                .rect = ScreenRect(row, RECT{700, 20, 900, 60})};
    EXPECT_FALSE(Notify(row, &outside));
    EXPECT_EQ(outside.target, nullptr);
    // A window alone in its row cannot join that row again.
    DockingNotifyRecord itself{.window = a.m_hWnd, .code = DockingAccept, .rect = join.rect};
    EXPECT_FALSE(Notify(row, &itself));

    join.code = DockingDock;
    ASSERT_TRUE(Notify(row, &join));
    const RECT placedA = RectInParent(a.m_hWnd);
    const RECT placedB = RectInParent(b.m_hWnd);
    EXPECT_EQ(placedA.left, 0);
    EXPECT_EQ(placedA.right, 300);
    EXPECT_EQ(placedB.left, 305); // behind its splitter bar
    EXPECT_EQ(placedB.right, 600);

    DockingPosition position;
    position.window = b.m_hWnd;
    position.code = DockingGetPosition;
    ASSERT_TRUE(Notify(row, &position));
    EXPECT_NEAR(position.place.ratio, 305.0 / 605.0, 1e-6);
    EXPECT_EQ(position.place.length, 295);
    EXPECT_FALSE(position.side.IsSingle());

    DockingNotifyRecord undockA{.window = a.m_hWnd, .target = row, .code = DockingUndock};
    ASSERT_TRUE(Notify(row, &undockA));
    EXPECT_EQ(::GetParent(a.m_hWnd), nullptr);
    EXPECT_TRUE(a.GetStyle() & WS_POPUP);
    EXPECT_EQ(a.notifications.back().wParam, 0u);
    EXPECT_EQ(RectInParent(b.m_hWnd).left, 0); // the rest of the row takes the space
    EXPECT_TRUE(owner.emptiedRows.empty());

    DockingNotifyRecord undockB{.window = b.m_hWnd, .target = row, .code = DockingUndock};
    ASSERT_TRUE(Notify(row, &undockB));
    EXPECT_EQ(owner.emptiedRows, std::vector<HWND>{row});
    DispatchWaiting();
    EXPECT_FALSE(::IsWindow(row));
}
