#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/FourPaneFrame.h"
#include "docking/dockwins/MinMaxInfo.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

using namespace docking_test;
using namespace docking_frame_test;
using dockwins::CDockingSide;

namespace {

// A docking frame with only its view: nothing docked.
class CBareFrame : public dockwins::CDockingFrameImpl<CBareFrame> {
public:
    BEGIN_MESSAGE_MAP(CBareFrame)
        ON_MESSAGE(WM_CREATE, OnCreate)
        CHAIN_MESSAGE_MAP(CDockingFrameImpl<CBareFrame>)
    END_MESSAGE_MAP()
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled)
    {
        m_hWndClient = ::CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_hWnd, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr);
        handled = false;
        return 0;
    }
};

// Runs a check when a posted WM_APP reaches it, as from inside a drag loop.
class CProbe : public CWindowImpl<CProbe> {
public:
    BEGIN_MESSAGE_MAP(CProbe)
        ON_MESSAGE(WM_APP, OnProbe)
    END_MESSAGE_MAP()
    LRESULT OnProbe(UINT, WPARAM, LPARAM, bool&)
    {
        if (check)
            check();
        return 0;
    }
    std::function<void()> check;
};

bool SameRect(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

void HoldControl(bool down)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// A frame of 900 x 700 with the four panes in place.
class DockingFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open(RECT{0, 0, 900, 700}));
        DispatchWaiting();
    }
    void TearDown() override
    {
        frame.Close();
        DispatchWaiting();
    }

    CEditPane& Pane(Pane pane) { return frame.PaneAt(pane); }
    std::vector<RECT> Layout() { return frame.Layout(); }
    // A point of the frame's client area on the screen.
    POINT OnScreen(POINT client)
    {
        ::ClientToScreen(frame.m_hWnd, &client);
        return client;
    }
    // A caption drag of a pane to a point of the frame's client area, with
    // posted mouse messages and the keys between the move and the release.
    void DragPane(CEditPane& pane, POINT toClient, const std::vector<Posted>& keys)
    {
        const RECT window = pane.GetWindowRect();
        POINT to = OnScreen(toClient);
        ::ScreenToClient(pane.m_hWnd, &to);
        PostAll(pane.m_hWnd, {{WM_MOUSEMOVE, MK_LBUTTON, At(to.x, to.y)}});
        PostAll(pane.m_hWnd, keys);
        PostAll(pane.m_hWnd, {{WM_LBUTTONUP, 0, At(to.x, to.y)}});
        pane.TrackMove(POINT{window.left + 20, window.top + 5});
        DispatchWaiting();
    }

    CFourPaneFrame frame;
};

} // namespace

TEST_F(DockingFrameTest, TheFourPanesLieAroundTheViewAsTheMainWindowPlacesThem)
{
    for (size_t i = 0; i < PaneCount; ++i)
        ASSERT_TRUE(Pane(static_cast<::docking_frame_test::Pane>(i)).IsDocked()) << i;
    const RECT view = InParent(frame.View());
    const RECT categories = InParent(Pane(Categories).Container());
    const RECT people = InParent(Pane(People).Container());
    const RECT daily = InParent(Pane(DailyPlan).Container());
    const RECT client = frame.GetClientRect();
    SaveWindowScreenshot(frame.m_hWnd, L"docking-frame-docked");

    EXPECT_EQ(categories.left, client.left);
    EXPECT_EQ(categories.right + 5, view.left) << "a splitter bar lies between";
    EXPECT_EQ(people.left, view.right + 5);
    EXPECT_EQ(people.right, client.right);
    EXPECT_EQ(categories.top, view.top);
    EXPECT_EQ(people.bottom, view.bottom);
    // The daily plan runs below the columns and the view, the whole width.
    EXPECT_EQ(daily.top, view.bottom + 5);
    EXPECT_EQ(daily.left, client.left);
    EXPECT_EQ(daily.right, client.right);
    EXPECT_EQ(daily.bottom, client.bottom);
    EXPECT_EQ(daily.bottom - daily.top, CFourPaneFrame::paneSize);
    EXPECT_EQ(categories.right - categories.left, CFourPaneFrame::paneSize);
    // The calendar is on the top auto-hide bar, above the columns and the view.
    EXPECT_TRUE(frame.CalendarPinned());
    EXPECT_EQ(view.top, client.top + frame.AutoHideManager().BarThickness());
}

