#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "docking/dockwins/AutoHideManager.h"
#include "docking/dockwins/DockingSettings.h"
#include "docking/dockwins/DockingWindowBase.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "winlib/DeviceContext.h"

using dockwins::CAutoHideManager;
using dockwins::CDockingSide;

namespace {

// A pinned pane: a text field to hold the focus, and the closes it was asked for.
class CPane : public CWindowImpl<CPane> {
public:
    BEGIN_MESSAGE_MAP(CPane)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_CLOSE, OnClose)
    END_MESSAGE_MAP()
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool&)
    {
        field = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 120, 22, m_hWnd,
                                  nullptr, nullptr, nullptr);
        return 0;
    }
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&)
    {
        ++closes;
        return 0;
    }
    HWND field = nullptr;
    int closes = 0;
};

// The docking frame's part: lays out and paints the bars, passes the mouse
// on, pins on request and notes the panes it is asked to dock again.
class CFrame : public CWindowImpl<CFrame> {
public:
    BEGIN_MESSAGE_MAP(CFrame)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_PAINT, OnPaint)
        ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
        ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
        ON_MESSAGE(DockingNotify, OnDockingNotify)
    END_MESSAGE_MAP()
    LRESULT OnSize(UINT, WPARAM, LPARAM, bool&)
    {
        RECT client = GetClientRect();
        const CClientDC dc(m_hWnd);
        manager.Layout(dc, client);
        Invalidate();
        return 0;
    }
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&)
    {
        CPaintDC dc(m_hWnd);
        ::FillRect(dc, &dc.PaintRect(), ::GetSysColorBrush(COLOR_APPWORKSPACE));
        manager.Paint(dc);
        return 0;
    }
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM lParam, bool& handled)
    {
        handled = manager.MouseMove(dockwins::PointOf(lParam));
        return 0;
    }
    LRESULT OnMouseHover(UINT, WPARAM, LPARAM lParam, bool&)
    {
        manager.MouseHover(dockwins::PointOf(lParam));
        return 0;
    }
    LRESULT OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool&)
    {
        auto* position = reinterpret_cast<DockingPosition*>(lParam);
        if (position->code == DockingPinUp) {
            bool barWasEmpty = false;
            const bool pinned = manager.PinUp(m_hWnd, *reinterpret_cast<DockingPinRequest*>(lParam), barWasEmpty);
            if (barWasEmpty)
                SendMessage(WM_SIZE);
            return pinned;
        }
        if (position->code == DockingAtPosition) {
            dockedAgain.push_back(*position);
            return TRUE;
        }
        return FALSE;
    }
    CAutoHideManager manager;
    std::vector<DockingPosition> dockedAgain;
};

class AutoHideManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // As the docking frame starts: no drag mode chosen, so no slide either.
        dockwins::CDockingSettings::Instance().SetStyleFlags(0);
        ASSERT_TRUE(frame.Create(CreateArgs{.title = L"Frame", .style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                            .rect = {0, 0, 500, 400}}));
        ASSERT_TRUE(frame.manager.Initialize(frame.m_hWnd));
        const wchar_t* titles[] = {L"Calendar", L"Categories", L"People"};
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(panes[i].Create(CreateArgs{.parent = frame.m_hWnd, .title = titles[i],
                                                   .style = WS_POPUP | WS_CAPTION, .rect = {600, 100, 800, 300}}));
        ::SetForegroundWindow(frame.m_hWnd);
        // The tests move the cursor over the bars themselves.
        ::SetCursorPos(700, 600);
    }
    void TearDown() override
    {
        // Back to the system's drag mode, as the other tests find the settings.
        dockwins::CDockingSettings::Instance().SetStyleFlags(0);
        dockwins::CDockingSettings::Instance().Update();
    }

    bool Pin(CPane& pane, int side, int flags = 0)
    {
        DockingPinRequest request;
        request.window = pane.m_hWnd;
        request.side = CDockingSide(side);
        request.size = 180;
        request.flags = flags;
        return ::SendMessageW(frame.m_hWnd, DockingNotify, 0, reinterpret_cast<LPARAM>(&request)) != 0;
    }
    // The second and third panes as the panes of one box, the second active.
    bool PinBox(int side)
    {
        box[0] = panes[1].m_hWnd;
        box[1] = panes[2].m_hWnd;
        DockingPinRequest request;
        request.window = box[0];
        request.side = CDockingSide(side);
        request.size = 120;
        request.windowCount = 2;
        request.windows = box;
        return ::SendMessageW(frame.m_hWnd, DockingNotify, 0, reinterpret_cast<LPARAM>(&request)) != 0;
    }
    // A point inside the first label of a bar, in the frame's client area.
    POINT OnFirstLabel(int side) const
    {
        const RECT bar = frame.manager.Bar(side).Rect();
        if (frame.manager.Bar(side).IsHorizontal())
            return {bar.left + 8, (bar.top + bar.bottom) / 2};
        return {(bar.left + bar.right) / 2, bar.top + 8};
    }
    void Hover(POINT point)
    {
        ::PostMessageW(frame.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        ::PostMessageW(frame.m_hWnd, WM_MOUSEHOVER, 0, MAKELPARAM(point.x, point.y));
    }
    bool FlyOutShown() const { return ::IsWindowVisible(frame.manager.m_hWnd) != FALSE; }
    RECT FlyOutInFrame() const
    {
        return frame.manager.PlacementInFrame();
    }
    void CursorTo(POINT inFrame)
    {
        ::ClientToScreen(frame.m_hWnd, &inFrame);
        ::SetCursorPos(inFrame.x, inFrame.y);
        ASSERT_TRUE(WaitFor([&] {
            POINT cursor = {};
            return ::GetCursorPos(&cursor) && cursor.x == inFrame.x && cursor.y == inFrame.y;
        }));
    }

    CFrame frame;
    CPane panes[3];
    HWND box[2] = {};
};

} // namespace

TEST_F(AutoHideManagerTest, HoveringALabelSlidesItsPaneOutBesideTheBar)
{
    ASSERT_TRUE(Pin(panes[0], CDockingSide::Top));
    const CAutoHideManager& manager = frame.manager;
    EXPECT_EQ(manager.Height(), manager.BarThickness());
    EXPECT_EQ(manager.Width(), 0);
    EXPECT_EQ(panes[0].GetParent(), manager.m_hWnd);
    EXPECT_FALSE(FlyOutShown());

    // At once, and sliding when contents move live.
    for (const DWORD mode : {DWORD{0}, DWORD{dockwins::CDockingSettings::FullDrag}}) {
        SCOPED_TRACE(mode);
        dockwins::CDockingSettings::Instance().SetStyleFlags(mode);
        Hover(OnFirstLabel(CDockingSide::Top));
        ASSERT_TRUE(WaitFor([&] { return FlyOutShown(); }));
        EXPECT_EQ(manager.ShownWindow(), panes[0].m_hWnd);
        EXPECT_TRUE(panes[0].IsWindowVisible());
        // The pane's 180 pixels and the 5-pixel sizing bar, along the area's top.
        const RECT area = manager.FlyOutArea();
        const RECT expected = {area.left, area.top, area.right, area.top + 185};
        const RECT flyOut = FlyOutInFrame();
        EXPECT_TRUE(::EqualRect(&flyOut, &expected));
        const RECT client = manager.GetClientRect();
        const RECT pane = panes[0].GetWindowRect();
        EXPECT_EQ(pane.right - pane.left, client.right);
        EXPECT_EQ(pane.bottom - pane.top, client.bottom);
        frame.manager.Hide(true);
        EXPECT_FALSE(FlyOutShown());
    }
}

