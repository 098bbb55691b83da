#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/TabDockingBox.h"
#include "docking/dockwins/TabbedAutoHideDockingWindow.h"
#include "testing/WindowShot.h"

using namespace docking_test;
using dockwins::CDockingSide;
using dockwins::CTabDockingBox;

namespace {

// A pane with an edit control standing for its view.
struct TestPane {
    CTabbedAutoHideDockingWindow window;
    HWND client = nullptr;

    bool Create(HWND frame, RECT rect, const wchar_t* title)
    {
        if (!window.Create(frame, rect, title, TabbedAutoHideDockingWindowTraits::style | WS_VISIBLE))
            return false;
        client = ::CreateWindowExW(0, L"EDIT", title, WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 10, 10,
                                   window.m_hWnd, nullptr, nullptr, nullptr);
        window.SetClient(client);
        return client != nullptr;
    }
    // As the anchor of the column.
    bool DockTo(DockingNotifyRecord* request) { return window.DockTo(request); }
    bool IsWindow() const { return window.IsWindow(); }
    void DestroyWindow() { window.DestroyWindow(); }
};

// The column of the frame, and four panes floating beside it.
class TabDockingBoxTest : public AnchoredColumnTest<TestPane> {
protected:
    void SetUp() override
    {
        AnchoredColumnTest::SetUp();
        ASSERT_TRUE(a.Create(frame.m_hWnd, {450, 50, 650, 250}, L"Categories"));
        ASSERT_TRUE(b.Create(frame.m_hWnd, {700, 50, 900, 250}, L"People"));
        ASSERT_TRUE(c.Create(frame.m_hWnd, {450, 400, 650, 600}, L"Daily plan"));
        ASSERT_TRUE(d.Create(frame.m_hWnd, {700, 400, 900, 600}, L"Deadlines"));
        DispatchWaiting();
    }
    void TearDown() override
    {
        for (TestPane* pane : {&a, &b, &c, &d})
            if (pane->IsWindow())
                pane->DestroyWindow();
        AnchoredColumnTest::TearDown();
    }
    // The caption drag of `pane` let go at `screen`, as the mouse would do it.
    template <class TWindow>
    static void DragTo(TWindow& pane, POINT press, POINT screen)
    {
        POINT cursor = screen;
        ::ScreenToClient(pane.m_hWnd, &cursor);
        PostAll(pane.m_hWnd, {{WM_MOUSEMOVE, MK_LBUTTON, At(cursor.x, cursor.y)}, {WM_LBUTTONUP, 0, At(cursor.x, cursor.y)}});
        pane.TrackMove(press);
        DispatchWaiting();
    }
    static POINT OnCaption(HWND window)
    {
        const RECT rect = CWindow(window).GetWindowRect();
        const RECT client = ToScreen(window, CWindow(window).GetClientRect());
        return {rect.left + 30, (rect.top + client.top) / 2};
    }
    // On the box's strip, after its last tab.
    static POINT AfterTabs(CTabDockingBox& box)
    {
        RECT last = {};
        box.Tabs().GetItemRect(box.WindowCount() - 1, &last);
        POINT point = {last.right + 10, (last.top + last.bottom) / 2};
        ::ClientToScreen(box.Tabs().m_hWnd, &point);
        return point;
    }
    static POINT Inside(HWND window)
    {
        const RECT client = ToScreen(window, CWindow(window).GetClientRect());
        return {client.left + 20, client.top + 20};
    }
    // Drops `dropped` on the caption of `onto`; the box both are in then.
    CTabDockingBox* Drop(TestPane& dropped, TestPane& onto)
    {
        DragTo(dropped.window, Inside(dropped.window), OnCaption(onto.window));
        return CTabDockingBox::FromHandle(onto.window.GetParent());
    }
    static std::vector<HWND> WindowsOf(const CTabDockingBox& box)
    {
        std::vector<HWND> windows;
        for (int i = 0; i < box.WindowCount(); ++i)
            windows.push_back(box.WindowAt(i));
        return windows;
    }
    static DockingPosition PositionOf(HWND window)
    {
        DockingPosition position;
        position.window = window;
        position.code = DockingGetPosition;
        Notify(::GetParent(window), &position);
        return position;
    }