TEST_F(DockingFrameTest, DoubleClickingACaptionFloatsThePaneAndDocksItBackInPlace)
{
    for (const ::docking_frame_test::Pane which : {Categories, People, DailyPlan}) {
        CEditPane& pane = Pane(which);
        const std::vector<RECT> before = Layout();
        pane.PostMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
        ASSERT_TRUE(WaitFor([&] { return !pane.IsDocked(); })) << which;
        EXPECT_TRUE(pane.IsWindowVisible()) << which;
        EXPECT_EQ(pane.GetStyle() & WS_CHILD, 0u) << which;
        if (which == Categories) {
            SaveWindowScreenshot(frame.m_hWnd, L"docking-frame-without-categories");
            SaveWindowScreenshot(pane.m_hWnd, L"docking-frame-categories-floating");
        }
        pane.PostMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
        ASSERT_TRUE(WaitFor([&] { return pane.IsDocked(); })) << which;
        const std::vector<RECT> after = Layout();
        for (size_t i = 0; i < after.size(); ++i)
            EXPECT_TRUE(SameRect(after[i], before[i])) << which << " window " << i << ": " << Text(after[i]);
    }
}

TEST_F(DockingFrameTest, ACaptionDragDocksAtAnotherSideEscAndAltCancelAndCtrlKeepsItFloating)
{
    struct Case {
        const char* name;
        std::vector<Posted> keys;
        bool control;
        bool docked;
    };
    const Case cases[] = {
        {"Esc", {{WM_KEYDOWN, VK_ESCAPE, 0}}, false, true},
        {"Alt", {{WM_SYSKEYDOWN, VK_MENU, 0}}, false, true},
        {"Ctrl", {}, true, false},
        {"dropped at the left edge", {}, false, true},
    };
    const RECT view = InParent(frame.View());
    // The left edge of the frame, halfway down the view: a new column before the categories.
    const POINT leftEdge = {3, (view.top + view.bottom) / 2};
    for (const Case& c : cases) {
        CEditPane& people = Pane(People);
        const std::vector<RECT> before = Layout();
        HoldControl(c.control);
        DragPane(people, leftEdge, c.keys);
        HoldControl(false);
        EXPECT_EQ(people.IsDocked(), c.docked) << c.name;
        if (std::string(c.name) == "Esc" || std::string(c.name) == "Alt") {
            const std::vector<RECT> after = Layout();
            for (size_t i = 0; i < after.size(); ++i)
                EXPECT_TRUE(SameRect(after[i], before[i])) << c.name << " window " << i << ": " << Text(after[i]);
        } else if (c.docked) {
            const RECT column = InParent(people.Container());
            const RECT categories = InParent(Pane(Categories).Container());
            EXPECT_EQ(column.left, 0) << c.name;
            EXPECT_LT(column.right, categories.left) << c.name;
            EXPECT_EQ(frame.InnerPackage().IndexOfWindow(people.Container()), 0) << c.name;
        } else {
            EXPECT_TRUE(people.IsWindowVisible()) << c.name;
            EXPECT_EQ(people.GetStyle() & WS_CHILD, 0u) << c.name;
            const RECT floating = people.GetWindowRect();
            const POINT cursor = OnScreen(leftEdge);
            EXPECT_TRUE(::PtInRect(&floating, cursor)) << c.name << ": it floats under the cursor";
            // Back to the right for the next case.
            ASSERT_TRUE(frame.DockAtSide(people, CDockingSide::Right));
        }
    }
}

