#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "docking/sstate/DockWndMgr.h"
#include "docking/sstate/StateKeyName.h"
#include "docking/sstate/StateTestSupport.h"

using dockwins::CDockingSide;
using namespace sstate;
using namespace sstate::testing;

namespace {

// A pane state that writes what happens to it into a shared log.
class LoggingPaneState : public CStateBase<IDockWndState> {
public:
    LoggingPaneState(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
    bool Store(IMainState*, HKEY) override { return true; }
    bool Restore(IMainState*, HKEY) override { return true; }
    bool RestoreDefault() override { return Log(" default"); }
    bool HideForRestore() override { return Log(" hide"); }
    bool GetDockingPosition(IMainState*, DockingPosition*) override { return true; }
    bool SetDockingPosition(IMainState*, DockingPosition*) override { return Log(" placed"); }

private:
    bool Log(const char* what)
    {
        m_log.push_back(m_name + what);
        return true;
    }
    std::string m_name;
    std::vector<std::string>& m_log;
};

DockingPosition Docked(int side, int row, float ratio)
{
    DockingPosition position;
    position.side = CDockingSide(side);
    position.place = {row, ratio, 100, 100};
    position.docked = position.shown = true;
    return position;
}

} // namespace

TEST(DockWndMgrTest, PriorityGoesLeftTopRightBottomThenOuterRowsThenRowStarts)
{
    const DockingPosition ordered[] = {
        Docked(CDockingSide::Left, 0, 0.0f),
        Docked(CDockingSide::Left, 0, 0.5f),
        Docked(CDockingSide::Left | CDockingSide::Single, 1, 0.0f),
        Docked(CDockingSide::Top, 0, 1.0f),
        Docked(CDockingSide::Top, 2, 0.0f),
        Docked(CDockingSide::Right | CDockingSide::Pinned, 0, 0.0f),
        Docked(CDockingSide::Bottom, 0x3FFF, 1.0f),
    };
    for (size_t i = 1; i < std::size(ordered); ++i)
        EXPECT_LT(RestorePriority(ordered[i - 1]), RestorePriority(ordered[i])) << "entry " << i;
}

TEST(DockWndMgrTest, RestoreHidesAllThenPlacesFloatingFirstDockedByPriorityTiesById)
{
    PrivateKey key;
    std::vector<std::string> log;
    CDockWndMgr manager;
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) {
        auto* state = new LoggingPaneState(name, log);
        manager.Add(state);
        state->Release();
    }
    DockingPosition floating;
    floating.windowRect = floating.floatingRect = {10, 10, 210, 310};
    const std::pair<std::int32_t, DockingPosition> stored[] = {
        {-1, Docked(CDockingSide::Bottom, 0, 0.0f)}, {-2, Docked(CDockingSide::Top, 0, 0.5f)},
        {-3, floating},                              {-4, Docked(CDockingSide::Top, 0, 0.5f)},
        {-5, Docked(CDockingSide::Left, 0, 7.0f)}, // garbage; -6 has no record
    };
    for (const auto& [id, position] : stored) {
        const auto bytes = position.Store();
        key.Key().SetBinary(StateKeyName(id).c_str(), bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    FixedMainState mainState;
    ASSERT_TRUE(manager.GetState()->Restore(&mainState, key.Key()));
    const std::vector<std::string> expected = {
        "f hide",    "e hide",    "d hide",   "c hide",   "b hide",   "a hide", // visited from the last added
        "f default", "e default", "c placed", "d placed", "b placed", "a placed"};
    EXPECT_EQ(log, expected);
}