    TestPane a, b, c, d;
};

} // namespace

TEST_F(TabDockingBoxTest, APaneDroppedOnAFloatingPaneMakesATwoTabBoxInItsPlace)
{
    const RECT place = b.window.GetWindowRect();
    CTabDockingBox* box = Drop(a, b);
    ASSERT_NE(box, nullptr);
    SaveWindowScreenshot(box->m_hWnd, L"docking-box-two-tabs");
    EXPECT_TRUE(SameRect(box->GetWindowRect(), place));
    EXPECT_TRUE(box->IsWindowVisible());
    EXPECT_EQ(WindowsOf(*box), (std::vector<HWND>{b.window.m_hWnd, a.window.m_hWnd}));
    EXPECT_EQ(box->ActiveWindow(), a.window.m_hWnd);
    EXPECT_TRUE(a.window.IsWindowVisible());
    EXPECT_FALSE(b.window.IsWindowVisible());
    EXPECT_EQ(box->GetWindowText(), L"Categories");
    EXPECT_EQ(a.window.Container(), box->m_hWnd);
}

TEST_F(TabDockingBoxTest, APaneDroppedOnADockedPaneMakesTheBoxTakeItsDockedPlace)
{
    // At the frame's left edge, where the dropped window's rectangle starts at 0.
    ASSERT_TRUE(DockIntoRow(b.window, {0, 300, 200, 400}));
    const RECT place = b.window.GetWindowRect();
    CTabDockingBox* box = Drop(a, b);
    ASSERT_NE(box, nullptr);
    SaveWindowScreenshot(frame.m_hWnd, L"docking-box-docked");
    EXPECT_EQ(box->GetParent(), frame.row->m_hWnd);
    EXPECT_TRUE(box->IsDocked());
    EXPECT_TRUE(SameRect(box->GetWindowRect(), place));
    EXPECT_EQ(WindowsOf(*box), (std::vector<HWND>{b.window.m_hWnd, a.window.m_hWnd}))
        << "the dropped pane goes after the one it was dropped on";
}

TEST_F(TabDockingBoxTest, DraggingATabOutOfATwoTabBoxDissolvesTheBoxInPlace)
{
    struct Case {
        const char* name;
        bool docked;
    };
    for (const Case& test : {Case{"floating", false}, Case{"docked", true}}) {
        if (test.docked) {
            ASSERT_TRUE(DockIntoRow(b.window, {0, 300, 200, 400})) << test.name;
        }
        CTabDockingBox* box = Drop(a, b);
        ASSERT_NE(box, nullptr) << test.name;
        const HWND boxWindow = box->m_hWnd;
        const RECT place = box->GetWindowRect();

        // Let go off the strip, the tab's window is pressed at its bottom-right corner.
        NMHDR dragOut = {box->Tabs().m_hWnd, 0, static_cast<UINT>(TABN_DRAG_OUT)};
        box->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&dragOut));
        MSG press = {};
        ASSERT_TRUE(::PeekMessageW(&press, a.window.m_hWnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE))
            << test.name;
        const RECT dragged = a.window.GetWindowRect();
        EXPECT_EQ(press.wParam, static_cast<WPARAM>(HTCAPTION)) << test.name;
        EXPECT_EQ(press.lParam, MAKELPARAM(dragged.right, dragged.bottom)) << test.name;

        DragTo(a.window, {dragged.right - 5, dragged.bottom - 5}, {1000, 700});
        EXPECT_FALSE(::IsWindow(boxWindow)) << test.name;
        EXPECT_FALSE(a.window.IsDocked()) << test.name;
        EXPECT_TRUE(a.window.IsWindowVisible()) << test.name;
        EXPECT_TRUE(b.window.IsWindowVisible()) << test.name;
        EXPECT_EQ(b.window.IsDocked(), test.docked) << test.name;
        EXPECT_TRUE(SameRect(b.window.GetWindowRect(), place)) << test.name;
        if (test.docked) {
            EXPECT_EQ(b.window.GetParent(), frame.row->m_hWnd) << test.name;
        }
        b.window.Float();
    }
}

