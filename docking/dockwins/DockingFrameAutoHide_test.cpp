#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/FourPaneFrame.h"
#include "docking/dockwins/MinMaxInfo.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "winlib/DeviceContext.h"

using namespace docking_test;
using namespace docking_frame_test;
using dockwins::CAutoHideManager;
using dockwins::CDockingSide;

namespace {

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// The edge of a bar that faces the client area.
LONG InnerEdge(const RECT& bar, int side)
{
    switch (side) {
    case CDockingSide::Top:
        return bar.bottom;
    case CDockingSide::Bottom:
        return bar.top;
    case CDockingSide::Left:
        return bar.right;
    default:
        return bar.left;
    }
}

// The edge of a rectangle at a side.
LONG EdgeAt(const RECT& rect, int side)
{
    switch (side) {
    case CDockingSide::Top:
        return rect.top;
    case CDockingSide::Bottom:
        return rect.bottom;
    case CDockingSide::Left:
        return rect.left;
    default:
        return rect.right;
    }
}

// The four-pane frame of 900 x 700, active, with the calendar on the top bar.
class DockingFrameAutoHideTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dockwins::CDockingSettings::Instance().SetStyleFlags(0);
        // Off the frame: a cursor resting on a label would fly its pane out unasked.
        ASSERT_TRUE(::SetCursorPos(1200, 1000));
        ASSERT_TRUE(frame.Open(RECT{0, 0, 900, 700}));
        DispatchWaiting();
        // The frame passes mouse moves on only while a window is active.
        ASSERT_TRUE(WaitFor([&] {
            ::SetForegroundWindow(frame.m_hWnd);
            return ::GetActiveWindow() == frame.m_hWnd;
        }));
    }
    void TearDown() override
    {
        ::SetCursorPos(1200, 1000);
        frame.Close();
        DispatchWaiting();
    }

    CEditPane& Pane(Pane pane) { return frame.PaneAt(pane); }
    CAutoHideManager& Manager() { return frame.AutoHideManager(); }
    bool IsPinned(CEditPane& pane) { return pane.Container() == Manager().m_hWnd; }
    bool FlyOutShows(CEditPane& pane)
    {
        return Manager().IsWindowVisible() && Manager().ShownWindow() == pane.m_hWnd && pane.IsWindowVisible();
    }
    std::vector<RECT> Layout() { return frame.Layout(); }
    void CursorTo(POINT client)
    {
        ::ClientToScreen(frame.m_hWnd, &client);
        ASSERT_TRUE(::SetCursorPos(client.x, client.y));
        ASSERT_TRUE(WaitFor([&] {
            POINT now = {};
            return ::GetCursorPos(&now) && now.x == client.x && now.y == client.y;
        }));
    }
    // What the frame shows at a point of its client area.
    COLORREF PixelAt(POINT client)
    {
        return ::GetPixel(CClientDC(frame.m_hWnd), client.x, client.y);
    }
    // A point on the first label of a side's bar, in the frame's client area.
    POINT OnFirstLabel(int side)
    {
        const RECT bar = Manager().Bar(side).Rect();
        if (Manager().Bar(side).IsHorizontal())
            return {bar.left + 8, (bar.top + bar.bottom) / 2};
        return {(bar.left + bar.right) / 2, bar.top + 8};
    }
    // The mouse rests on the label, as the frame hears of it.
    void HoverLabel(int side)
    {
        const POINT at = OnFirstLabel(side);
        CursorTo(at);
        PostAll(frame.m_hWnd, {{WM_MOUSEMOVE, 0, At(at.x, at.y)}, {WM_MOUSEHOVER, 0, At(at.x, at.y)}});
    }
    // The mouse leaves for the middle of the frame and the hide check comes.
    void LeaveAndCheck()
    {
        const RECT client = frame.GetClientRect();
        CursorTo({client.right / 2, client.bottom / 2});
        Manager().PostMessage(WM_TIMER, CAutoHideManager::HideTimer);
    }

    CFourPaneFrame frame;
};

} // namespace

