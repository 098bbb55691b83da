#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/TabDockingBox.h"
#include "docking/sstate/PersistentLayoutFrame.h"
#include "docking/sstate/StateKeyName.h"
#include "docking/sstate/StateTestSupport.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

using dockwins::CDockingSide;
using dockwins::CTabDockingBox;
using namespace sstate_frame_test;

namespace {

// What a person sees of a pane.
struct PaneLook {
    RECT rect = {};
    int side = 0; // its edge, pinned and not-docked flags
    bool docked = false;
    bool visible = false;
    int rowSize = 0;

    bool operator==(const PaneLook& other) const
    {
        return ::EqualRect(&rect, &other.rect) && side == other.side && docked == other.docked &&
               visible == other.visible && rowSize == other.rowSize;
    }
};

std::ostream& operator<<(std::ostream& out, const PaneLook& look)
{
    return out << "{(" << look.rect.left << "," << look.rect.top << ")-(" << look.rect.right << "," << look.rect.bottom
               << ") side 0x" << std::hex << look.side << std::dec << (look.docked ? " docked" : " floating")
               << (look.visible ? " visible" : " hidden") << " row " << look.rowSize << "}";
}

struct FrameLook {
    RECT normal = {};
    bool maximized = false;
    bool visible = false;
    std::array<PaneLook, PaneCount> panes;
};

constexpr const char* paneNames[PaneCount] = {"calendar", "categories", "daily plan", "people"};
constexpr RECT frameRect = {20, 20, 620, 460};

class LayoutRestartTest : public ::testing::Test {
protected:
    void SetUp() override { Open(); }
    void TearDown() override
    {
        frame.reset();
        DispatchWaiting();
    }