TEST_F(TabDockingBoxTest, ATabLetGoAtTheEdgeOfTheScreenFloatsWithItsCaptionInTheWorkArea)
{
    // Pressed at its bottom-right corner, the tab's window would float above
    // or left of the screen, out of the mouse's reach.
    const struct {
        const char* name;
        POINT drop;
    } cases[] = {{"at the top", {900, 20}}, {"at the left", {5, 700}}};
    for (const auto& test : cases) {
        CTabDockingBox* box = Drop(a, b);
        ASSERT_NE(box, nullptr) << test.name;
        NMHDR dragOut = {box->Tabs().m_hWnd, 0, static_cast<UINT>(TABN_DRAG_OUT)};
        box->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&dragOut));
        MSG press = {};
        ASSERT_TRUE(::PeekMessageW(&press, a.window.m_hWnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE))
            << test.name;
        const RECT dragged = a.window.GetWindowRect();
        DragTo(a.window, {dragged.right - 5, dragged.bottom - 5}, test.drop);
        EXPECT_FALSE(a.window.IsDocked()) << test.name;
        EXPECT_TRUE(a.window.IsWindowVisible()) << test.name;
        EXPECT_TRUE(InWorkArea(a.window.m_hWnd)) << test.name;
    }
    SaveWindowScreenshot(a.window.m_hWnd, L"docking-tab-let-go-at-the-edge");
}

TEST_F(TabDockingBoxTest, ABoxDroppedOnABoxOrAPaneMovesAllItsWindowsInOrderAndKeepsItsActivePane)
{
    struct Case {
        const char* name;
        bool ontoBox;
    };
    for (const Case& test : {Case{"onto a box", true}, Case{"onto a pane", false}}) {
        CTabDockingBox* first = Drop(a, b);
        ASSERT_NE(first, nullptr) << test.name;
        HWND onto = d.window.m_hWnd;
        if (test.ontoBox) {
            CTabDockingBox* second = Drop(c, d);
            ASSERT_NE(second, nullptr) << test.name;
            onto = second->m_hWnd;
        }
        DockingPosition activate;
        activate.window = b.window.m_hWnd;
        activate.code = DockingActivate;
        ASSERT_TRUE(Notify(first->m_hWnd, &activate)) << test.name;
        const HWND firstWindow = first->m_hWnd;

        // Over the first tab of a box they go in there; a pane puts them after itself.
        DragTo(*first, OnCaption(firstWindow), OnCaption(onto));
        EXPECT_FALSE(::IsWindow(firstWindow)) << test.name;
        CTabDockingBox* box = CTabDockingBox::FromHandle(d.window.GetParent());
        ASSERT_NE(box, nullptr) << test.name;
        const std::vector<HWND> expected =
            test.ontoBox ? std::vector<HWND>{b.window.m_hWnd, a.window.m_hWnd, d.window.m_hWnd, c.window.m_hWnd}
                         : std::vector<HWND>{d.window.m_hWnd, b.window.m_hWnd, a.window.m_hWnd};
        EXPECT_EQ(WindowsOf(*box), expected) << test.name;
        EXPECT_EQ(box->ActiveWindow(), b.window.m_hWnd) << test.name;

        // Apart again for the next case.
        int y = 100;
        for (TestPane* pane : {&a, &b, &c}) {
            if (pane->window.IsDocked())
                DragTo(pane->window, Inside(pane->window), {1000, y});
            y += 300;
        }
        DispatchWaiting();
    }
}

