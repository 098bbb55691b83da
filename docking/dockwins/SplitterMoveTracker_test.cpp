#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/PtrFrame.h"
#include "docking/dockwins/WndFramesPackageBase.h"

using namespace docking_test;

namespace {

using Package = dockwins::CWndFramesPackageBase<dockwins::CPtrFrame<dockwins::IFrame>>;

} // namespace

TEST(SplitterMoveTrackerTest, ABarFollowsTheMouseWithinItsBoundsAndAGhostDragCanBeCanceled)
{
    struct Case {
        const char* name;
        bool ghost;
        std::vector<Posted> posted;
        double position;
    };
    // Frames of minimum 20 at -5, 100 and 300 in a package 400 wide; the
    // press lies 2 pixels into the second bar.
    const Case cases[] = {
        {"live", false, {{WM_MOUSEMOVE, 0, At(152, 50)}, {WM_LBUTTONUP, 0, At(152, 50)}}, 150},
        {"beyond the neighbour's minimum", false, {{WM_MOUSEMOVE, 0, At(390, 50)}, {WM_LBUTTONUP, 0, At(390, 50)}},
         350},
        {"back inside", false,
         {{WM_MOUSEMOVE, 0, At(2, 50)}, {WM_MOUSEMOVE, 0, At(60, 50)}, {WM_LBUTTONUP, 0, At(60, 50)}}, 58},
        {"ghost applied on release", true, {{WM_MOUSEMOVE, 0, At(202, 50)}, {WM_LBUTTONUP, 0, At(202, 50)}}, 200},
        {"ghost canceled by Esc", true, {{WM_MOUSEMOVE, 0, At(202, 50)}, {WM_KEYDOWN, VK_ESCAPE, 0}}, 100},
    };
    for (const Case& c : cases) {
        CPlainWindow window;
        ASSERT_TRUE(window.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {0, 0, 400, 100}}));
        Package package(true);
        package.SetRect(RECT{0, 0, 400, 100});
        package.Insert(0, dockwins::CPtrFrame<dockwins::IFrame>(0, std::make_unique<CStandInFrame>(20)), -5, 105);
        package.Insert(1, dockwins::CPtrFrame<dockwins::IFrame>(0, std::make_unique<CStandInFrame>(20)), 100, 200);
        package.Insert(2, dockwins::CPtrFrame<dockwins::IFrame>(0, std::make_unique<CStandInFrame>(20)), 300, 100);
        PostAll(window.m_hWnd, c.posted);
        EXPECT_TRUE(package.StartSplitterDrag(window.m_hWnd, POINT{102, 50}, c.ghost)) << c.name;
        EXPECT_EQ(package.Frame(1).position, c.position) << c.name;
    }
    Package empty(true);
    EXPECT_FALSE(empty.StartSplitterDrag(nullptr, POINT{0, 0}, false));
}
