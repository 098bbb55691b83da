#include <gtest/gtest.h>

#include <vector>

#include "docking/sstate/RebarStateAdapter.h"
#include "docking/sstate/StateTestSupport.h"

using namespace sstate;
using namespace sstate::testing;

namespace {

class RebarStateAdapterTest : public ::testing::Test {
protected:
    TestFrame frame;
    PrivateKey key;
    FixedMainState mainState;
    CRebarStateAdapter adapter{frame.rebar, 0};
};

} // namespace

TEST_F(RebarStateAdapterTest, RestoreGivesBackTheStoredOrderAndSizes)
{
    const auto stored = frame.Bands();
    ASSERT_TRUE(adapter.GetState()->Store(&mainState, key.Key()));
    frame.MoveBand(0, 2);
    REBARBANDINFOW narrow = BandInfo(RBBIM_SIZE);
    narrow.cx = 40;
    ::SendMessageW(frame.rebar, RB_SETBANDINFOW, 0, reinterpret_cast<LPARAM>(&narrow));
    ASSERT_NE(frame.Bands(), stored);
    ASSERT_TRUE(adapter.GetState()->Restore(&mainState, key.Key()));
    EXPECT_EQ(frame.Bands(), stored);
}

TEST_F(RebarStateAdapterTest, AnotherLayoutVersionLeavesTheRebarAlone)
{
    ASSERT_TRUE(adapter.GetState()->Store(&mainState, key.Key()));
    frame.MoveBand(0, 2);
    const auto moved = frame.Bands();
    EXPECT_FALSE(CRebarStateAdapter(frame.rebar, 1).GetState()->Restore(&mainState, key.Key()));
    EXPECT_EQ(frame.Bands(), moved);
}

TEST_F(RebarStateAdapterTest, ABandTheRebarNoLongerHasIsSkipped)
{
    ASSERT_TRUE(adapter.GetState()->Store(&mainState, key.Key()));
    ::SendMessageW(frame.rebar, RB_DELETEBAND, 1, 0); // band 102, stored as band1
    frame.MoveBand(0, 1);
    ASSERT_TRUE(adapter.GetState()->Restore(&mainState, key.Key()));
    EXPECT_EQ(frame.Bands().front().first, 101u);
    EXPECT_EQ(frame.Bands().back().first, 103u);
}