TEST_F(TabDockingBoxTest, AClosingBoxTakesNoMoreWindows)
{
    CTabDockingBox* first = Drop(a, b);
    CTabDockingBox* second = Drop(d, c);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    const HWND firstWindow = first->m_hWnd;
    DockingNotifyRecord onto;
    onto.target = second->m_hWnd;
    onto.rect = {-1, -1, -1, -1};
    ASSERT_TRUE(first->DockTo(&onto));

    // Its close is posted: a window that came now would go down with it.
    onto.window = anchor.window.m_hWnd;
    onto.target = firstWindow;
    onto.code = DockingDock;
    EXPECT_FALSE(Notify(firstWindow, &onto));
    onto.code = DockingAccept;
    const POINT caption = OnCaption(firstWindow);
    onto.rect = {caption.x, caption.y, caption.x + 100, caption.y + 100};
    EXPECT_FALSE(Notify(firstWindow, &onto));
    DispatchWaiting();
    EXPECT_FALSE(::IsWindow(firstWindow));
    EXPECT_TRUE(anchor.window.IsWindow());
}

TEST_F(TabDockingBoxTest, APaneInABoxOfTwoIsPlacedByTheOtherPaneAndInABoxOfThreeByTheBox)
{
    CTabDockingBox* box = Drop(a, b);
    ASSERT_NE(box, nullptr);
    struct Case {
        HWND window;
        HWND container;
        int index;
        bool active;
    };
    const Case two[] = {{b.window.m_hWnd, a.window.m_hWnd, 0, false}, {a.window.m_hWnd, b.window.m_hWnd, 1, true}};
    for (const Case& test : two) {
        const DockingPosition position = PositionOf(test.window);
        EXPECT_EQ(position.container, test.container);
        EXPECT_EQ(position.labelIndex, test.index);
        EXPECT_EQ(position.side.IsActive(), test.active);
        EXPECT_FALSE(position.side.IsDocked()) << "the box floats";
    }
    DragTo(c.window, Inside(c.window), AfterTabs(*box));
    ASSERT_EQ(box->WindowCount(), 3);
    const Case three[] = {{b.window.m_hWnd, box->m_hWnd, 0, false}, {c.window.m_hWnd, box->m_hWnd, 2, true}};
    for (const Case& test : three) {
        const DockingPosition position = PositionOf(test.window);
        EXPECT_EQ(position.container, test.container);
        EXPECT_EQ(position.labelIndex, test.index);
        EXPECT_EQ(position.side.IsActive(), test.active);
    }
}

TEST_F(TabDockingBoxTest, UserCloseWithSeveralTabsClosesOnlyTheActiveTabsWindow)
{
    CTabDockingBox* box = Drop(a, b);
    ASSERT_NE(box, nullptr);
    DragTo(c.window, Inside(c.window), AfterTabs(*box));
    ASSERT_EQ(box->ActiveWindow(), c.window.m_hWnd);
    box->SendMessage(WM_CLOSE);
    DispatchWaiting();
    ASSERT_TRUE(box->IsWindow());
    EXPECT_EQ(WindowsOf(*box), (std::vector<HWND>{b.window.m_hWnd, a.window.m_hWnd}));
    EXPECT_EQ(box->ActiveWindow(), a.window.m_hWnd) << "the last tab went: the one before it is selected";
    EXPECT_FALSE(c.window.IsWindowVisible());
    EXPECT_TRUE(c.window.IsWindow()) << "a pane closed by the user only hides";
}

TEST_F(TabDockingBoxTest, AWindowDraggedOverTheStripGoesWhereItsEmptyTabShowedAndLeavesNoneBehind)
{
    CTabDockingBox* box = Drop(a, b);
    ASSERT_NE(box, nullptr);
    POINT beforeFirst = {2, box->Tabs().GetClientRect().bottom / 2};
    ::ClientToScreen(box->Tabs().m_hWnd, &beforeFirst);
    struct Case {
        const char* name;
        std::vector<POINT> path;
        std::vector<HWND> windows;
    };
    const Case cases[] = {
        {"dropped before the first tab", {beforeFirst},
         {c.window.m_hWnd, b.window.m_hWnd, a.window.m_hWnd}},
        {"moved on off the strip", {AfterTabs(*box), {1000, 700}}, {b.window.m_hWnd, a.window.m_hWnd}},
    };
    for (const Case& test : cases) {
        if (c.window.IsDocked())
            DragTo(c.window, Inside(c.window), {1000, 700});
        POINT cursor = {};
        for (const POINT& at : test.path) {
            cursor = at;
            ::ScreenToClient(c.window.m_hWnd, &cursor);
            PostAll(c.window.m_hWnd, {{WM_MOUSEMOVE, MK_LBUTTON, At(cursor.x, cursor.y)}});
        }
        PostAll(c.window.m_hWnd, {{WM_LBUTTONUP, 0, At(cursor.x, cursor.y)}});
        c.window.TrackMove(Inside(c.window));
        DispatchWaiting();
        EXPECT_EQ(WindowsOf(*box), test.windows) << test.name;
        EXPECT_EQ(box->ActiveWindow(), box->WindowAt(box->Tabs().GetCurSel())) << test.name;
    }
}

