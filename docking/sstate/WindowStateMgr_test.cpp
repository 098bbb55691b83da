#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "docking/sstate/DockWndMgr.h"
#include "docking/sstate/DockingWindowStateAdapter.h"
#include "docking/sstate/RebarStateAdapter.h"
#include "docking/sstate/StateTestSupport.h"
#include "docking/sstate/StoredDockingPosition.h"
#include "docking/sstate/ToggleWindowAdapter.h"
#include "docking/sstate/WindowStateMgr.h"

using dockwins::CDockingSide;
using namespace sstate;
using namespace sstate::testing;

namespace {

using PaneAdapter = CDockingWindowStateAdapter<StandInPane>;

// The tree as the main frame builds it: four panes, then the rebar, the
// status bar and the panes' manager.
struct TestLayout {
    explicit TestLayout(const std::wstring& keyPath)
    {
        for (auto& pane : panes)
            paneManager.Add(adapters.emplace_back(std::make_unique<PaneAdapter>(pane, SW_SHOWNOACTIVATE))->GetState());
        manager.Initialize(keyPath, frame.window, SW_SHOWDEFAULT);
        manager.Add(rebarAdapter.GetState());
        manager.Add(statusBarAdapter.GetState());
        manager.Add(paneManager.GetState());
    }

    TestFrame frame;
    StandInPane panes[4];
    std::vector<std::unique_ptr<PaneAdapter>> adapters;
    CDockWndMgr paneManager;
    CRebarStateAdapter rebarAdapter{frame.rebar, 0};
    CToggleWindowAdapter statusBarAdapter{frame.statusBar, SW_SHOWNOACTIVATE};
    CWindowStateMgr manager;
};

DockingPosition Position(int side, bool docked, bool shown)
{
    DockingPosition position;
    position.side = CDockingSide(side);
    position.place = {0, 0.0f, 180, docked ? 300 : 1};
    position.windowRect = position.floatingRect = {300, 200, 500, 400};
    position.docked = docked;
    position.shown = shown;
    return position;
}

std::array<std::byte, 60> StoredFormOf(const StandInPane& pane)
{
    DockingPosition position = ZeroedPosition();
    pane.GetDockingPosition(position);
    position.window = nullptr;
    return position.Store();
}

} // namespace

