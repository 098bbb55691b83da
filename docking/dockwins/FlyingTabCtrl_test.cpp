#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/FlyingTabCtrl.h"
#include "testing/WindowShot.h"
#include "winlib/WindowImpl.h"

using dockwins::CFlyingTabCtrl;
using namespace docking_test;

namespace {

constexpr int Code(UINT code)
{
    return static_cast<int>(code);
}

// The box's part: hosts the strip and notes the notifications it sends.
class CStripHost : public CWindowImpl<CStripHost> {
public:
    BEGIN_MESSAGE_MAP(CStripHost)
        ON_MESSAGE(WM_NOTIFY, OnNotify)
    END_MESSAGE_MAP()
    LRESULT OnNotify(UINT, WPARAM, LPARAM lParam, bool&)
    {
        const int code = static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code);
        if (code != Code(NM_CUSTOMDRAW))
            codes.push_back(code);
        return 0;
    }
    std::vector<int> codes;
};

struct StripFixture {
    explicit StripFixture(std::vector<const wchar_t*> texts, DWORD style = 0)
    {
        host.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {50, 50, 450, 150}});
        strip.Create(host.m_hWnd, {0, 0, 400, 24}, style, 7);
        for (const wchar_t* text : texts) {
            auto item = std::make_unique<CTabViewTabItem>();
            item->text = text;
            strip.InsertItem(strip.GetItemCount(), std::move(item), true);
        }
        DispatchWaiting();
        host.codes.clear();
    }
    std::vector<std::wstring> Order() const
    {
        std::vector<std::wstring> order;
        for (int i = 0; i < strip.GetItemCount(); ++i)
            order.emplace_back(strip.GetItem(i)->text.c_str());
        return order;
    }
    RECT ItemRect(int index) const
    {
        RECT rect = {};
        strip.GetItemRect(index, &rect);
        return rect;
    }
    CStripHost host;
    CFlyingTabCtrl strip;
};

} // namespace

TEST(FlyingTabCtrlTest, ANewStripIsTwentyFourPixelsThickWithTheDefaultStyle)
{
    StripFixture fixture({});
    EXPECT_EQ(fixture.strip.GetThickness(), 24);
    EXPECT_EQ(fixture.strip.GetStyle(), CFlyingTabCtrl::kDefaultStyle);
}

TEST(FlyingTabCtrlTest, DeletingTheSelectedLastTabSelectsTheNewLastAndTellsTheParent)
{
    StripFixture fixture({L"Calendar", L"Daily plan", L"Tasks"});
    ASSERT_EQ(fixture.strip.GetCurSel(), 2);
    EXPECT_TRUE(fixture.strip.DeleteItem(2, true, false));
    EXPECT_EQ(fixture.strip.GetCurSel(), 1);
    EXPECT_EQ(fixture.host.codes, (std::vector<int>{Code(TCN_SELCHANGE)}));
    EXPECT_FALSE(fixture.strip.DeleteItem(5, true, false));
}

TEST(FlyingTabCtrlTest, ArrowKeysAndARightPressSelectTabs)
{
    StripFixture fixture({L"Calendar", L"Daily plan"});
    const RECT first = fixture.ItemRect(0);
    fixture.strip.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(fixture.strip.GetCurSel(), 0);
    fixture.strip.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(fixture.strip.GetCurSel(), 1);
    // The base's press handling alone: the flying layer would wait for a drag.
    fixture.strip.SendMessage(WM_RBUTTONDOWN, 0, At(first.left + 5, 10));
    EXPECT_EQ(fixture.strip.GetCurSel(), 0);
    EXPECT_EQ(fixture.host.codes, (std::vector<int>{Code(TCN_SELCHANGING), Code(TCN_SELCHANGE), Code(TCN_SELCHANGING),
                                                    Code(TCN_SELCHANGE), Code(NM_RCLICK), Code(TCN_SELCHANGING),
                                                    Code(TCN_SELCHANGE)}));
}

TEST(FlyingTabCtrlTest, DraggedTabSwapsOnceAndLeavesTheStripOffTheTabs)
{
    // A narrow tab dragged onto a wide one: after the swap the cursor lies
    // over the wide tab, which only a move towards it takes back.
    struct Case {
        const char* name;
        std::vector<int> moves; // x offsets from the first point inside the wide tab; 1000 leaves the strip
        bool escape;
        std::vector<std::wstring> order;
        bool dragOut;
    };
    const Case cases[] = {
        {"one swap", {0}, false, {L"A much longer pane", L"A"}, false},
        {"a pixel away from the swapped-in tab", {0, 1}, false, {L"A much longer pane", L"A"}, false},
        {"a pixel towards it swaps back", {0, 1, 0}, false, {L"A", L"A much longer pane"}, false},
        {"released off the tabs", {0, 1000}, false, {L"A much longer pane", L"A"}, true},
        {"Esc sends nothing", {0}, true, {L"A much longer pane", L"A"}, false},
    };
    for (const Case& c : cases) {
        StripFixture fixture({L"A", L"A much longer pane"});
        fixture.strip.SetCurSel(0, false);
        DispatchWaiting();
        fixture.host.codes.clear();
        const RECT narrow = fixture.ItemRect(0);
        const int inWide = narrow.right + 2;
        for (int dx : c.moves) {
            const LPARAM at = dx == 1000 ? At(inWide, 200) : At(inWide + dx, 10);
            fixture.strip.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, at);
        }
        if (c.escape)
            fixture.strip.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        else
            fixture.strip.PostMessage(WM_LBUTTONUP, 0, At(inWide + c.moves.back(), c.moves.back() == 1000 ? 200 : 10));
        fixture.strip.RunTabDrag({(narrow.left + narrow.right) / 2, 10});
        EXPECT_EQ(fixture.Order(), c.order) << c.name;
        const bool dragOut = std::find(fixture.host.codes.begin(), fixture.host.codes.end(), TABN_DRAG_OUT) !=
                             fixture.host.codes.end();
        EXPECT_EQ(dragOut, c.dragOut) << c.name;
        EXPECT_EQ(fixture.strip.GetItem(fixture.strip.GetCurSel())->text, L"A") << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
    }
}

