#include <gtest/gtest.h>

#include <windows.h>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/MoveTracker.h"

using dockwins::CMoveTracker;
using namespace docking_test;

namespace {

// The docking frame's part: a window dropped with its corner left of x 300
// on the screen docks, into the rectangle (0, 0)-(80, 500).
class CFrame : public CWindowImpl<CFrame> {
public:
    BEGIN_MESSAGE_MAP(CFrame)
        ON_MESSAGE(DockingNotify, OnDockingNotify)
    END_MESSAGE_MAP()
    LRESULT OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool&)
    {
        auto* request = reinterpret_cast<DockingNotifyRecord*>(lParam);
        if (request->code == DockingLimitSize)
            return TRUE;
        if (request->code != DockingAccept || request->rect.left >= 300)
            return FALSE;
        request->target = m_hWnd;
        request->rect = {0, 0, 80, 500};
        return TRUE;
    }
};

void HoldControl(bool down)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

} // namespace

TEST(MoveTrackerTest, AMovedWindowShowsWhereItDocksOrFloatsAndCtrlKeepsItFloating)
{
    struct Case {
        const char* name;
        int toX;
        bool control;
        bool docked;
        RECT rect;
    };
    // The window lies at (400, 100)-(600, 300), pressed at (50, 10); floating it
    // is 200 x 150 with the cursor a quarter across and a twentieth down.
    const Case cases[] = {
        {"over the frame's edge", -200, false, true, {0, 0, 80, 500}},
        {"elsewhere", 100, false, false, {450, 103, 650, 253}},
        {"with Ctrl down", -200, true, false, {150, 103, 350, 253}},
    };
    CFrame frame;
    ASSERT_TRUE(frame.Create(CreateArgs{.style = WS_POPUP, .rect = {0, 0, 300, 500}}));
    for (const Case& c : cases) {
        CPlainWindow window;
        ASSERT_TRUE(window.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {400, 100, 600, 300}}));
        CMoveTracker tracker(window.m_hWnd, DockingNotifySender(frame.m_hWnd), POINT{50, 10}, window.GetWindowRect(),
                             RECT{0, 0, 200, 150});
        HoldControl(c.control);
        PostAll(window.m_hWnd, {{WM_MOUSEMOVE, 0, At(c.toX, 10)}, {WM_LBUTTONUP, 0, At(c.toX, 10)}});
        EXPECT_TRUE(TrackDragAndDrop(tracker, window.m_hWnd)) << c.name;
        HoldControl(false);
        EXPECT_EQ(tracker.Request().target, c.docked ? frame.m_hWnd : nullptr) << c.name;
        const RECT& r = tracker.Request().rect;
        EXPECT_TRUE(::EqualRect(&r, &c.rect)) << c.name << ": " << r.left << "," << r.top;
    }
}

TEST(MoveTrackerTest, AWindowOfNoSizeGivesNoPlaceToKeep)
{
    const POINT corner = CMoveTracker::PlaceUnderCursor(POINT{400, 100}, RECT{400, 100, 400, 100}, SIZE{100, 100});
    EXPECT_EQ(corner.x, 400);
    EXPECT_EQ(corner.y, 100);
}
