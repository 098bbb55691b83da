#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "docking/dockwins/BoxedDockingWindow.h"
#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/PackageWindowImpl.h"
#include "testing/WindowShot.h"
#include "winlib/DeviceContext.h"

using namespace docking_test;
using dockwins::CDockingSide;

namespace {

// A pane leaves its client to the view it holds (it erases no background):
// the test pane paints it as a view would.
class CTestPane : public dockwins::CBoxedDockingWindowImpl<CTestPane> {
public:
    BEGIN_MESSAGE_MAP(CTestPane)
        ON_MESSAGE(WM_PAINT, OnPaint)
        CHAIN_MESSAGE_MAP(CBoxedDockingWindowImpl<CTestPane>)
    END_MESSAGE_MAP()
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&)
    {
        CPaintDC dc(m_hWnd);
        ::FillRect(dc, &dc.PaintRect(), ::GetSysColorBrush(COLOR_WINDOW));
        return 0;
    }
};

// The column of the frame, and a pane floating beside it.
class DockingWindowTest : public AnchoredColumnTest<CTestPane> {
protected:
    void SetUp() override
    {
        AnchoredColumnTest::SetUp();
        ASSERT_TRUE(pane.Create(frame.m_hWnd, RECT{450, 100, 650, 300}, L"Categories"));
        DispatchWaiting();
    }
    void TearDown() override
    {
        pane.DestroyWindow();
        AnchoredColumnTest::TearDown();
    }

    CTestPane pane;
};

} // namespace

TEST_F(DockingWindowTest, DoubleClickingTheCaptionFloatsAndDocksBackInPlace)
{
    const RECT floating = pane.GetWindowRect();
    ASSERT_TRUE(DockIntoRow(pane, {0, 300, 200, 400}));
    ASSERT_TRUE(pane.IsDocked());
    EXPECT_EQ(pane.GetParent(), frame.row->m_hWnd);
    EXPECT_EQ(pane.GetStyle() & WS_THICKFRAME, 0u);
    const RECT docked = pane.GetWindowRect();
    SaveWindowScreenshot(frame.m_hWnd, L"docking-pane-docked");

    pane.SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    SaveWindowScreenshot(pane.m_hWnd, L"docking-pane-floating");
    EXPECT_FALSE(pane.IsDocked());
    EXPECT_TRUE(pane.IsWindowVisible());
    EXPECT_TRUE(SameRect(pane.GetWindowRect(), floating));
    EXPECT_NE(pane.GetStyle() & WS_THICKFRAME, 0u);

    pane.SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_TRUE(pane.IsDocked());
    EXPECT_TRUE(SameRect(pane.GetWindowRect(), docked));
}

TEST_F(DockingWindowTest, AWindowThatNeverFloatedStaysDockedOnDoubleClick)
{
    CTestPane hidden;
    ASSERT_TRUE(hidden.Create(frame.m_hWnd, RECT{450, 100, 650, 300}, L"People",
                              dockwins::DockingWindowTraits::style & ~WS_VISIBLE));
    ASSERT_TRUE(DockIntoRow(hidden, {0, 300, 200, 400}));
    hidden.SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_TRUE(hidden.IsDocked());
}

TEST_F(DockingWindowTest, CloseHidesAndShowPutsTheWindowBackInPlace)
{
    ASSERT_TRUE(DockIntoRow(pane, {0, 300, 200, 400}));
    const RECT docked = pane.GetWindowRect();
    pane.SetFocus();
    pane.SendMessage(WM_CLOSE);
    EXPECT_EQ(::GetFocus(), frame.m_hWnd) << "the focus goes to the frame, not nowhere";
    EXPECT_TRUE(pane.IsWindow());
    EXPECT_FALSE(pane.IsWindowVisible());
    EXPECT_FALSE(pane.IsDocked());
    ASSERT_TRUE(pane.Show());
    EXPECT_TRUE(pane.IsDocked());
    EXPECT_TRUE(SameRect(pane.GetWindowRect(), docked));

    // Closed while floating, it comes back floating.
    const RECT floating = pane.FloatingRect();
    ASSERT_TRUE(pane.Float());
    pane.SendMessage(WM_CLOSE);
    ASSERT_TRUE(pane.Show());
    EXPECT_FALSE(pane.IsDocked());
    EXPECT_TRUE(pane.IsWindowVisible());
    EXPECT_TRUE(SameRect(pane.GetWindowRect(), floating));
}