TEST(FlyingTabCtrlTest, ScreenshotsOfAStripBelowItsPageAndOfAScrollingOne)
{
    StripFixture below({L"Deadlines", L"Daily plan", L"Categories and people"},
                       CFlyingTabCtrl::kDefaultStyle | TABS_BOTTOM);
    below.strip.SetCurSel(1, false);
    DispatchWaiting();
    EXPECT_FALSE(SaveWindowScreenshot(below.host.m_hWnd, L"docking-flying-tabs").empty());

    StripFixture scrolling({L"Deadlines", L"Daily plan", L"Categories and people", L"Goals"},
                           CFlyingTabCtrl::kDefaultStyle | TABS_SCROLL | TABS_CLOSE_BUTTON);
    ::MoveWindow(scrolling.strip.m_hWnd, 0, 0, 260, 24, TRUE);
    scrolling.strip.SetCurSel(1, false);
    DispatchWaiting();
    EXPECT_FALSE(SaveWindowScreenshot(scrolling.host.m_hWnd, L"docking-flying-tabs-scrolling").empty());
}

TEST(FlyingTabCtrlTest, ScrollButtonsStepThroughTabsThatDoNotFit)
{
    StripFixture fixture({L"Deadlines", L"Daily plan", L"Categories", L"People", L"Goals", L"Mood"},
                         CFlyingTabCtrl::kDefaultStyle | TABS_SCROLL);
    CFlyingTabCtrl& strip = fixture.strip;
    strip.SetCurSel(0, false);
    ASSERT_EQ(strip.GetScrollOffset(), 0);
    EXPECT_FALSE(strip.CanScrollLeft());
    // Narrow the strip so that the last tab lies well beyond its end.
    ::MoveWindow(strip.m_hWnd, 0, 0, 150, 24, TRUE);
    ASSERT_TRUE(strip.CanScrollRight());
    POINT right = {};
    UINT where = 0;
    for (int x = 149; x > 0 && where != CTCHT_ONSCROLLRIGHTBTN; --x) {
        right = {x, 12};
        strip.HitTest(right, &where);
    }
    ASSERT_EQ(where, CTCHT_ONSCROLLRIGHTBTN);
    const POINT left = {right.x - 15, 12};
    strip.HitTest(left, &where);
    ASSERT_EQ(where, CTCHT_ONSCROLLLEFTBTN);

    const auto press = [&](POINT at) {
        strip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(at.x, at.y));
        strip.SendMessage(WM_LBUTTONUP, 0, At(at.x, at.y));
    };
    press(right);
    EXPECT_EQ(strip.GetScrollOffset(), -40);
    EXPECT_TRUE(strip.CanScrollLeft());
    int presses = 1;
    while (strip.CanScrollRight() && presses < 50) {
        press(right);
        ++presses;
    }
    RECT last = {};
    strip.GetItemRect(strip.GetItemCount() - 1, &last);
    EXPECT_EQ(last.right, strip.GetTabAreaRect().right) << "the last tab ends flush with the area";
    while (strip.CanScrollLeft() && presses < 100) {
        press(left);
        ++presses;
    }
    EXPECT_EQ(strip.GetScrollOffset(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Selecting the last tab brings it into view.
    strip.SetCurSel(strip.GetItemCount() - 1, false);
    strip.GetItemRect(strip.GetItemCount() - 1, &last);
    EXPECT_EQ(last.right, strip.GetTabAreaRect().right);
    EXPECT_EQ(strip.GetCurSel(), strip.GetItemCount() - 1);
}

TEST(FlyingTabCtrlTest, EachTabHasATooltipToolShowingItsTooltipOrItsText)
{
    StripFixture fixture({L"Deadlines", L"Daily plan", L"Goals"});
    CFlyingTabCtrl& strip = fixture.strip;
    strip.GetItem(1)->toolTip = L"The plan of the shown day";
    ASSERT_TRUE(strip.GetToolTip().Get());
    EXPECT_EQ(strip.GetToolTip().ToolCount(), 3);

    struct Case {
        UINT_PTR tool;
        const wchar_t* text;
    };
    const Case cases[] = {{1, L"Deadlines"}, {2, L"The plan of the shown day"}, {3, L"Goals"}};
    for (const Case& c : cases) {
        NMTTDISPINFOW info = {};
        info.hdr = {strip.GetToolTip().Get(), c.tool, TTN_GETDISPINFOW};
        strip.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_TRUE(info.lpszText) << c.tool;
        EXPECT_STREQ(info.lpszText, c.text) << c.tool;
    }

    strip.DeleteItem(0, true, false);
    EXPECT_EQ(strip.GetToolTip().ToolCount(), 2);
    strip.ModifyStyle(0, TABS_SCROLL | TABS_CLOSE_BUTTON);
    EXPECT_EQ(strip.GetToolTip().ToolCount(), 5) << "two tabs, two scroll buttons and the close button";
}
