#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/TabbedAutoHideDockingWindow.h"
#include "winlib/ForwardMessage.h"

using namespace docking_test;
using dockwins::CDockingSide;

namespace {

// A view that takes every message offered to it and notes it.
class CTestView : public CWindowImpl<CTestView> {
public:
    BEGIN_MESSAGE_MAP(CTestView)
        ON_FORWARDED_MESSAGE(OnForwarded)
    END_MESSAGE_MAP()
    bool OnForwarded(MSG* message)
    {
        offered.push_back(message->message);
        return true;
    }
    std::vector<UINT> offered;
};

// The column of the frame, and a pane with its view floating beside it.
class TabbedAutoHideDockingWindowTest : public AnchoredColumnTest<CTabbedAutoHideDockingWindow> {
protected:
    void SetUp() override
    {
        AnchoredColumnTest::SetUp();
        ASSERT_TRUE(pane.Create(frame.m_hWnd, {450, 50, 650, 250}, L"Categories",
                                TabbedAutoHideDockingWindowTraits::style | WS_VISIBLE));
        ASSERT_TRUE(view.Create(CreateArgs{.parent = pane.m_hWnd, .style = WS_CHILD | WS_VISIBLE}));
        pane.SetClient(view.m_hWnd);
        DispatchWaiting();
    }
    void TearDown() override
    {
        pane.DestroyWindow();
        AnchoredColumnTest::TearDown();
    }

    CTabbedAutoHideDockingWindow pane;
    CTestView view;
};

} // namespace

TEST_F(TabbedAutoHideDockingWindowTest, AHiddenPaneComesBackWhereItWasHidden)
{
    struct Case {
        const char* name;
        bool docked;
    };
    for (const Case& test : {Case{"docked", true}, Case{"floating", false}}) {
        if (test.docked) {
            ASSERT_TRUE(DockIntoRow(pane, {0, 300, 200, 400})) << test.name;
        }
        const RECT place = pane.GetWindowRect();
        ASSERT_TRUE(pane.Hide()) << test.name;
        EXPECT_FALSE(pane.IsWindowVisible()) << test.name;
        EXPECT_FALSE(pane.IsDocked()) << test.name;
        ASSERT_TRUE(pane.Show()) << test.name;
        EXPECT_TRUE(pane.IsWindowVisible()) << test.name;
        EXPECT_EQ(pane.IsDocked(), test.docked) << test.name;
        EXPECT_TRUE(SameRect(pane.GetWindowRect(), place)) << test.name;
        pane.Float();
    }
}

TEST_F(TabbedAutoHideDockingWindowTest, TogglingAPinnedPaneHidesIt)
{
    pane.ShowWindow(SW_HIDE);
    ASSERT_TRUE(pane.PinUp(CDockingSide::Left, 200, false));
    ASSERT_TRUE(pane.IsVisible()) << "a pinned pane counts as visible";
    pane.Toggle();
    EXPECT_FALSE(pane.IsWindowVisible()) << "shown instead of hidden";
}

TEST_F(TabbedAutoHideDockingWindowTest, ThePaneIsNeverTrackedSmallerThan100By100)
{
    MINMAXINFO info = {};
    info.ptMinTrackSize = {10, 10};
    pane.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 100);
    EXPECT_EQ(info.ptMinTrackSize.y, 100);
}

TEST_F(TabbedAutoHideDockingWindowTest, AMessageIsOfferedToTheViewOnlyWhileTheFocusIsInIt)
{
    const HWND inner = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, view.m_hWnd, nullptr,
                                         nullptr, nullptr);
    ASSERT_NE(inner, nullptr);
    struct Case {
        const char* name;
        HWND focus;
        bool offered;
    };
    const Case cases[] = {
        {"the view", view.m_hWnd, true},
        {"a control of the view", inner, true},
        {"the frame", frame.m_hWnd, false},
    };
    for (const Case& test : cases) {
        view.offered.clear();
        ::SetFocus(test.focus);
        ASSERT_EQ(::GetFocus(), test.focus) << test.name;
        MSG key = {test.focus, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
        EXPECT_EQ(pane.PreTranslateMessage(&key), test.offered) << test.name;
        EXPECT_EQ(view.offered, test.offered ? std::vector<UINT>{WM_KEYDOWN} : std::vector<UINT>{}) << test.name;
    }
}

TEST_F(TabbedAutoHideDockingWindowTest, AVisiblePaneWhoseHostReportsALabelsLengthReportsTheDefaultLength)
{
    // Held by the frame as the auto-hide bars hold a pinned pane.
    pane.SendMessage(WM_USER, 1, reinterpret_cast<LPARAM>(frame.m_hWnd));
    DockingPosition position;
    ASSERT_TRUE(pane.GetDockingPosition(position));
    EXPECT_TRUE(position.docked);
    EXPECT_TRUE(position.shown);
    EXPECT_TRUE(position.side.IsPinned());
    EXPECT_EQ(position.place.length, 180);
    EXPECT_EQ(position.place.rowSize, CTestFrame::pinnedPaneSize);
}

TEST_F(TabbedAutoHideDockingWindowTest, APinnedPaneRestoredFromItsPositionKeepsItsSizeOnEverySide)
{
    const int edges[] = {CDockingSide::Bottom, CDockingSide::Right, CDockingSide::Top, CDockingSide::Left};
    for (const int edge : edges) {
        DockingPosition stored;
        stored.side = edge | CDockingSide::Single | CDockingSide::Pinned;
        stored.place.rowSize = 250;
        stored.place.length = 180; // what a pinned pane reports along its bar
        stored.floatingRect = {450, 50, 650, 250};
        // As a pinned pane reports itself: held by the frame, and visible.
        stored.docked = true;
        stored.shown = true;
        ASSERT_TRUE(pane.SetDockingPosition(stored)) << edge;
        ASSERT_FALSE(frame.pinRequests.empty()) << edge;
        EXPECT_EQ(frame.pinRequests.back().window, pane.m_hWnd) << edge;
        EXPECT_EQ(frame.pinRequests.back().side.GetEdge(), edge) << edge;
        EXPECT_EQ(frame.pinRequests.back().size, 250) << edge;
    }
}

TEST_F(TabbedAutoHideDockingWindowTest, APositionTakenIsThePositionRestored)
{
    struct Case {
        const char* name;
        bool docked;
        bool shown;
    };
    const Case cases[] = {{"docked", true, true}, {"floating", false, true}, {"hidden", false, false}};
    for (const Case& test : cases) {
        if (test.docked) {
            ASSERT_TRUE(DockIntoRow(pane, {0, 300, 200, 400})) << test.name;
        }
        if (!test.shown)
            pane.ShowWindow(SW_HIDE);
        const RECT place = pane.GetWindowRect();
        DockingPosition position;
        ASSERT_TRUE(pane.GetDockingPosition(position)) << test.name;
        EXPECT_EQ(position.docked, test.docked) << test.name;
        EXPECT_EQ(position.shown, test.shown) << test.name;

        pane.Float();
        pane.SetWindowPos(nullptr, RECT{700, 500, 900, 700}, SWP_SHOWWINDOW | SWP_NOACTIVATE);
        ASSERT_TRUE(pane.SetDockingPosition(position)) << test.name;
        EXPECT_EQ(pane.IsDocked(), test.docked) << test.name;
        EXPECT_EQ(pane.IsWindowVisible(), test.shown) << test.name;
        EXPECT_TRUE(SameRect(pane.GetWindowRect(), place)) << test.name;
        pane.Float();
        pane.ShowWindow(SW_SHOWNA);
    }
}