TEST_F(DockingWindowTest, ACaptionDragDocksWhereItShowedAndEscChangesNothing)
{
    struct Case {
        const char* name;
        bool escape;
        bool docked;
    };
    const Case cases[] = {{"dropped on the column", false, true}, {"Esc", true, false}};
    for (const Case& c : cases) {
        const RECT before = pane.GetWindowRect();
        POINT target = {20, 320};
        ::ScreenToClient(pane.m_hWnd, &target);
        PostAll(pane.m_hWnd, {{WM_MOUSEMOVE, MK_LBUTTON, At(target.x, target.y)}});
        if (c.escape)
            PostAll(pane.m_hWnd, {{WM_KEYDOWN, VK_ESCAPE, 0}});
        PostAll(pane.m_hWnd, {{WM_LBUTTONUP, 0, At(target.x, target.y)}});
        pane.TrackMove(POINT{before.left + 20, before.top + 5});
        DispatchWaiting();
        EXPECT_EQ(pane.IsDocked(), c.docked) << c.name;
        if (!c.docked) {
            EXPECT_TRUE(SameRect(pane.GetWindowRect(), before)) << c.name;
        }
        if (pane.IsDocked())
            pane.Float();
    }
}

TEST_F(DockingWindowTest, AFloatingWindowOffTheScreenComesBackWhenTheScreenOrItsWorkAreaChanges)
{
    const RECT screen = WorkAreaOf(pane.m_hWnd);
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        RECT rect;
    } cases[] = {
        {"above, display change", WM_DISPLAYCHANGE, 32, {450, -150, 650, 50}},
        {"above, work area change", WM_SETTINGCHANGE, SPI_SETWORKAREA, {450, -150, 650, 50}},
        {"below with only its caption showing", WM_SETTINGCHANGE, SPI_SETWORKAREA,
         {450, screen.bottom - 20, 650, screen.bottom + 180}},
    };
    for (const auto& test : cases) {
        pane.SetWindowPos(nullptr, test.rect, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_FALSE(InWorkArea(pane.m_hWnd)) << test.name;
        pane.SendMessage(test.message, test.wParam, 0);
        EXPECT_TRUE(InWorkArea(pane.m_hWnd)) << test.name;
        EXPECT_EQ(pane.GetWindowRect().right - pane.GetWindowRect().left, 200) << test.name;
        EXPECT_EQ(pane.GetWindowRect().bottom - pane.GetWindowRect().top, 200) << test.name;
    }
}