    void Open()
    {
        frame = std::make_unique<CPersistentLayoutFrame>(key.Path());
        ASSERT_TRUE(frame->Open(frameRect));
        DispatchWaiting();
    }
    // Closes the frame as the user would and builds it again from what it stored.
    void Restart()
    {
        const HWND window = frame->m_hWnd;
        frame->Close();
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(window); }));
        frame.reset();
        Open();
    }
    static void DispatchWaiting()
    {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
    }

    CTabbedAutoHideDockingWindow& PaneOf(Pane which) { return frame->PaneAt(which); }

    PaneLook LookOf(Pane which)
    {
        CTabbedAutoHideDockingWindow& pane = PaneOf(which);
        DockingPosition position;
        EXPECT_TRUE(pane.GetDockingPosition(position)) << paneNames[which];
        const int sideBits = CDockingSide::Left | CDockingSide::NotDocked | CDockingSide::Pinned;
        PaneLook look;
        // A pinned pane shows its label, not its window.
        if (pane.IsWindowVisible() && !position.side.IsPinned())
            look.rect = pane.GetWindowRect();
        look.side = position.side.Flags() & sideBits;
        look.docked = position.docked;
        look.visible = pane.IsVisible();
        look.rowSize = position.docked && position.side.IsDocked() ? position.place.rowSize : 0;
        return look;
    }
    FrameLook Look()
    {
        FrameLook look;
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        ::GetWindowPlacement(frame->m_hWnd, &placement);
        look.normal = placement.rcNormalPosition;
        look.maximized = ::IsZoomed(frame->m_hWnd) != FALSE;
        look.visible = frame->IsWindowVisible();
        for (size_t i = 0; i < PaneCount; ++i)
            look.panes[i] = LookOf(static_cast<sstate_frame_test::Pane>(i));
        return look;
    }
    void ExpectSameLook(const FrameLook& before, const FrameLook& after, const char* what)
    {
        EXPECT_TRUE(::EqualRect(&before.normal, &after.normal)) << what;
        EXPECT_EQ(before.maximized, after.maximized) << what;
        EXPECT_EQ(before.visible, after.visible) << what;
        for (size_t i = 0; i < PaneCount; ++i)
            EXPECT_EQ(before.panes[i], after.panes[i]) << what << ": " << paneNames[i];
    }

    // Docks a pane as a row of its own at a side, as a pane asks its frame.
    bool DockAtSide(Pane which, int side, int rowSize)
    {
        DockingPosition position;
        position.side = CDockingSide(side | CDockingSide::Single);
        position.place.rowSize = rowSize;
        position.place.length = rowSize;
        position.docked = true;
        const bool docked = PaneOf(which).DockAtPosition(position);
        DispatchWaiting();
        return docked;
    }
    // Leaves the frame and floats at `rect` (screen coordinates).
    bool FloatAt(Pane which, const RECT& rect)
    {
        CTabbedAutoHideDockingWindow& pane = PaneOf(which);
        if (!pane.Undock())
            return false;
        pane.SetWindowPos(nullptr, rect, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        DispatchWaiting();
        return !pane.IsDocked() && pane.IsWindowVisible();
    }
    // The caption drag of `dropped` let go on the caption of `onto`, as the mouse does it.
    CTabDockingBox* Drop(Pane dropped, Pane onto)
    {
        CTabbedAutoHideDockingWindow& pane = PaneOf(dropped);
        const RECT target = PaneOf(onto).GetWindowRect();
        const RECT targetClient = ToScreen(PaneOf(onto), PaneOf(onto).GetClientRect());
        POINT cursor = {target.left + 30, (target.top + targetClient.top) / 2};
        ::ScreenToClient(pane, &cursor);
        const RECT client = ToScreen(pane, pane.GetClientRect());
        ::PostMessageW(pane, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(cursor.x, cursor.y));
        ::PostMessageW(pane, WM_LBUTTONUP, 0, MAKELPARAM(cursor.x, cursor.y));
        pane.TrackMove({client.left + 20, client.top + 20});
        DispatchWaiting();
        return CTabDockingBox::FromHandle(PaneOf(onto).GetParent());
    }
    std::vector<UINT> BandIds() const
    {
        std::vector<UINT> ids;
        const int count = static_cast<int>(::SendMessageW(frame->Rebar(), RB_GETBANDCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            REBARBANDINFOW band = {};
            band.cbSize = sizeof(band);
            band.fMask = RBBIM_ID;
            ::SendMessageW(frame->Rebar(), RB_GETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band));
            ids.push_back(band.wID);
        }
        return ids;
    }
    static RECT ToScreen(HWND window, RECT rect)
    {
        ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    std::wstring MainWindowKey() const { return key.Path() + L"\\Main Window"; }
    // The manager of the panes is the third child of the main window.
    std::wstring PanesKey() const { return MainWindowKey() + L"\\" + sstate::StateKeyName(-3); }
    static std::wstring PaneValue(Pane which) { return sstate::StateKeyName(-1 - static_cast<int>(which)); }
    std::string StoredRecord(Pane which) const
    {
        std::string bytes(DockingPosition::StoredSize, '\0');
        DWORD size = static_cast<DWORD>(bytes.size());
        if (::RegGetValueW(HKEY_CURRENT_USER, PanesKey().c_str(), PaneValue(which).c_str(), RRF_RT_REG_BINARY, nullptr,
                           bytes.data(), &size) != ERROR_SUCCESS)
            return {};
        bytes.resize(size);
        return bytes;
    }
    void StoreValue(const std::wstring& subKey, const std::wstring& name, DWORD type, const void* data, size_t size)
    {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), type, data,
                                    static_cast<DWORD>(size)),
                  ERROR_SUCCESS);
    }

    sstate::testing::PrivateKey key;
    std::unique_ptr<CPersistentLayoutFrame> frame;
};

} // namespace