TEST_F(DockingFrameTest, ASplitterStopsAtItsNeighboursMinimum)
{
    struct Case {
        const char* name;
        ::docking_frame_test::Pane pane;
        bool sideBySide; // the bar moves along x
        int farAway;     // where the bar is dragged, past the pane's minimum
    };
    const RECT client = frame.GetClientRect();
    const Case cases[] = {
        {"the categories' bar to the frame's left", Categories, true, -50},
        {"the people's bar to the frame's right", People, true, client.right + 50},
        {"the daily plan's bar to the frame's bottom", DailyPlan, false, client.bottom + 50},
    };
    for (const Case& c : cases) {
        const HWND row = Pane(c.pane).Container();
        const RECT rect = InParent(row);
        // The bar lies beside the pane's row, towards the view.
        POINT press = {};
        if (c.pane == Categories)
            press = {rect.right + 2, (rect.top + rect.bottom) / 2};
        else if (c.pane == People)
            press = {rect.left - 3, (rect.top + rect.bottom) / 2};
        else
            press = {(rect.left + rect.right) / 2, rect.top - 3};
        const POINT to = c.sideBySide ? POINT{c.farAway, press.y} : POINT{press.x, c.farAway};
        PostAll(frame.m_hWnd, {{WM_MOUSEMOVE, MK_LBUTTON, At(to.x, to.y)}, {WM_LBUTTONUP, 0, At(to.x, to.y)}});
        frame.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(press.x, press.y));
        DispatchWaiting();

        const RECT after = InParent(row);
        const MINMAXINFO minimum = dockwins::MinMaxOf(row);
        if (c.sideBySide)
            EXPECT_EQ(after.right - after.left, minimum.ptMinTrackSize.x) << c.name;
        else
            EXPECT_EQ(after.bottom - after.top, minimum.ptMinTrackSize.y) << c.name;
        EXPECT_GE(after.right - after.left, CEditPane::minimum.cx) << c.name;
        EXPECT_GE(after.bottom - after.top, CEditPane::minimum.cy) << c.name;
    }
    SaveWindowScreenshot(frame.m_hWnd, L"docking-frame-splitters-at-minimum");
}

TEST_F(DockingFrameTest, ClosingAPaneHidesItAndShowingItPutsItBackInPlace)
{
    for (const ::docking_frame_test::Pane which : {Categories, People, DailyPlan}) {
        CEditPane& pane = Pane(which);
        const std::vector<RECT> before = Layout();
        const RECT view = CWindow(frame.View()).GetWindowRect();
        pane.PostMessage(WM_CLOSE);
        ASSERT_TRUE(WaitFor([&] { return !pane.IsWindowVisible(); })) << which;
        EXPECT_FALSE(pane.IsDocked()) << which;
        const RECT wider = CWindow(frame.View()).GetWindowRect();
        EXPECT_GT((wider.right - wider.left) * (wider.bottom - wider.top),
                  (view.right - view.left) * (view.bottom - view.top))
            << which << ": the view takes the room";

        ASSERT_TRUE(pane.Show()) << which;
        EXPECT_TRUE(pane.IsDocked()) << which;
        const std::vector<RECT> after = Layout();
        for (size_t i = 0; i < after.size(); ++i)
            EXPECT_TRUE(SameRect(after[i], before[i])) << which << " window " << i << ": " << Text(after[i]);
    }
}

TEST_F(DockingFrameTest, TheFocusReturnsToTheControlInsideAPaneAfterSwitchingAwayAndBack)
{
    ASSERT_TRUE(WaitFor([&] {
        ::SetForegroundWindow(frame.m_hWnd);
        return ::GetActiveWindow() == frame.m_hWnd;
    }));
    const HWND edit = Pane(People).Edit();
    ::SetFocus(edit);
    ASSERT_EQ(::GetFocus(), edit);

    CPlainWindow other;
    ASSERT_TRUE(other.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {950, 0, 1100, 100}}));
    ASSERT_TRUE(WaitFor([&] {
        ::SetForegroundWindow(other.m_hWnd);
        return ::GetActiveWindow() == other.m_hWnd;
    }));
    EXPECT_NE(::GetFocus(), edit);

    ASSERT_TRUE(WaitFor([&] {
        ::SetForegroundWindow(frame.m_hWnd);
        return ::GetActiveWindow() == frame.m_hWnd;
    }));
    EXPECT_TRUE(WaitFor([&] { return ::GetFocus() == edit; }));
    other.DestroyWindow();
}

TEST_F(DockingFrameTest, CodesOtherReceiversHandleAreRefusedByTheFrame)
{
    for (const int code : {6, 8, 9, 10, 13, 14}) {
        DockingPosition position;
        position.window = Pane(Categories).m_hWnd;
        position.container = Pane(Categories).Container();
        position.code = code;
        EXPECT_EQ(Notify(frame.m_hWnd, &position), FALSE) << code;
    }
    EXPECT_TRUE(Pane(Categories).IsDocked());
}

// As while the frame is being destroyed: its children go one by one, the
// manager's window may go before a pane that still asks.
TEST(DockingFrameIsPinnedTest, NoContainerIsTheManagerWhileItHasNoWindow)
{
    CBareFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, RECT{0, 0, 400, 300}, nullptr, WS_POPUP));
    ASSERT_TRUE(::DestroyWindow(frame.AutoHideManager().m_hWnd));
    ASSERT_EQ(frame.AutoHideManager().m_hWnd, nullptr);
    DockingPosition position;
    position.code = DockingIsPinned;
    EXPECT_EQ(Notify(frame.m_hWnd, &position), FALSE) << "a record without a container";
    frame.DestroyWindow();
}

