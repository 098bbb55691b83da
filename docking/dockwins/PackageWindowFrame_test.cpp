#include <gtest/gtest.h>

#include <windows.h>


#include "docking/dockwins/DockingPosition.h"
#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/PackageWindowFrame.h"

using dockwins::CPackageWindowFrame;

using namespace docking_test;

TEST(PackageWindowFrameTest, ARowTakesWindowsInLaysThemOutAndGoesWhenTheLastLeaves)
{
    COwner owner;
    ASSERT_TRUE(owner.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {50, 50, 650, 450}}));
    CPackageWindowFrame frame(owner.m_hWnd, true, RECT{0, 0, 600, 100});
    ASSERT_TRUE(frame.IsValid());
    const HWND row = frame.GetHwnd();
    CPane a, b;
    ASSERT_TRUE(a.Create(CreateArgs{.style = WS_POPUP}));
    ASSERT_TRUE(b.Create(CreateArgs{.style = WS_POPUP}));

    DockingNotifyRecord dockA{.window = a.m_hWnd, .target = row, .code = DockingDock,
                              .rect = ToScreen(row, RECT{0, 0, 300, 100})};
    ASSERT_TRUE(Notify(row, &dockA));
    EXPECT_EQ(::GetParent(a.m_hWnd), row);
    EXPECT_TRUE(a.GetStyle() & WS_CHILD);
    ASSERT_EQ(a.notifications.size(), 1u);
    EXPECT_EQ(a.notifications[0].wParam, (1u << 16) + 1);
    EXPECT_EQ(a.notifications[0].row, row);

    // Joining the row: accepted at a point inside it, snapped across it.
    DockingNotifyRecord join{.window = b.m_hWnd, .code = DockingAccept,
                             .rect = ToScreen(row, RECT{300, 20, 600, 60})};
    ASSERT_TRUE(Notify(row, &join));
    EXPECT_EQ(join.target, row);
    EXPECT_EQ(join.rect.top, ToScreen(row, RECT{0, 0, 1, 1}).top);
    EXPECT_EQ(join.rect.bottom - join.rect.top, 100);
    DockingNotifyRecord outside{.window = b.m_hWnd, .target = row, .code = DockingAccept,
                                .rect = ToScreen(row, RECT{700, 20, 900, 60})};
    EXPECT_FALSE(Notify(row, &outside));
    EXPECT_EQ(outside.target, nullptr);
    // A window alone in its row cannot join that row again.
    DockingNotifyRecord itself{.window = a.m_hWnd, .code = DockingAccept, .rect = join.rect};
    EXPECT_FALSE(Notify(row, &itself));

    join.code = DockingDock;
    ASSERT_TRUE(Notify(row, &join));
    const RECT placedA = InParent(a.m_hWnd);
    const RECT placedB = InParent(b.m_hWnd);
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
    EXPECT_EQ(InParent(b.m_hWnd).left, 0); // the rest of the row takes the space
    EXPECT_TRUE(owner.emptiedRows.empty());

    DockingNotifyRecord undockB{.window = b.m_hWnd, .target = row, .code = DockingUndock};
    ASSERT_TRUE(Notify(row, &undockB));
    EXPECT_EQ(owner.emptiedRows, std::vector<HWND>{row});
    // Told to close, the row takes no window any more.
    DockingNotifyRecord late{.window = a.m_hWnd, .target = row, .code = DockingDock,
                             .rect = ToScreen(row, RECT{0, 0, 100, 100})};
    EXPECT_FALSE(Notify(row, &late));
    EXPECT_EQ(::GetParent(a.m_hWnd), nullptr);
    DispatchWaiting();
    EXPECT_FALSE(::IsWindow(row));
}