TEST_F(DockingFrameAutoHideTest, EachWayOfPinningSendsThePaneToItsSidesBarAndTheLayoutTakesItsRoom)
{
    enum class Way { CaptionButton, PaneRequest, Code };
    struct Case {
        const char* name;
        Way way;
        ::docking_frame_test::Pane pane;
        int side;
        bool shown; // the pin button shows the pane at once
    };
    const Case cases[] = {
        {"the caption's pin button", Way::CaptionButton, Categories, CDockingSide::Left, true},
        {"the pane's own pin request", Way::PaneRequest, People, CDockingSide::Right, false},
        {"a pin request in code", Way::Code, DailyPlan, CDockingSide::Bottom, false},
    };
    for (const Case& c : cases) {
        CEditPane& pane = Pane(c.pane);
        ::SetFocus(pane.Edit());
        ASSERT_EQ(::GetFocus(), pane.Edit()) << c.name;
        switch (c.way) {
        case Way::CaptionButton:
            // What the caption's button tracker sends on a release over the pin.
            pane.PostMessage(WM_NCLBUTTONUP, dockwins::CCaptionBase::HitPin);
            break;
        case Way::PaneRequest: {
            DockingPosition request;
            request.code = DockingPinBox;
            request.side = CDockingSide(0); // not shown at once
            EXPECT_TRUE(Notify(pane.m_hWnd, &request)) << c.name;
            break;
        }
        case Way::Code:
            EXPECT_TRUE(pane.PinUp(0)) << c.name;
            break;
        }
        ASSERT_TRUE(WaitFor([&] { return IsPinned(pane); })) << c.name;
        EXPECT_EQ(Manager().Bar(c.side).Count(), 1u) << c.name;
        EXPECT_EQ(FlyOutShows(pane), c.shown) << c.name;
        EXPECT_TRUE(::IsWindowVisible(::GetFocus())) << c.name << ": the focus stays where keys can be seen";
        DockingPosition position;
        position.window = pane.m_hWnd;
        position.code = DockingIsPinned;
        position.container = pane.Container();
        EXPECT_TRUE(Notify(frame.m_hWnd, &position)) << c.name;
        // The pane's row is gone: the docked layout reaches the new bar.
        const RECT bar = Manager().Bar(c.side).Rect();
        EXPECT_EQ(EdgeAt(frame.OuterPackage().Rect(), c.side), InnerEdge(bar, c.side)) << c.name << ": " << Text(bar);
        EXPECT_EQ(EdgeAt(InParent(frame.View()), c.side), InnerEdge(bar, c.side)) << c.name;
        Manager().Hide(false);
    }
    // The emptied rows close themselves from posted messages.
    DispatchWaiting();
    EXPECT_FALSE(SaveWindowScreenshot(frame.m_hWnd, L"docking-frame-all-panes-pinned").empty());
}

TEST_F(DockingFrameAutoHideTest, HoveringALabelFliesThePaneOutAndItHidesAgainAfterTheMouseLeaves)
{
    ASSERT_TRUE(Pane(Categories).PinUp(0));
    ASSERT_NE(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOW)) << "the sizing bar would not show";
    struct Case {
        ::docking_frame_test::Pane pane;
        int side;
    };
    for (const Case& c : {Case{Calendar, CDockingSide::Top}, Case{Categories, CDockingSide::Left}}) {
        CEditPane& pane = Pane(c.pane);
        ASSERT_TRUE(IsPinned(pane)) << c.pane;
        EXPECT_FALSE(pane.IsWindowVisible()) << c.pane;
        HoverLabel(c.side);
        ASSERT_TRUE(WaitFor([&] { return FlyOutShows(pane); })) << c.pane;
        // The fly-out lies against its bar, over the docked layout.
        const RECT flyOut = Manager().PlacementInFrame();
        EXPECT_EQ(EdgeAt(flyOut, c.side), InnerEdge(Manager().Bar(c.side).Rect(), c.side)) << c.pane;
        // Repainted, the view stays below it: the sizing bar shows over the view's middle.
        ::RedrawWindow(frame.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const RECT view = InParent(frame.View());
        const POINT onBar = c.side == CDockingSide::Top ? POINT{(view.left + view.right) / 2, flyOut.bottom - 3}
                                                        : POINT{flyOut.right - 3, (view.top + view.bottom) / 2};
        EXPECT_EQ(PixelAt(onBar), ::GetSysColor(COLOR_BTNFACE)) << c.pane;
        if (c.pane == Calendar) {
            EXPECT_FALSE(SaveWindowScreenshot(frame.m_hWnd, L"docking-frame-calendar-flown-out").empty());
        }

        LeaveAndCheck();
        ASSERT_TRUE(WaitFor([&] { return !Manager().IsWindowVisible(); })) << c.pane;
        EXPECT_FALSE(pane.IsWindowVisible()) << c.pane;
        EXPECT_EQ(Manager().ShownWindow(), nullptr) << c.pane;
        EXPECT_TRUE(IsPinned(pane)) << c.pane;
    }
}