TEST(DockingFrameLimitTest, ADraggedRectangleIsCutToAThirdOfTheFrameAndNeverBelowTheSystemMinimum)
{
    const int cxMin = ::GetSystemMetrics(SM_CXMIN);
    const int cyMin = ::GetSystemMetrics(SM_CYMIN);
    struct Case {
        const char* name;
        RECT frame;
        RECT dragged; // in screen coordinates
        SIZE expected;
    };
    const Case cases[] = {
        {"wider and taller than a third", {0, 0, 900, 700}, {100, 50, 900, 650}, {0, 0}},
        {"smaller than the system minimum", {0, 0, 900, 700}, {100, 50, 105, 52}, {cxMin, cyMin}},
        {"a tiny frame", {0, 0, 120, 80}, {100, 50, 400, 300}, {cxMin, cyMin}},
    };
    for (const Case& c : cases) {
        CBareFrame frame;
        ASSERT_TRUE(frame.Create(nullptr, c.frame, nullptr, WS_POPUP)) << c.name;
        const RECT client = frame.GetClientRect();
        const SIZE expected = c.expected.cx ? c.expected : SIZE{client.right / 3, client.bottom / 3};
        DockingNotifyRecord request;
        request.code = DockingLimitSize;
        request.rect = c.dragged;
        EXPECT_EQ(Notify(frame.m_hWnd, &request), TRUE) << c.name;
        EXPECT_TRUE(SameRect(request.rect, RECT{c.dragged.left, c.dragged.top, c.dragged.left + expected.cx,
                                                c.dragged.top + expected.cy}))
            << c.name << ": " << Text(request.rect);
        frame.DestroyWindow();
    }
}

TEST(DockingFrameAcceptTest, OverTheViewAWindowDocksOnlyWithinTwentyPixelsOfItsEdges)
{
    CBareFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, RECT{0, 0, 800, 600}, nullptr, WS_POPUP | WS_VISIBLE));
    CEditPane pane;
    ASSERT_TRUE(pane.Create(frame.m_hWnd, RECT{900, 100, 1100, 300}, L"Pane"));
    const RECT view = InParent(frame.m_hWndClient);
    const LONG middleX = (view.left + view.right) / 2;
    const LONG middleY = (view.top + view.bottom) / 2;
    struct Case {
        const char* name;
        POINT corner; // frame client coordinates
        bool accepted;
        bool inner;
    };
    const Case cases[] = {
        {"just inside the left edge", {view.left + 8, middleY}, true, true},
        {"just inside the right edge", {view.right - 10, middleY}, true, true},
        {"just outside the right edge", {view.right + 10, middleY}, true, true},
        {"just below the top edge", {middleX, view.top + 8}, true, false},
        {"just above the bottom edge", {middleX, view.bottom - 10}, true, false},
        {"30 pixels in from the left", {view.left + 30, middleY}, false, false},
        {"the middle", {middleX, middleY}, false, false},
    };
    for (const Case& c : cases) {
        DockingNotifyRecord request;
        request.window = pane.m_hWnd;
        request.code = DockingAccept;
        POINT corner = c.corner;
        ::ClientToScreen(frame.m_hWnd, &corner);
        request.rect = {corner.x, corner.y, corner.x + 200, corner.y + 150};
        EXPECT_EQ(Notify(frame.m_hWnd, &request) != FALSE, c.accepted) << c.name;
        EXPECT_EQ(request.target, c.accepted ? frame.m_hWnd : nullptr) << c.name;
        if (c.accepted) {
            EXPECT_EQ(request.IsInnerPackage(), c.inner) << c.name;
        }
    }
    pane.DestroyWindow();
    frame.DestroyWindow();
}

