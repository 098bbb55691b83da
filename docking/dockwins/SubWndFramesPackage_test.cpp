#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/SubWndFramesPackage.h"
#include "docking/dockwins/WindowPtrWrapper.h"

using dockwins::CSubWndFramesPackage;

using namespace docking_test;

namespace {

// An owner 600 x 400 whose side-by-side package holds a view as its central frame.
struct Layout {
    Layout()
    {
        owner.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {100, 100, 700, 500}});
        view = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, owner.m_hWnd, nullptr,
                                 nullptr, nullptr);
        package = std::make_unique<CSubWndFramesPackage>(owner.m_hWnd, true);
        owner.package = package.get();
        package->SetRect(RECT{0, 0, 600, 400});
        package->AddCentral(std::make_unique<dockwins::CWindowPtrWrapper>(&view), RECT{0, 0, 600, 400});
        package->Arrange();
        pane.Create(CreateArgs{.style = WS_POPUP});
    }
    RECT Screen(RECT rect) const
    {
        ::MapWindowPoints(owner.m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    RECT InOwner(HWND window) const
    {
        RECT rect = CWindow(window).GetWindowRect();
        ::MapWindowPoints(nullptr, owner.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    COwner owner;
    HWND view = nullptr;
    std::unique_ptr<CSubWndFramesPackage> package;
    CPane pane;
};

} // namespace

TEST(SubWndFramesPackageTest, ANewRowIsOfferedOnlyNearAnEdgeOfTheView)
{
    struct Case {
        const char* name;
        int left;
        bool accepted;
        bool afterCentral;
        RECT feedback; // owner's client coordinates
    };
    const Case cases[] = {
        {"middle of the view", 300, false, false, {}},
        {"near the view's start", 10, true, false, {0, 0, 150, 400}},
        {"near the view's end", 590, true, true, {450, 0, 600, 400}},
        {"just outside the package", -15, true, false, {0, 0, 150, 400}},
        {"far outside", -30, false, false, {}},
    };
    Layout layout;
    for (const Case& c : cases) {
        DockingNotifyRecord request{.window = layout.pane.m_hWnd, .code = DockingAccept,
                                    .rect = layout.Screen(RECT{c.left, 50, c.left + 150, 250})};
        EXPECT_EQ(layout.package->AcceptDock(request), c.accepted) << c.name;
        if (!c.accepted)
            continue;
        EXPECT_EQ(request.IsAfterCentral(), c.afterCentral) << c.name;
        const RECT expected = layout.Screen(c.feedback);
        EXPECT_TRUE(::EqualRect(&request.rect, &expected)) << c.name << ": " << request.rect.left - 100;
        EXPECT_EQ(request.target, layout.owner.m_hWnd) << c.name;
    }
}

TEST(SubWndFramesPackageTest, ADockedWindowGetsARowAndComesBackToItsPlace)
{
    Layout layout;
    DockingNotifyRecord request{.window = layout.pane.m_hWnd, .code = DockingAccept,
                                .rect = layout.Screen(RECT{10, 50, 160, 250})};
    ASSERT_TRUE(layout.package->AcceptDock(request));
    ASSERT_TRUE(layout.package->Dock(request));
    const HWND row = ::GetParent(layout.pane.m_hWnd);
    ASSERT_NE(row, layout.owner.m_hWnd);
    EXPECT_EQ(::GetParent(row), layout.owner.m_hWnd);
    EXPECT_EQ(layout.InOwner(row).right, 150);
    EXPECT_EQ(layout.InOwner(layout.view).left, 155);
    EXPECT_EQ(layout.InOwner(layout.pane.m_hWnd).bottom, 400);

    DockingPosition position;
    position.window = layout.pane.m_hWnd;
    position.container = row;
    ASSERT_TRUE(layout.package->GetDockingPosition(position));
    EXPECT_TRUE(position.side.IsTopOrLeft());
    EXPECT_TRUE(position.side.IsSingle());
    EXPECT_EQ(position.place.row, 0);
    EXPECT_EQ(position.place.rowSize, 150);
    EXPECT_EQ(position.place.length, 400);

    // The last window leaves: the row goes and the view takes its space.
    DockingNotifyRecord undock{.window = layout.pane.m_hWnd, .target = row, .code = DockingUndock};
    ASSERT_TRUE(::SendMessageW(row, DockingNotify, 0, reinterpret_cast<LPARAM>(&undock)));
    DispatchWaiting();
    EXPECT_FALSE(::IsWindow(row));
    EXPECT_EQ(layout.package->Count(), 1u);
    EXPECT_EQ(layout.InOwner(layout.view).left, 0);

    ASSERT_TRUE(layout.package->DockAtPosition(position));
    const HWND again = ::GetParent(layout.pane.m_hWnd);
    ASSERT_TRUE(again);
    EXPECT_EQ(layout.InOwner(again).right, 150);
    EXPECT_EQ(layout.InOwner(layout.view).left, 155);
    EXPECT_EQ(layout.package->Central(), 1);
}