TEST_F(TabDockingBoxTest, ThePinButtonOfADockedBoxPinsAllItsWindowsTogetherAndTheBoxGoes)
{
    ASSERT_TRUE(DockIntoRow(b.window, {0, 300, 200, 400}));
    CTabDockingBox* box = Drop(a, b);
    ASSERT_NE(box, nullptr);
    const HWND boxWindow = box->m_hWnd;
    box->SendMessage(WM_NCLBUTTONUP, dockwins::CCaptionBase::HitPin, 0);
    ASSERT_FALSE(frame.pinRequests.empty());
    EXPECT_EQ(frame.pinRequests.back().window, a.window.m_hWnd) << "the active pane shows first";
    EXPECT_EQ(frame.pinnedTogether, (std::vector<HWND>{b.window.m_hWnd, a.window.m_hWnd}));
    EXPECT_TRUE(frame.pinRequests.back().flags & DockingPinRequest::ShowAtOnce);
    DispatchWaiting();
    EXPECT_FALSE(::IsWindow(boxWindow));
    EXPECT_TRUE(a.window.IsWindow());
    EXPECT_TRUE(b.window.IsWindow());
}

TEST_F(TabDockingBoxTest, AnAcceptQuestionOutsideADragIsAnsweredAtOnce)
{
    CTabDockingBox* box = Drop(a, b);
    ASSERT_NE(box, nullptr);
    const POINT after = AfterTabs(*box);
    DockingNotifyRecord question;
    question.window = c.window.m_hWnd;
    question.code = DockingAccept;
    question.rect = {after.x, after.y, after.x + 100, after.y + 100};
    // Nothing moves the mouse on: a box that waited for it would wait here for ever.
    ASSERT_TRUE(box->SendMessage(DockingBoxMessage, 0, reinterpret_cast<LPARAM>(&question)));
    EXPECT_EQ(question.target, box->m_hWnd);
    EXPECT_EQ(question.rect.left, 2);
    EXPECT_EQ(WindowsOf(*box), (std::vector<HWND>{b.window.m_hWnd, a.window.m_hWnd}));
}

TEST_F(TabDockingBoxTest, AHiddenBoxComesBackWhereItWasWhenOneOfItsPanesIsActivated)
{
    struct Case {
        const char* name;
        bool docked;
    };
    for (const Case& test : {Case{"docked", true}, Case{"floating", false}}) {
        if (test.docked) {
            ASSERT_TRUE(DockIntoRow(b.window, {0, 300, 200, 400})) << test.name;
        }
        CTabDockingBox* box = Drop(a, b);
        ASSERT_NE(box, nullptr) << test.name;
        const RECT place = box->GetWindowRect();
        ASSERT_TRUE(box->Hide()) << test.name;
        EXPECT_FALSE(box->IsWindowVisible()) << test.name;
        EXPECT_FALSE(box->IsDocked()) << test.name;

        ASSERT_TRUE(b.window.Show()) << test.name;
        EXPECT_TRUE(box->IsWindowVisible()) << test.name;
        EXPECT_EQ(box->IsDocked(), test.docked) << test.name;
        EXPECT_TRUE(SameRect(box->GetWindowRect(), place)) << test.name;
        EXPECT_EQ(box->ActiveWindow(), b.window.m_hWnd) << test.name;

        // Apart again for the next case.
        DragTo(a.window, Inside(a.window), {1000, 700});
        b.window.Float();
    }
}