TEST_F(AutoHideManagerTest, AFlyOutCutShortByASmallFrameComesOutWholeWhenTheFrameGrows)
{
    ASSERT_TRUE(Pin(panes[0], CDockingSide::Top, DockingPinRequest::ShowAtOnce));
    frame.SetWindowPos(nullptr, RECT{0, 0, 500, 120}, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT small = frame.manager.FlyOutArea();
    EXPECT_EQ(FlyOutInFrame().bottom, small.bottom - 5);
    frame.SetWindowPos(nullptr, RECT{0, 0, 500, 400}, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(FlyOutInFrame().bottom, frame.manager.FlyOutArea().top + 185);
}

TEST_F(AutoHideManagerTest, TheHideTimerKeepsTheFlyOutOnlyWhileTheCursorOrTheFocusIsOnIt)
{
    ASSERT_TRUE(Pin(panes[0], CDockingSide::Left));
    ASSERT_TRUE(Pin(panes[1], CDockingSide::Left));
    enum Where { Away, OverFlyOut, OverLabel, FocusInside, FocusInAnotherPinnedPane };
    const struct {
        Where where;
        bool stays;
    } cases[] = {{Away, false}, {OverFlyOut, true}, {OverLabel, true}, {FocusInside, true},
                 {FocusInAnotherPinnedPane, false}};
    for (const auto& c : cases) {
        frame.manager.Show(panes[0].m_hWnd, CDockingSide(CDockingSide::Left), false);
        ASSERT_TRUE(FlyOutShown());
        ::SetFocus(frame.m_hWnd);
        const RECT flyOut = FlyOutInFrame();
        switch (c.where) {
        case Away:
            CursorTo({450, 350});
            break;
        case OverFlyOut:
            CursorTo({(flyOut.left + flyOut.right) / 2, (flyOut.top + flyOut.bottom) / 2});
            break;
        case OverLabel:
            CursorTo(OnFirstLabel(CDockingSide::Left));
            break;
        case FocusInside:
            CursorTo({450, 350});
            ::SetFocus(panes[0].field);
            ASSERT_TRUE(WaitFor([&] { return ::GetFocus() == panes[0].field; }));
            break;
        case FocusInAnotherPinnedPane:
            // Hidden inside the fly-out as well, but not what it shows.
            CursorTo({450, 350});
            ::SetFocus(panes[1].field);
            ASSERT_TRUE(WaitFor([&] { return ::GetFocus() == panes[1].field; }));
            break;
        }
        ::SendMessageW(frame.manager.m_hWnd, WM_TIMER, CAutoHideManager::HideTimer, 0);
        EXPECT_EQ(FlyOutShown(), c.stays) << "case " << c.where;
        EXPECT_EQ(frame.manager.ShownWindow() != nullptr, c.stays) << "case " << c.where;
    }
}

TEST_F(AutoHideManagerTest, ThePinButtonSendsThePaneBackToTheFrame)
{
    ASSERT_TRUE(Pin(panes[0], CDockingSide::Right, DockingPinRequest::ShowAtOnce));
    ASSERT_TRUE(FlyOutShown());
    ::SendMessageW(frame.manager.m_hWnd, WM_NCLBUTTONUP, dockwins::CCaptionBase::HitPin, 0);
    EXPECT_FALSE(FlyOutShown());
    ASSERT_EQ(frame.dockedAgain.size(), 1u);
    const DockingPosition& position = frame.dockedAgain[0];
    EXPECT_EQ(position.window, panes[0].m_hWnd);
    EXPECT_EQ(position.side.Flags(), CDockingSide::Right | CDockingSide::Single | CDockingSide::Pinned);
    EXPECT_EQ(position.place.rowSize, 180);
    EXPECT_NE(panes[0].GetParent(), frame.manager.m_hWnd);
    EXPECT_TRUE(frame.manager.Bar(CDockingSide::Right).IsEmpty());
    EXPECT_EQ(frame.manager.Width(), 0);
}

TEST_F(AutoHideManagerTest, TheCloseButtonAsksThePaneToClose)
{
    ASSERT_TRUE(Pin(panes[0], CDockingSide::Bottom, DockingPinRequest::ShowAtOnce));
    ::SendMessageW(frame.manager.m_hWnd, WM_NCLBUTTONUP, dockwins::CCaptionBase::HitClose, 0);
    EXPECT_TRUE(WaitFor([&] { return panes[0].closes == 1; }));
}

TEST_F(AutoHideManagerTest, APaneRemovedWhileShownIsHiddenFirst)
{
    // Taken off by the frame, or leaving by itself with the undock request.
    for (const bool byRequest : {false, true}) {
        ASSERT_TRUE(Pin(panes[0], CDockingSide::Top, DockingPinRequest::ShowAtOnce));
        ASSERT_TRUE(Pin(panes[1], CDockingSide::Top));
        ASSERT_TRUE(FlyOutShown());
        DockingPosition undock;
        undock.window = panes[0].m_hWnd;
        undock.code = DockingUndock;
        ASSERT_TRUE(byRequest ? ::SendMessageW(frame.manager.m_hWnd, DockingNotify, 0, reinterpret_cast<LPARAM>(&undock))
                              : frame.manager.Remove(panes[0].m_hWnd, false));
        EXPECT_FALSE(FlyOutShown());
        EXPECT_EQ(frame.manager.ShownWindow(), nullptr);
        EXPECT_FALSE(panes[0].IsWindowVisible());
        EXPECT_EQ(frame.manager.Bar(CDockingSide::Top).Count(), 1u);
        EXPECT_FALSE(frame.manager.Remove(panes[0].m_hWnd, false));
        ASSERT_TRUE(frame.manager.Remove(panes[1].m_hWnd, false));
        EXPECT_EQ(frame.manager.Height(), 0);
    }
}

TEST_F(AutoHideManagerTest, APinnedPaneReportsItsBarAndLabel)
{
    ASSERT_TRUE(Pin(panes[0], CDockingSide::Left));
    ASSERT_TRUE(Pin(panes[1], CDockingSide::Left));
    const struct {
        HWND window;
        bool found;
        int row;
    } cases[] = {{panes[0].m_hWnd, true, 0}, {panes[1].m_hWnd, true, 1}, {panes[2].m_hWnd, false, 0}};
    for (const auto& c : cases) {
        DockingPosition position;
        position.window = c.window;
        ASSERT_EQ(frame.manager.GetDockingPosition(&position), c.found);
        if (!c.found)
            continue;
        EXPECT_EQ(position.side.Flags(), CDockingSide::Left | CDockingSide::Single | CDockingSide::Pinned);
        EXPECT_EQ(position.place.row, c.row);
        EXPECT_EQ(position.place.rowSize, 180);
        EXPECT_EQ(position.place.length, 1);
    }
}

TEST_F(AutoHideManagerTest, SizingStopsFivePixelsInsideTheAreaAndHoldsTheHideTimer)
{
    for (const DWORD mode : {DWORD{0}, DWORD{dockwins::CDockingSettings::GhostDrag}}) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(Pin(panes[0], CDockingSide::Top, DockingPinRequest::ShowAtOnce));
        dockwins::CDockingSettings::Instance().SetStyleFlags(mode);
        const RECT area = frame.manager.FlyOutArea();
        POINT press = {200, FlyOutInFrame().bottom - 2};
        // The cursor is away: a hide check during the drag would hide the fly-out.
        ::PostMessageW(frame.manager.m_hWnd, WM_TIMER, CAutoHideManager::HideTimer, 0);
        ::PostMessageW(frame.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, area.bottom + 50));
        ::PostMessageW(frame.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(200, area.bottom + 50));
        ::ClientToScreen(frame.m_hWnd, &press);
        ::SendMessageW(frame.manager.m_hWnd, WM_NCLBUTTONDOWN, HTTOP, MAKELPARAM(press.x, press.y));
        EXPECT_TRUE(FlyOutShown());
        EXPECT_EQ(FlyOutInFrame().bottom, area.bottom - 5);
        // The pane keeps the size it was given for its next slide.
        DockingPosition position;
        position.window = panes[0].m_hWnd;
        ASSERT_TRUE(frame.manager.GetDockingPosition(&position));
        EXPECT_EQ(position.place.rowSize, area.bottom - 5 - area.top - 5);
        ASSERT_TRUE(frame.manager.Remove(panes[0].m_hWnd, false));
    }
}

