#include <gtest/gtest.h>

#include <vector>

#include "docking/dockwins/DockingBoxMessage.h"
#include "docking/dockwins/DockingNotifySender.h"
#include "winlib/WindowImpl.h"

namespace {

// Notes the docking requests it receives; answers the box query when it is a box.
class CReceiver : public CWindowImpl<CReceiver> {
public:
    explicit CReceiver(bool box) : m_box(box) {}
    BEGIN_MESSAGE_MAP(CReceiver)
        ON_MESSAGE(DockingNotify, OnDockingNotify)
        ON_MESSAGE(DockingBoxMessage, OnBoxMessage)
    END_MESSAGE_MAP()

    LRESULT OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool&)
    {
        codes.push_back(reinterpret_cast<DockingPosition*>(lParam)->code);
        return TRUE;
    }
    LRESULT OnBoxMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        if (!m_box) {
            handled = false;
            return 0;
        }
        if (reinterpret_cast<DockingPosition*>(lParam)->code == DockingIsBox)
            return TRUE;
        return OnDockingNotify(message, wParam, lParam, handled);
    }

    std::vector<int> codes;

private:
    bool m_box;
};

} // namespace

TEST(DockingNotifySenderTest, PositionRequestsGoToABoxElseToTheFrame)
{
    CReceiver frame(false), box(true), row(false);
    for (CReceiver* w : {&frame, &box, &row})
        ASSERT_TRUE(w->Create(CreateArgs{.style = WS_POPUP}));
    const DockingNotifySender sender(frame.m_hWnd);
    EXPECT_TRUE(DockingNotifySender::IsDockingBox(box.m_hWnd));
    EXPECT_FALSE(DockingNotifySender::IsDockingBox(row.m_hWnd));
    EXPECT_FALSE(DockingNotifySender::IsDockingBox(nullptr));

    DockingPosition inBox;
    inBox.container = box.m_hWnd;
    EXPECT_TRUE(sender.GetDockingPosition(inBox));
    DockingPosition inRow;
    inRow.container = row.m_hWnd;
    EXPECT_TRUE(sender.GetDockingPosition(inRow));
    EXPECT_EQ(box.codes, std::vector<int>{DockingGetPosition});
    EXPECT_EQ(frame.codes, std::vector<int>{DockingGetPosition});
    EXPECT_TRUE(row.codes.empty());

    // A docked place with no box around it is the frame's to give.
    DockingPosition docked;
    docked.side = dockwins::CDockingSide(dockwins::CDockingSide::Left);
    EXPECT_TRUE(sender.DockAtPosition(docked));
    EXPECT_EQ(docked.container, frame.m_hWnd);
    EXPECT_EQ(frame.codes.back(), DockingAtPosition);
}

TEST(DockingNotifySenderTest, AWindowThatWasNotDockedIsOnlyPutBackAtItsRectangle)
{
    CReceiver frame(false), pane(false);
    ASSERT_TRUE(frame.Create(CreateArgs{.style = WS_POPUP}));
    ASSERT_TRUE(pane.Create(CreateArgs{.style = WS_POPUP}));
    DockingPosition position;
    position.window = pane.m_hWnd;
    position.side = dockwins::CDockingSide(dockwins::CDockingSide::NotDocked);
    position.windowRect = {30, 40, 230, 190};
    EXPECT_TRUE(DockingNotifySender(frame.m_hWnd).DockAtPosition(position));
    EXPECT_TRUE(frame.codes.empty());
    const RECT placed = pane.GetWindowRect();
    EXPECT_EQ(placed.left, 30);
    EXPECT_EQ(placed.bottom, 190);
    EXPECT_TRUE(pane.IsWindowVisible());
}