TEST_F(LayoutRestartTest, ThePanesAndTheWindowPlacementComeBackAfterARestart)
{
    struct Case {
        const char* name;
        bool maximized;
        RECT normal;
        // Docked once the window has its size.
        int dailyPlanRow;
    };
    const Case cases[] = {
        {"normal", false, {40, 30, 600, 450}, 120},
        {"maximized", true, {40, 30, 600, 450}, 120},
        {"maximized, its row taller than the normal window", true, {40, 30, 400, 330}, 420},
    };
    for (const Case& test : cases) {
        frame->ShowWindow(SW_RESTORE);
        frame->SetWindowPos(nullptr, test.normal, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(PaneOf(People).PinUp(CDockingSide::Right, 160, false)) << test.name;
        frame->ShowWindow(test.maximized ? SW_MAXIMIZE : SW_RESTORE);
        DispatchWaiting();
        ASSERT_TRUE(DockAtSide(DailyPlan, CDockingSide::Top, test.dailyPlanRow)) << test.name;
        const FrameLook before = Look();
        Restart();
        ExpectSameLook(before, Look(), test.name);
    }
}

TEST_F(LayoutRestartTest, TheBandOrderAndTheHiddenStatusBarComeBackAfterARestart)
{
    ::SendMessageW(frame->Rebar(), RB_MOVEBAND, 2, 0);
    ::ShowWindow(frame->StatusBar(), SW_HIDE);
    const std::vector<UINT> order = BandIds();
    ASSERT_NE(order.front(), CPersistentLayoutFrame::bandIds.front());

    Restart();

    EXPECT_EQ(BandIds(), order);
    EXPECT_FALSE(::IsWindowVisible(frame->StatusBar()));
}

TEST_F(LayoutRestartTest, APaneOnAnAutoHideBarCountsAsVisibleAndToggleHidesIt)
{
    ASSERT_TRUE(PaneOf(People).PinUp(CDockingSide::Right, 160, false));
    for (Pane pinned : {Calendar, People}) {
        EXPECT_TRUE(LookOf(pinned).visible) << paneNames[pinned];
        PaneOf(pinned).Toggle();
        DispatchWaiting();
        EXPECT_FALSE(LookOf(pinned).visible) << paneNames[pinned] << " shown instead of hidden";
    }
}

TEST_F(LayoutRestartTest, AFloatingAHiddenAndABoxedPaneComeBackAfterARestart)
{
    CTabDockingBox* box = Drop(People, Categories);
    ASSERT_NE(box, nullptr) << "no box made";
    ASSERT_EQ(box->WindowCount(), 2);
    const HWND boxWindow = box->m_hWnd;
    ASSERT_TRUE(FloatAt(DailyPlan, {300, 200, 520, 380}));
    PaneOf(Calendar).Toggle();
    DispatchWaiting();
    ASSERT_FALSE(PaneOf(Calendar).IsVisible());
    ASSERT_TRUE(::IsWindowVisible(boxWindow));
    const FrameLook before = Look();

    Restart();

    ExpectSameLook(before, Look(), "restarted");
    CTabDockingBox* restored = CTabDockingBox::FromHandle(PaneOf(Categories).GetParent());
    ASSERT_NE(restored, nullptr) << "the box is gone";
    ASSERT_EQ(restored->WindowCount(), 2);
    EXPECT_EQ(restored->WindowAt(0), PaneOf(Categories).m_hWnd);
    EXPECT_EQ(restored->WindowAt(1), PaneOf(People).m_hWnd);
    EXPECT_TRUE(restored->IsWindowVisible());
    EXPECT_FALSE(SaveWindowScreenshot(frame->m_hWnd, L"sstate_restored_two_tab_box").empty());

    PaneOf(Calendar).Toggle();
    DispatchWaiting();
    EXPECT_TRUE(PaneOf(Calendar).IsVisible()) << "the hidden pane cannot be shown again";
    EXPECT_EQ(LookOf(Calendar).side & CDockingSide::Left, CDockingSide::Top) << "shown away from its side";
}

TEST_F(LayoutRestartTest, ALayoutStoredOnALargerScreenComesBackWithTheDockedSizesScaledDown)
{
    struct Case {
        Pane pane;
        int side;
        int size;
    };
    const Case cases[] = {{Categories, CDockingSide::Left, 240}, {DailyPlan, CDockingSide::Bottom, 220},
                          {People, CDockingSide::Right, 200}};
    for (const Case& test : cases)
        ASSERT_TRUE(DockAtSide(test.pane, test.side, test.size)) << paneNames[test.pane];
    const HWND window = frame->m_hWnd;
    frame->Close();
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(window); }));
    frame.reset();
    // Stored at twice this screen's size, the panes take half of what they had.
    const DWORD width = 2 * static_cast<DWORD>(::GetSystemMetrics(SM_CXSCREEN));
    const DWORD height = 2 * static_cast<DWORD>(::GetSystemMetrics(SM_CYSCREEN));
    StoreValue(key.Path() + L"\\General", L"SM_CXSCREEN", REG_DWORD, &width, sizeof(width));
    StoreValue(key.Path() + L"\\General", L"SM_CYSCREEN", REG_DWORD, &height, sizeof(height));

    Open();

    for (const Case& test : cases) {
        const PaneLook look = LookOf(test.pane);
        EXPECT_EQ(look.side, test.side) << paneNames[test.pane];
        EXPECT_EQ(look.rowSize, test.size / 2) << paneNames[test.pane];
    }
}