TEST_F(AutoHideManagerTest, TheFlyOutsClientLiesBetweenItsCaptionAndTheSizingBarAtItsInnerEdge)
{
    const int caption = dockwins::COutlookLikeExCaption::ThicknessFor(true);
    const struct {
        int side;
        RECT window;
        RECT client;
    } cases[] = {
        {CDockingSide::Top, {0, 0, 400, 185}, {0, caption, 400, 180}},
        {CDockingSide::Bottom, {0, 0, 400, 185}, {0, 5 + caption, 400, 185}},
        {CDockingSide::Left, {0, 0, 185, 300}, {0, caption, 180, 300}},
        {CDockingSide::Right, {0, 0, 185, 300}, {5, caption, 185, 300}},
        // Squeezed to its sizing bar, the fly-out keeps an empty client area inside it.
        {CDockingSide::Top, {0, 0, 400, 5}, {0, 5, 400, 5}},
    };
    for (const auto& c : cases) {
        frame.manager.SetSide(CDockingSide(c.side));
        RECT rect = c.window;
        ::SendMessageW(frame.manager.m_hWnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
        EXPECT_TRUE(::EqualRect(&rect, &c.client))
            << "side " << c.side << ": " << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom;
    }
}

TEST_F(AutoHideManagerTest, HoveringAnEntryOfABoxsLabelShowsThatPaneAsTheActiveOne)
{
    ASSERT_TRUE(Pin(panes[0], CDockingSide::Top));
    ASSERT_TRUE(PinBox(CDockingSide::Left));
    DockingPosition before;
    before.window = box[1];
    ASSERT_TRUE(frame.manager.GetDockingPosition(&before));
    EXPECT_FALSE(before.side.IsActive());

    // The second entry is icon-only, at the far end of the label, which starts 3 pixels into the bar.
    const RECT bar = frame.manager.Bar(CDockingSide::Left).Rect();
    const dockwins::IPinnedLabel* label = frame.manager.Bar(CDockingSide::Left).Find(box[1]);
    ASSERT_NE(label, nullptr);
    Hover({(bar.left + bar.right) / 2, bar.top + 3 + label->GetWidth() - 3});
    ASSERT_TRUE(WaitFor([&] { return FlyOutShown(); }));
    EXPECT_EQ(frame.manager.ShownWindow(), box[1]);
    DockingPosition after;
    after.window = box[1];
    ASSERT_TRUE(frame.manager.GetDockingPosition(&after));
    EXPECT_TRUE(after.side.IsActive());
    EXPECT_FALSE(SaveWindowScreenshot(frame.m_hWnd, L"docking-auto-hide").empty());
}

TEST_F(AutoHideManagerTest, APinRequestWithoutAWindowOrForAPinnedOneIsRefused)
{
    ASSERT_TRUE(Pin(panes[0], CDockingSide::Top));
    CPane gone;
    ASSERT_TRUE(gone.Create(CreateArgs{.style = WS_POPUP}));
    const HWND goneWindow = gone.m_hWnd;
    gone.DestroyWindow();
    HWND boxWithPinned[] = {panes[1].m_hWnd, panes[0].m_hWnd};
    const struct {
        HWND window;
        HWND* box;
    } cases[] = {{nullptr, nullptr}, {goneWindow, nullptr}, {panes[0].m_hWnd, nullptr}, {panes[1].m_hWnd, boxWithPinned}};
    for (const auto& c : cases) {
        DockingPinRequest request;
        request.window = c.window;
        request.side = CDockingSide(CDockingSide::Top);
        request.windowCount = c.box ? 2 : 0;
        request.windows = c.box;
        bool barWasEmpty = true;
        EXPECT_FALSE(frame.manager.PinUp(frame.m_hWnd, request, barWasEmpty));
        EXPECT_EQ(frame.manager.Bar(CDockingSide::Top).Count(), 1u);
    }
    EXPECT_EQ(panes[1].GetParent(), frame.m_hWnd); // still the pop-up it was, owned by the frame
}