TEST_F(DockingFrameTest, TheFrameCannotBeMadeSmallerThanItsDockedPanesNeed)
{
    const MINMAXINFO info = dockwins::MinMaxOf(frame.m_hWnd);
    const RECT window = frame.GetWindowRect();
    const RECT client = frame.GetClientRect();
    const LONG border = (window.right - window.left) - client.right;
    const MINMAXINFO categories = dockwins::MinMaxOf(Pane(Categories).Container());
    const MINMAXINFO people = dockwins::MinMaxOf(Pane(People).Container());
    // Both columns at their minimum with their bars, and the frame's border.
    EXPECT_GE(info.ptMinTrackSize.x, categories.ptMinTrackSize.x + people.ptMinTrackSize.x + 2 * 5 + border);
    EXPECT_LT(info.ptMinTrackSize.x, window.right - window.left);
    const MINMAXINFO daily = dockwins::MinMaxOf(Pane(DailyPlan).Container());
    EXPECT_GE(info.ptMinTrackSize.y, daily.ptMinTrackSize.y + categories.ptMinTrackSize.y + 5);
}

TEST_F(DockingFrameTest, OverASplitterBarTheCursorShowsTheWayItMoves)
{
    const dockwins::CDockingSettings& settings = dockwins::CDockingSettings::Instance();
    const RECT categories = InParent(Pane(Categories).Container());
    const RECT daily = InParent(Pane(DailyPlan).Container());
    const RECT view = InParent(frame.View());
    struct Case {
        const char* name;
        POINT at; // frame client coordinates
        HCURSOR cursor;
    };
    const Case cases[] = {
        {"the bar right of the categories", {categories.right + 2, (categories.top + categories.bottom) / 2},
         settings.WestEastCursor()},
        {"the bar above the daily plan", {(daily.left + daily.right) / 2, daily.top - 3}, settings.NorthSouthCursor()},
        {"the view", {(view.left + view.right) / 2, (view.top + view.bottom) / 2}, nullptr},
    };
    for (const Case& c : cases) {
        // The handler reads where the last message found the cursor.
        const POINT screen = OnScreen(c.at);
        ASSERT_TRUE(::SetCursorPos(screen.x, screen.y)) << c.name;
        ASSERT_TRUE(WaitFor([&] {
            POINT now = {};
            ::GetCursorPos(&now);
            return now.x == screen.x && now.y == screen.y;
        })) << c.name;
        frame.PostMessage(WM_NULL);
        MSG message;
        ASSERT_TRUE(::PeekMessageW(&message, frame.m_hWnd, WM_NULL, WM_NULL, PM_REMOVE)) << c.name;
        const LRESULT set = frame.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(frame.m_hWnd), HTCLIENT);
        EXPECT_EQ(set != FALSE, c.cursor != nullptr) << c.name;
        if (c.cursor) {
            EXPECT_EQ(::GetCursor(), c.cursor) << c.name;
        }
        // From a child's hit, the frame leaves the cursor to the child.
        EXPECT_EQ(frame.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(frame.View()), HTCLIENT), FALSE) << c.name;
    }
}

TEST_F(DockingFrameTest, TheCalendarIsPinnedToTheTopAutoHideBar)
{
    ASSERT_TRUE(frame.CalendarPinned());
    CEditPane& calendar = Pane(Calendar);
    const dockwins::CAutoHideManager& manager = frame.AutoHideManager();
    EXPECT_EQ(calendar.Container(), manager.m_hWnd);
    EXPECT_FALSE(calendar.IsWindowVisible()) << "only its label shows until it flies out";
    EXPECT_EQ(manager.Bar(CDockingSide::Top).Count(), 1u);
    // The frame laid out again when the bar appeared: the docked layout starts below it.
    const RECT bar = manager.Bar(CDockingSide::Top).Rect();
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.bottom, manager.BarThickness());
    EXPECT_EQ(frame.OuterPackage().Rect().top, bar.bottom);
    EXPECT_EQ(InParent(frame.View()).top, bar.bottom);
    EXPECT_EQ(InParent(Pane(Categories).Container()).top, bar.bottom);
    DockingPosition position;
    position.window = calendar.m_hWnd;
    position.code = DockingGetPosition;
    ASSERT_TRUE(Notify(frame.m_hWnd, &position));
    EXPECT_TRUE(position.side.IsPinned());
    EXPECT_EQ(position.side.GetEdge(), CDockingSide::Top);
    SaveWindowScreenshot(frame.m_hWnd, L"docking-frame-calendar-pinned");
}