TEST(WindowStateMgrTest, ALayoutSurvivesARestart)
{
    PrivateKey key;
    std::vector<std::array<std::byte, 60>> panes;
    std::vector<std::pair<UINT, UINT>> bands;
    RECT frameRect = {};
    {
        TestLayout layout(key.Path());
        ::SetWindowPos(layout.frame.window, nullptr, 60, 70, 500, 380, SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(layout.frame.window, SW_SHOWNORMAL);
        ::ShowWindow(layout.frame.statusBar, SW_HIDE);
        layout.frame.MoveBand(2, 0);
        layout.panes[0].SetDockingPosition(Position(CDockingSide::Top | CDockingSide::Pinned, true, true));
        layout.panes[1].SetDockingPosition(Position(CDockingSide::Left, true, true));
        layout.panes[2].SetDockingPosition(Position(CDockingSide::NotDocked, false, false));
        layout.panes[3].SetDockingPosition(Position(CDockingSide::NotDocked, false, true));
        for (const auto& pane : layout.panes)
            panes.push_back(StoredFormOf(pane));
        bands = layout.frame.Bands();
        ::GetWindowRect(layout.frame.window, &frameRect);
        ASSERT_TRUE(layout.manager.Store());
    }
    RegistryKey paneValues;
    ASSERT_TRUE(paneValues.Open(key.Key(), L"Main Window\\0xfffffffd"));
    for (const wchar_t* name : {L"0xffffffff", L"0xfffffffe", L"0xfffffffd", L"0xfffffffc"}) {
        std::string bytes;
        EXPECT_TRUE(paneValues.QueryBinary(name, bytes) && bytes.size() == 60) << name;
    }

    TestLayout layout(key.Path());
    ASSERT_TRUE(layout.manager.Restore());
    RECT restoredRect = {};
    ::GetWindowRect(layout.frame.window, &restoredRect);
    EXPECT_TRUE(::IsWindowVisible(layout.frame.window));
    EXPECT_TRUE(SameRect(restoredRect, frameRect));
    EXPECT_FALSE(::IsWindowVisible(layout.frame.statusBar));
    EXPECT_EQ(layout.frame.Bands(), bands);
    for (size_t i = 0; i < panes.size(); ++i)
        EXPECT_EQ(StoredFormOf(layout.panes[i]), panes[i]) << "pane " << i;
}

TEST(WindowStateMgrTest, PlacementComesBackMaximizedButNeverMinimized)
{
    const struct {
        const char* name;
        int showCommand;
        bool zoomed;
    } cases[] = {{"normal", SW_SHOWNORMAL, false}, {"maximized", SW_SHOWMAXIMIZED, true},
                 {"minimized", SW_SHOWMINIMIZED, false}};
    for (const auto& c : cases) {
        PrivateKey key;
        {
            TestLayout layout(key.Path());
            ::ShowWindow(layout.frame.window, c.showCommand);
            ASSERT_TRUE(layout.manager.Store()) << c.name;
        }
        TestLayout layout(key.Path());
        ASSERT_TRUE(layout.manager.Restore()) << c.name;
        EXPECT_TRUE(::IsWindowVisible(layout.frame.window) && !::IsIconic(layout.frame.window)) << c.name;
        EXPECT_EQ(::IsZoomed(layout.frame.window) != FALSE, c.zoomed) << c.name;
        EXPECT_TRUE(::IsWindowVisible(layout.frame.statusBar)) << c.name;
    }
}

TEST(WindowStateMgrTest, WithoutAUsablePlacementEverythingGetsItsDefault)
{
    WINDOWPLACEMENT hidden = {sizeof(hidden), 0, SW_HIDE, {}, {}, {50, 50, 650, 450}};
    const struct {
        const char* name;
        bool mainWindowKey;
        std::string placement; // empty: none
    } cases[] = {
        {"first start", false, ""},
        {"main window key without placement", true, ""},
        {"placement of the wrong size", true, std::string(40, 'x')},
        {"placement of a hidden window", true, std::string(reinterpret_cast<const char*>(&hidden), sizeof(hidden))},
    };
    for (const auto& c : cases) {
        PrivateKey key;
        if (c.mainWindowKey) {
            RegistryKey general, mainWindow;
            general.Create(key.Key(), L"General");
            mainWindow.Create(key.Key(), L"Main Window");
            if (!c.placement.empty())
                mainWindow.SetBinary(L"placement", c.placement.data(), static_cast<DWORD>(c.placement.size()));
        }
        TestLayout layout(key.Path());
        ::ShowWindow(layout.frame.statusBar, SW_HIDE);
        layout.manager.Restore();
        EXPECT_TRUE(::IsWindowVisible(layout.frame.window)) << c.name;
        EXPECT_TRUE(::IsWindowVisible(layout.frame.statusBar)) << c.name;
        for (const auto& pane : layout.panes)
            EXPECT_EQ(pane.shownWith, SW_SHOWNOACTIVATE) << c.name;
    }
}

TEST(WindowStateMgrTest, AGarbagePaneRecordGivesThatPaneItsFirstLayoutOnly)
{
    PrivateKey key;
    {
        TestLayout layout(key.Path());
        ::ShowWindow(layout.frame.window, SW_SHOWNORMAL);
        for (auto& pane : layout.panes)
            pane.SetDockingPosition(Position(CDockingSide::Left, true, true));
        ASSERT_TRUE(layout.manager.Store());
    }
    RegistryKey paneValues;
    ASSERT_TRUE(paneValues.Open(key.Key(), L"Main Window\\0xfffffffd", KEY_READ | KEY_WRITE));
    const std::string garbage(60, '\xff');
    paneValues.SetBinary(L"0xfffffffe", garbage.data(), static_cast<DWORD>(garbage.size()));

    // As in the frame, the panes stand in their first layout before the restore.
    TestLayout layout(key.Path());
    for (auto& pane : layout.panes)
        pane.SetDockingPosition(Position(CDockingSide::NotDocked, false, true));
    ASSERT_TRUE(layout.manager.Restore());
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(layout.panes[i].IsDocked(), i != 1) << "pane " << i;
    EXPECT_TRUE(layout.panes[1].IsVisible());
}

TEST(WindowStateMgrTest, AScreenTwiceAsLargeDoublesTheDockedSizesAndFloatingCoordinates)
{
    PrivateKey key;
    {
        TestLayout layout(key.Path());
        ::ShowWindow(layout.frame.window, SW_SHOWNORMAL);
        DockingPosition left = Position(CDockingSide::Left, true, true);
        left.place.length = 200;
        layout.panes[0].SetDockingPosition(left);
        ASSERT_TRUE(layout.manager.Store());
    }
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    ASSERT_TRUE(width % 2 == 0 && height % 2 == 0);
    RegistryKey general;
    ASSERT_TRUE(general.Open(key.Key(), L"General", KEY_READ | KEY_WRITE));
    general.SetDword(L"SM_CXSCREEN", static_cast<DWORD>(width / 2));
    general.SetDword(L"SM_CYSCREEN", static_cast<DWORD>(height / 2));

    TestLayout layout(key.Path());
    ASSERT_TRUE(layout.manager.Restore());
    DockingPosition restored = ZeroedPosition();
    layout.panes[0].GetDockingPosition(restored);
    EXPECT_EQ(std::make_pair(restored.place.rowSize, restored.place.length), std::make_pair(360, 400));
    EXPECT_TRUE(SameRect(restored.floatingRect, {600, 400, 1000, 800}));
}