TEST_F(DockingFrameAutoHideTest, ThePinButtonOnTheFlyOutDocksThePaneBackInItsPlace)
{
    for (const ::docking_frame_test::Pane which : {Categories, People, DailyPlan}) {
        CEditPane& pane = Pane(which);
        const std::vector<RECT> before = Layout();
        ASSERT_TRUE(pane.PinUp(DockingPinRequest::ShowAtOnce)) << which;
        ASSERT_TRUE(FlyOutShows(pane)) << which;
        Manager().PostMessage(WM_NCLBUTTONUP, dockwins::CCaptionBase::HitPin);
        ASSERT_TRUE(WaitFor([&] { return pane.IsDocked() && !IsPinned(pane); })) << which;
        EXPECT_NE(Manager().ShownWindow(), pane.m_hWnd) << which;
        EXPECT_EQ(Manager().Width(), 0) << which;
        const std::vector<RECT> after = Layout();
        for (size_t i = 0; i < after.size(); ++i) {
            if (i != Calendar) {
                EXPECT_TRUE(::EqualRect(&after[i], &before[i])) << which << " window " << i << ": " << Text(after[i]);
            }
        }
    }
}

TEST_F(DockingFrameAutoHideTest, APinnedPanesPositionIsAnsweredByTheAutoHideManagerFirst)
{
    struct Case {
        const char* name;
        HWND window;
        HWND container;
        bool pinned;
        int edge;
    };
    const HWND calendar = Pane(Calendar).m_hWnd;
    const HWND dailyRow = Pane(DailyPlan).Container();
    const Case cases[] = {
        {"the calendar", calendar, Manager().m_hWnd, true, CDockingSide::Top},
        // Even naming a row a package holds, the pinned window's place is its bar.
        {"the calendar with a row's handle", calendar, dailyRow, true, CDockingSide::Top},
        {"the daily plan", Pane(DailyPlan).m_hWnd, dailyRow, false, CDockingSide::Bottom},
    };
    for (const Case& c : cases) {
        DockingPosition position;
        position.window = c.window;
        position.container = c.container;
        position.code = DockingGetPosition;
        ASSERT_TRUE(Notify(frame.m_hWnd, &position)) << c.name;
        EXPECT_EQ(position.side.IsPinned(), c.pinned) << c.name;
        EXPECT_EQ(position.side.GetEdge(), c.edge) << c.name;
    }
}

TEST_F(DockingFrameAutoHideTest, TheFramesMinimumSizeCountsEachAutoHideBarOnce)
{
    struct Case {
        const char* name;
        ::docking_frame_test::Pane pinned; // pinned before the case, besides the cases before it
        SIZE bars;                         // in bar thicknesses
    };
    const Case cases[] = {
        {"the calendar on the top bar", Calendar, {0, 1}},
        {"and the categories on the left bar", Categories, {1, 1}},
        {"and the daily plan on the bottom bar", DailyPlan, {1, 2}},
    };
    const int thickness = Manager().BarThickness();
    for (const Case& c : cases) {
        if (c.pinned != Calendar) {
            ASSERT_TRUE(Pane(c.pinned).PinUp(0)) << c.name;
        }
        MINMAXINFO docked = {};
        frame.OuterPackage().GetMinMaxInfo(&docked);
        const RECT window = frame.GetWindowRect();
        const RECT client = frame.GetClientRect();
        const MINMAXINFO info = dockwins::MinMaxOf(frame.m_hWnd);
        EXPECT_EQ(info.ptMinTrackSize.x,
                  docked.ptMinTrackSize.x + (window.right - window.left - client.right) + c.bars.cx * thickness)
            << c.name;
        EXPECT_EQ(info.ptMinTrackSize.y,
                  docked.ptMinTrackSize.y + (window.bottom - window.top - client.bottom) + c.bars.cy * thickness)
            << c.name;
    }
}

TEST_F(DockingFrameAutoHideTest, APinnedPaneClosedFromItsFlyOutComesBackOnItsBar)
{
    CEditPane& calendar = Pane(Calendar);
    HoverLabel(CDockingSide::Top);
    ASSERT_TRUE(WaitFor([&] { return FlyOutShows(calendar); }));
    Manager().PostMessage(WM_NCLBUTTONUP, dockwins::CCaptionBase::HitClose);
    ASSERT_TRUE(WaitFor([&] { return !calendar.IsWindowVisible() && !IsPinned(calendar); }));
    EXPECT_TRUE(Manager().Bar(CDockingSide::Top).IsEmpty());

    ASSERT_TRUE(calendar.Show());
    EXPECT_TRUE(IsPinned(calendar));
    EXPECT_EQ(Manager().Bar(CDockingSide::Top).Count(), 1u);
    EXPECT_FALSE(calendar.IsWindowVisible()) << "it shows as its label again";
    EXPECT_EQ(InParent(frame.View()).top, Manager().BarThickness());
}