TEST(DockingFrameLayoutTest, TheBarsTakeTheirRoomBeforeTheDockedLayout)
{
    CBareFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, RECT{0, 0, 600, 400}, nullptr, WS_POPUP | WS_VISIBLE));
    const HWND toolBar = ::CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD, 0, 0, 600, 30, frame.m_hWnd, nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr);
    const HWND statusBar = ::CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD, 0, 378, 600, 22, frame.m_hWnd, nullptr,
                                             ::GetModuleHandleW(nullptr), nullptr);
    frame.m_hWndToolBar = toolBar;
    frame.m_hWndStatusBar = statusBar;
    const RECT client = frame.GetClientRect();
    struct Case {
        const char* name;
        bool toolBarShown;
        bool statusBarShown;
        RECT expected;
    };
    const Case cases[] = {
        {"no bars", false, false, client},
        {"a tool bar", true, false, {0, 30, client.right, client.bottom}},
        {"both bars", true, true, {0, 30, client.right, client.bottom - 22}},
        {"a status bar", false, true, {0, 0, client.right, client.bottom - 22}},
    };
    for (const Case& c : cases) {
        ::ShowWindow(toolBar, c.toolBarShown ? SW_SHOWNA : SW_HIDE);
        ::ShowWindow(statusBar, c.statusBarShown ? SW_SHOWNA : SW_HIDE);
        frame.UpdateLayout(false);
        EXPECT_TRUE(SameRect(frame.OuterPackage().Rect(), c.expected))
            << c.name << ": " << Text(frame.OuterPackage().Rect());
        EXPECT_TRUE(SameRect(InParent(frame.m_hWndClient), c.expected)) << c.name << ": the view fills the rest";
    }
    frame.DestroyWindow();
}

TEST(DockingFrameSplitterTest, AnOutlineMovesAloneUntilTheReleaseWhileALiveBarMovesThePanes)
{
    using dockwins::CDockingSettings;
    struct Case {
        const char* name;
        DWORD mode;
        int movedDuringTheDrag;
    };
    const Case cases[] = {{"as an outline", CDockingSettings::GhostDrag, 0}, {"live", CDockingSettings::FullDrag, 30}};
    for (const Case& c : cases) {
        CFourPaneFrame frame;
        ASSERT_TRUE(frame.Open(RECT{0, 0, 900, 700})) << c.name;
        frame.SetDockingStyle(CDockingSettings::DragModeChosen | c.mode);
        const HWND column = frame.PaneAt(Categories).Container();
        const RECT before = InParent(column);
        CProbe probe;
        ASSERT_TRUE(probe.Create(CreateArgs{.style = WS_POPUP}));
        LONG during = 0;
        probe.check = [&] { during = InParent(column).right; };
        const POINT press = {before.right + 2, (before.top + before.bottom) / 2};
        PostAll(frame.m_hWnd, {{WM_MOUSEMOVE, MK_LBUTTON, At(press.x + 15, press.y)},
                               {WM_MOUSEMOVE, MK_LBUTTON, At(press.x + 30, press.y)}});
        probe.PostMessage(WM_APP);
        PostAll(frame.m_hWnd, {{WM_LBUTTONUP, 0, At(press.x + 30, press.y)}});
        frame.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(press.x, press.y));
        DispatchWaiting();
        EXPECT_EQ(during, before.right + c.movedDuringTheDrag) << c.name;
        const RECT after = InParent(column);
        EXPECT_EQ(after.right, before.right + 30) << c.name;
        EXPECT_EQ(InParent(frame.View()).left, after.right + 5) << c.name;
        probe.DestroyWindow();
        frame.Close();
        DispatchWaiting();
    }
    CDockingSettings::Instance().SetStyleFlags(0);
    CDockingSettings::Instance().Update();
}

TEST_F(DockingFrameTest, RequestsAboutAWindowNoPackageHoldsAreRefused)
{
    CPlainWindow stranger;
    ASSERT_TRUE(stranger.Create(CreateArgs{.parent = frame.m_hWnd, .style = WS_CHILD}));
    const std::vector<RECT> before = Layout();
    struct Case {
        const char* name;
        int code;
    };
    for (const Case& c : {Case{"undock", DockingUndock}, Case{"position", DockingGetPosition}}) {
        DockingPosition position;
        position.window = stranger.m_hWnd;
        position.container = stranger.m_hWnd;
        position.code = c.code;
        EXPECT_EQ(Notify(frame.m_hWnd, &position), FALSE) << c.name;
    }
    const std::vector<RECT> after = Layout();
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_TRUE(SameRect(after[i], before[i])) << "window " << i << ": " << Text(after[i]);
    stranger.DestroyWindow();
}
