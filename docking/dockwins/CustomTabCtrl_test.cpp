#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "docking/dockwins/DockingTestSupport.h"
#include "docking/dockwins/DotNetTabCtrlImpl.h"
#include "winlib/WindowImpl.h"

using namespace docking_test;

namespace {

// A flat strip without the docking box's own tab drag: presses and moves
// reach the generic strip as they come.
class CRearrangingStrip : public CDotNetTabCtrlImpl<CRearrangingStrip, CCustomTabItem> {
public:
    static WindowClass GetWindowClass() { return TabWindowClass(L"QuorvaneTestRearrangingStrip"); }
};

class CNotifiedHost : public CWindowImpl<CNotifiedHost> {
public:
    BEGIN_MESSAGE_MAP(CNotifiedHost)
        ON_MESSAGE(WM_NOTIFY, OnNotify)
    END_MESSAGE_MAP()
    LRESULT OnNotify(UINT, WPARAM, LPARAM lParam, bool&)
    {
        const auto* header = reinterpret_cast<NMHDR*>(lParam);
        const int code = static_cast<int>(header->code);
        if (code == TABN_ACCEPT_ITEM_DRAG) {
            const auto* pair = reinterpret_cast<TabItemPairNotify*>(lParam);
            events.push_back("accept " + std::to_string(pair->item1) + "->" + std::to_string(pair->item2));
        } else if (code == TABN_CANCEL_ITEM_DRAG) {
            events.push_back("cancel " + std::to_string(reinterpret_cast<TabItemNotify*>(lParam)->item));
        } else if (code == static_cast<int>(NM_CUSTOMDRAW)) {
            const auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
            if (draw->dwDrawStage == CDDS_PREPAINT)
                return CDRF_NOTIFYITEMDRAW;
            if (draw->dwDrawStage == CDDS_ITEMPREPAINT)
                painted.push_back(static_cast<int>(draw->dwItemSpec) * 10 + static_cast<int>(draw->uItemState));
            return 0;
        } else if (code == TABN_BEGIN_ITEM_DRAG) {
            events.push_back("begin");
            return vetoDrag;
        }
        return 0;
    }
    std::vector<std::string> events;
    // Item index x 10 + item state, in painting order.
    std::vector<int> painted;
    LRESULT vetoDrag = 0;
};

} // namespace

TEST(CustomTabCtrlTest, AnItemDraggedPastTheMiddleOfAnotherTakesItsPlace)
{
    struct Case {
        const char* name;
        std::vector<int> moves; // x in tab widths from the first tab's left edge, tenths
        bool escape;
        bool veto;
        std::wstring order;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"short of the middle", {11}, false, false, L"ABC", {"begin", "accept 0->0"}},
        {"past the middle", {16}, false, false, L"BAC", {"begin", "accept 0->1"}},
        {"past two middles", {16, 26}, false, false, L"BCA", {"begin", "accept 0->2"}},
        {"Esc puts it back", {16, 26}, true, false, L"ABC", {"begin", "cancel 0"}},
        {"the parent refuses the drag", {16, 26}, false, true, L"ABC", {"begin"}},
    };
    for (const Case& c : cases) {
        CNotifiedHost host;
        ASSERT_TRUE(host.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {50, 50, 450, 150}}));
        host.vetoDrag = c.veto;
        CRearrangingStrip strip;
        ASSERT_TRUE(strip.Create(CreateArgs{.parent = host.m_hWnd,
                                            .style = WS_CHILD | WS_VISIBLE | TABS_DRAG_REARRANGE,
                                            .rect = {0, 0, 400, 24}}));
        for (const wchar_t* text : {L"A", L"B", L"C"}) {
            auto item = std::make_unique<CCustomTabItem>();
            item->text = text;
            strip.InsertItem(strip.GetItemCount(), std::move(item), false);
        }
        RECT first = {};
        strip.GetItemRect(0, &first);
        const int width = first.right - first.left;
        strip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(first.left + width / 2, 10));
        strip.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(first.left + width / 2 + 1, 10));
        for (int tenths : c.moves)
            strip.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(first.left + width * tenths / 10, 10));
        if (c.escape)
            strip.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        strip.SendMessage(WM_LBUTTONUP, 0, At(first.left + width * c.moves.back() / 10, 10));
        std::wstring order;
        for (int i = 0; i < strip.GetItemCount(); ++i)
            order += strip.GetItem(i)->text.c_str();
        EXPECT_EQ(order, c.order) << c.name;
        EXPECT_EQ(host.events, c.events) << c.name;
        EXPECT_FALSE(strip.IsItemDragging()) << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
        strip.DestroyWindow();
        host.DestroyWindow();
    }
}

TEST(CustomTabCtrlTest, DraggingAnItemToTheEndOfAScrollingStripScrollsIt)
{
    CNotifiedHost host;
    ASSERT_TRUE(host.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {50, 50, 450, 150}}));
    CRearrangingStrip strip;
    ASSERT_TRUE(strip.Create(CreateArgs{.parent = host.m_hWnd,
                                        .style = WS_CHILD | WS_VISIBLE | TABS_DRAG_REARRANGE | TABS_SCROLL,
                                        .rect = {0, 0, 120, 24}}));
    for (const wchar_t* text : {L"Deadlines", L"Daily plan", L"Categories", L"People"}) {
        auto item = std::make_unique<CCustomTabItem>();
        item->text = text;
        strip.InsertItem(strip.GetItemCount(), std::move(item), false);
    }
    ASSERT_TRUE(strip.CanScrollRight());
    RECT first = {};
    strip.GetItemRect(0, &first);
    const int areaRight = strip.GetTabAreaRect().right;
    strip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(first.left + 5, 10));
    strip.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(first.left + 6, 10));
    ASSERT_TRUE(strip.IsItemDragging());
    strip.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(areaRight - 5, 10));
    // At least one step; the dragged tab may also have been brought into view.
    EXPECT_LE(strip.GetScrollOffset(), -40);
    strip.SendMessage(WM_LBUTTONUP, 0, At(areaRight - 5, 10));
    EXPECT_FALSE(strip.IsItemDragging());
}

TEST(CustomTabCtrlTest, TheParentIsAskedForEachItemAndTheSelectedOneIsPaintedLast)
{
    CNotifiedHost host;
    ASSERT_TRUE(host.Create(CreateArgs{.style = WS_POPUP | WS_VISIBLE, .rect = {50, 50, 450, 150}}));
    CRearrangingStrip strip;
    ASSERT_TRUE(strip.Create(
        CreateArgs{.parent = host.m_hWnd, .style = WS_CHILD | WS_VISIBLE, .rect = {0, 0, 400, 24}}));
    for (const wchar_t* text : {L"Deadlines", L"Daily plan", L"Goals"}) {
        auto item = std::make_unique<CCustomTabItem>();
        item->text = text;
        strip.InsertItem(strip.GetItemCount(), std::move(item), false);
    }
    strip.SetCurSel(1, false);
    ::UpdateWindow(host.m_hWnd);
    host.painted.clear();
    ::RedrawWindow(strip.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(host.painted, (std::vector<int>{0, 20, 11}));
}