// A window let go at the bottom of the screen, or floated where it once hung below it, stands whole above the
// screen's bottom edge, not by its caption alone.
TEST_F(DockingWindowTest, AFloatingWindowNeverHangsBelowTheWorkArea)
{
    const RECT screen = WorkAreaOf(pane.m_hWnd);
    // Let go with the pointer 10 pixels above the bottom edge, the caption pressed 5 pixels below its top.
    const RECT before = pane.GetWindowRect();
    POINT target = {before.left + 20, screen.bottom - 10};
    ::ScreenToClient(pane.m_hWnd, &target);
    PostAll(pane.m_hWnd, {{WM_MOUSEMOVE, MK_LBUTTON, At(target.x, target.y)}});
    PostAll(pane.m_hWnd, {{WM_LBUTTONUP, 0, At(target.x, target.y)}});
    pane.TrackMove(POINT{before.left + 20, before.top + 5});
    DispatchWaiting();
    ASSERT_FALSE(pane.IsDocked());
    EXPECT_TRUE(InWorkArea(pane.m_hWnd)) << "let go at the bottom";
    EXPECT_EQ(pane.GetWindowRect().bottom, screen.bottom);
    SaveWindowScreenshot(pane.m_hWnd, L"docking-let-go-at-the-bottom");

    // Floated from the row where it last floated below the screen.
    pane.SetWindowPos(nullptr, RECT{450, screen.bottom - 20, 650, screen.bottom + 180},
                      SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(DockIntoRow(pane, {0, 200, 200, 400}));
    ASSERT_TRUE(pane.Float());
    EXPECT_TRUE(InWorkArea(pane.m_hWnd)) << "floated again";
    EXPECT_EQ(pane.GetWindowRect().bottom - pane.GetWindowRect().top, 200);
}

TEST_F(DockingWindowTest, OnlyADropOnTheCaptionIsAcceptedAndThePositionIsAnswered)
{
    EXPECT_TRUE(DockingNotifySender::IsDockingBox(pane.m_hWnd));
    const RECT window = pane.GetWindowRect();
    const RECT client = ToScreen(pane.m_hWnd, pane.GetClientRect());
    struct Case {
        const char* name;
        POINT corner;
        bool accepted;
    };
    const Case cases[] = {
        {"the frame's corner", {window.left, window.top}, false},
        {"the client area", {client.left + 10, client.top + 10}, false},
        {"the caption", {window.left + 40, (window.top + client.top) / 2}, true},
    };
    for (const Case& c : cases) {
        DockingNotifyRecord onto;
        onto.window = anchor.m_hWnd;
        onto.rect = {c.corner.x, c.corner.y, c.corner.x + 100, c.corner.y + 100};
        onto.code = DockingAccept;
        EXPECT_EQ(Notify(pane.m_hWnd, &onto) != FALSE, c.accepted) << c.name;
        EXPECT_EQ(onto.target, c.accepted ? pane.m_hWnd : nullptr) << c.name;
        if (c.accepted) {
            EXPECT_TRUE(SameRect(onto.rect, client)) << c.name;
        }
    }

    DockingPosition position;
    position.code = DockingGetPosition;
    EXPECT_TRUE(Notify(pane.m_hWnd, &position));
    EXPECT_FALSE(position.side.IsDocked());
    EXPECT_TRUE(SameRect(position.windowRect, pane.GetWindowRect()));
}

TEST_F(DockingWindowTest, ThePinButtonAsksTheFrameAndUnhandledMenuKeysReachIt)
{
    ASSERT_TRUE(DockIntoRow(pane, {0, 300, 200, 400}));
    pane.SendMessage(WM_NCLBUTTONUP, dockwins::CCaptionBase::HitPin, 0);
    EXPECT_EQ(frame.pinned, std::vector<HWND>{pane.m_hWnd});
    EXPECT_FALSE(pane.IsDocked());
    EXPECT_EQ(HIWORD(pane.SendMessage(WM_MENUCHAR, 'x', 0)), MNC_CLOSE);
}

TEST_F(DockingWindowTest, ADockedWindowDrawsItsOwnCaptionAndKeepsItThroughANewTitle)
{
    ASSERT_TRUE(DockIntoRow(pane, {0, 300, 200, 400}));
    const RECT window = pane.GetWindowRect();
    const RECT client = ToScreen(pane.m_hWnd, pane.GetClientRect());
    const int thickness = pane.Caption().Thickness();
    EXPECT_EQ(client.top - window.top, thickness);

    auto hitAt = [&](POINT inWindow) {
        return pane.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.left + inWindow.x, window.top + inWindow.y));
    };
    const RECT close = pane.Caption().CloseButton().Rect();
    EXPECT_EQ(hitAt({5, thickness / 2}), HTCAPTION);
    EXPECT_EQ(hitAt({(close.left + close.right) / 2, (close.top + close.bottom) / 2}), HTCLOSE);
    EXPECT_EQ(hitAt({5, thickness + 5}), HTCLIENT);

    // The release waits in the queue, so the press is a click, not a drag.
    pane.PostMessage(WM_LBUTTONUP, 0, 0);
    pane.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(window.left + 5, window.top + 2));
    EXPECT_TRUE(dockwins::CVC7LikeExCaption::IsActive(pane.m_hWnd)) << "a caption click activates it";

    pane.SetWindowText(L"Categories (3)");
    EXPECT_EQ(pane.GetWindowText(), L"Categories (3)");
    EXPECT_NE(pane.GetStyle() & WS_CAPTION, 0u);
    const RECT after = ToScreen(pane.m_hWnd, pane.GetClientRect());
    EXPECT_TRUE(SameRect(after, client));
}