TEST_F(LayoutRestartTest, AGarbageValueForOnePaneGivesItTheDefaultLayoutAndTheOthersKeepTheirs)
{
    const PaneLook firstCategories = LookOf(Categories);
    struct Case {
        const char* name;
        DWORD type;
        size_t offset; // of the 32-bit field replaced
        DWORD value;
        size_t size;
    };
    const float notANumber = std::nanf("");
    DWORD nanBits = 0;
    std::memcpy(&nanBits, &notANumber, sizeof(nanBits));
    const Case cases[] = {
        {"too short", REG_BINARY, 0, 0, 7},
        {"not binary", REG_DWORD, 0, 0, sizeof(DWORD)},
        {"unknown side bits", REG_BINARY, 12, 0x41, DockingPosition::StoredSize},
        {"ratio not a number", REG_BINARY, 20, nanBits, DockingPosition::StoredSize},
        {"row size beyond the screen", REG_BINARY, 24, 100000, DockingPosition::StoredSize},
    };
    for (const Case& test : cases) {
        ASSERT_TRUE(DockAtSide(Categories, CDockingSide::Right, 150)) << test.name;
        ASSERT_TRUE(DockAtSide(DailyPlan, CDockingSide::Top, 120)) << test.name;
        const FrameLook before = Look();
        const HWND window = frame->m_hWnd;
        frame->Close();
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(window); })) << test.name;
        frame.reset();
        std::string record = StoredRecord(Categories);
        ASSERT_EQ(record.size(), DockingPosition::StoredSize) << test.name;
        std::memcpy(record.data() + test.offset, &test.value, sizeof(test.value));
        StoreValue(PanesKey(), PaneValue(Categories), test.type, record.data(), test.size);

        Open();

        const PaneLook categories = LookOf(Categories);
        EXPECT_EQ(categories.side, firstCategories.side) << test.name;
        EXPECT_EQ(categories.rowSize, firstCategories.rowSize) << test.name;
        EXPECT_TRUE(categories.docked && categories.visible) << test.name;
        for (Pane other : {Calendar, DailyPlan, People}) {
            const PaneLook look = LookOf(other);
            EXPECT_EQ(look.side, before.panes[other].side) << test.name << ": " << paneNames[other];
            EXPECT_EQ(look.rowSize, before.panes[other].rowSize) << test.name << ": " << paneNames[other];
            EXPECT_EQ(look.visible, before.panes[other].visible) << test.name << ": " << paneNames[other];
        }
    }
}

TEST_F(LayoutRestartTest, AStoredLayoutWithoutTheWindowPlacementShowsTheWindow)
{
    const HWND window = frame->m_hWnd;
    frame->Close();
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(window); }));
    frame.reset();
    ASSERT_EQ(::RegDeleteKeyValueW(HKEY_CURRENT_USER, MainWindowKey().c_str(), L"placement"), ERROR_SUCCESS);

    Open();

    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_TRUE(PaneOf(Categories).IsVisible());
}

TEST_F(LayoutRestartTest, AFloatingBoxOfTwoComesBackFloatingWhereItWas)
{
    ASSERT_TRUE(FloatAt(DailyPlan, {300, 200, 540, 400}));
    CTabDockingBox* box = Drop(People, DailyPlan);
    ASSERT_NE(box, nullptr) << "no box made";
    ASSERT_FALSE(box->IsDocked());
    const RECT boxRect = box->GetWindowRect();

    Restart();

    CTabDockingBox* restored = CTabDockingBox::FromHandle(PaneOf(DailyPlan).GetParent());
    ASSERT_NE(restored, nullptr) << "the box is gone";
    ASSERT_EQ(restored->WindowCount(), 2);
    EXPECT_EQ(restored->WindowAt(0), PaneOf(DailyPlan).m_hWnd);
    EXPECT_EQ(restored->WindowAt(1), PaneOf(People).m_hWnd);
    EXPECT_FALSE(restored->IsDocked());
    EXPECT_TRUE(restored->IsWindowVisible());
    const RECT rect = restored->GetWindowRect();
    EXPECT_TRUE(::EqualRect(&rect, &boxRect)) << rect.left << "," << rect.top << "-" << rect.right << "," << rect.bottom;
}

