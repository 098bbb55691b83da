#include <gtest/gtest.h>

#include "docking/sstate/DockingWindowStateAdapter.h"
#include "docking/sstate/StateTestSupport.h"

using dockwins::CDockingSide;
using namespace sstate;
using namespace sstate::testing;

namespace {

using Adapter = CDockingWindowStateAdapter<StandInPane>;

DockingPosition DockedTop()
{
    DockingPosition position;
    position.side = CDockingSide(CDockingSide::Top);
    position.place = {0, 0.0f, 150, 300};
    position.floatingRect = {20, 30, 220, 330};
    position.docked = position.shown = true;
    position.window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(0x1234)); // of an earlier run
    position.container = reinterpret_cast<HWND>(static_cast<std::intptr_t>(0x5678));
    return position;
}

} // namespace

TEST(DockingWindowStateAdapterTest, PlacingGrowsTheRecordWithTheScreenAndMakesItThePanes)
{
    StandInPane pane;
    Adapter adapter(pane, SW_SHOWNOACTIVATE);
    FixedMainState doubled(2.0f);
    DockingPosition position = DockedTop();
    ASSERT_TRUE(adapter.GetState()->SetDockingPosition(&doubled, &position));
    DockingPosition placed;
    pane.GetDockingPosition(placed);
    EXPECT_EQ(placed.window, static_cast<HWND>(pane));
    EXPECT_EQ(placed.container, nullptr);
    EXPECT_EQ(std::make_pair(placed.place.rowSize, placed.place.length), std::make_pair(300, 600));
}

TEST(DockingWindowStateAdapterTest, APaneWhoseWindowIsGoneIsLeftAlone)
{
    FixedMainState mainState;
    StandInPane pane;
    Adapter adapter(pane, SW_SHOWNOACTIVATE);
    ::DestroyWindow(pane);
    DockingPosition position = DockedTop();
    EXPECT_FALSE(adapter.GetState()->GetDockingPosition(&mainState, &position));
    EXPECT_FALSE(adapter.GetState()->HideForRestore());
    EXPECT_FALSE(adapter.GetState()->SetDockingPosition(&mainState, &position));
    EXPECT_TRUE(adapter.GetState()->RestoreDefault());
    EXPECT_EQ(pane.shownWith, -1);
}