TEST_F(LayoutRestartTest, AFloatingPaneOrBoxStoredOffTheScreenComesBackWholeInTheWorkArea)
{
    struct Case {
        const char* name;
        RECT stored;
        bool boxed;
    };
    const RECT screen = docking_test::WorkAreaOf(::GetDesktopWindow());
    const Case cases[] = {{"a pane above the screen", {300, -150, 520, 30}, false},
                          {"a pane left of the screen", {-200, 200, 20, 380}, false},
                          {"a box of two above the screen", {300, -150, 540, 50}, true},
                          {"a pane hanging below the screen by its caption",
                           {300, screen.bottom - 20, 520, screen.bottom + 160}, false},
                          {"a box of two below the screen", {300, screen.bottom - 20, 540, screen.bottom + 180}, true}};
    for (const Case& test : cases) {
        frame.reset();
        DispatchWaiting();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, key.Path().c_str());
        Open();
        ASSERT_TRUE(FloatAt(DailyPlan, {300, 200, 540, 400})) << test.name;
        HWND floating = PaneOf(DailyPlan);
        if (test.boxed) {
            CTabDockingBox* box = Drop(People, DailyPlan);
            ASSERT_NE(box, nullptr) << test.name << ": no box made";
            floating = *box;
        }
        // Where a drop that ran off the screen left it.
        ::SetWindowPos(floating, nullptr, test.stored.left, test.stored.top, test.stored.right - test.stored.left,
                       test.stored.bottom - test.stored.top, SWP_NOZORDER | SWP_NOACTIVATE);
        DispatchWaiting();
        ASSERT_FALSE(docking_test::InWorkArea(floating)) << test.name;

        Restart();

        HWND restored = PaneOf(DailyPlan);
        if (test.boxed) {
            CTabDockingBox* box = CTabDockingBox::FromHandle(PaneOf(DailyPlan).GetParent());
            ASSERT_NE(box, nullptr) << test.name << ": the box is gone";
            restored = *box;
        }
        EXPECT_TRUE(::IsWindowVisible(restored)) << test.name;
        EXPECT_TRUE(docking_test::InWorkArea(restored)) << test.name;
        const RECT rect = CWindow(restored).GetWindowRect();
        EXPECT_EQ(rect.right - rect.left, test.stored.right - test.stored.left) << test.name << ": resized";
        EXPECT_EQ(rect.bottom - rect.top, test.stored.bottom - test.stored.top) << test.name << ": resized";
    }
}

TEST_F(LayoutRestartTest, APaneHiddenFromABoxGoesBackIntoItWhenShownAfterARestart)
{
    CTabDockingBox* box = Drop(People, Categories);
    ASSERT_NE(box, nullptr) << "no box made";
    PaneOf(People).Toggle();
    DispatchWaiting();
    ASSERT_FALSE(PaneOf(People).IsVisible());

    Restart();

    ASSERT_FALSE(PaneOf(People).IsVisible());
    PaneOf(People).Toggle();
    DispatchWaiting();
    EXPECT_TRUE(PaneOf(People).IsVisible());
    CTabDockingBox* restored = CTabDockingBox::FromHandle(PaneOf(People).GetParent());
    ASSERT_NE(restored, nullptr) << "shown outside the box";
    EXPECT_EQ(restored->WindowCount(), 2);
    EXPECT_EQ(restored->WindowAt(0), PaneOf(Categories).m_hWnd);
}

TEST_F(LayoutRestartTest, ABoxOfThreeComesBackWithItsTabOrderAndItsActiveTabAfterARestart)
{
    struct Case {
        const char* name;
        bool floating;
        std::array<Pane, 3> tabs; // the first two make the box, the third goes between them
    };
    const Case cases[] = {{"docked", false, {Categories, DailyPlan, People}},
                          {"floating", true, {DailyPlan, Categories, People}}};
    for (const Case& test : cases) {
        // Each case starts from the built-in layout.
        frame.reset();
        DispatchWaiting();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, key.Path().c_str());
        Open();
        if (test.floating) {
            ASSERT_TRUE(FloatAt(test.tabs[0], {300, 200, 540, 400})) << test.name;
        }
        CTabDockingBox* box = Drop(test.tabs[2], test.tabs[0]);
        ASSERT_NE(box, nullptr) << test.name << ": no box made";
        ASSERT_TRUE(PaneOf(test.tabs[1]).DockInto(*box, 1)) << test.name;
        DispatchWaiting();
        ASSERT_EQ(box->WindowCount(), 3) << test.name;
        ASSERT_EQ(box->ActiveWindow(), PaneOf(test.tabs[1]).m_hWnd) << test.name;
        const RECT boxRect = box->GetWindowRect();
        const bool boxDocked = box->IsDocked();
        ASSERT_EQ(boxDocked, !test.floating) << test.name;

        Restart();

        CTabDockingBox* restored = CTabDockingBox::FromHandle(PaneOf(test.tabs[0]).GetParent());
        ASSERT_NE(restored, nullptr) << test.name << ": the box is gone";
        ASSERT_EQ(restored->WindowCount(), 3) << test.name;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(restored->WindowAt(i), PaneOf(test.tabs[i]).m_hWnd) << test.name << ": tab " << i;
        EXPECT_EQ(restored->ActiveWindow(), PaneOf(test.tabs[1]).m_hWnd) << test.name;
        EXPECT_EQ(restored->IsDocked(), boxDocked) << test.name;
        EXPECT_TRUE(restored->IsWindowVisible()) << test.name;
        const RECT rect = restored->GetWindowRect();
        EXPECT_TRUE(::EqualRect(&rect, &boxRect))
            << test.name << ": " << rect.left << "," << rect.top << "-" << rect.right << "," << rect.bottom;
    }
}
