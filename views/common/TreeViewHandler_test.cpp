#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <vector>

#include "views/common/ListHandler.h"
#include "views/common/TreeViewHandler.h"
#include "foundation/MessageMap.h"
#include "winlib/WindowImpl.h"

namespace {

// Answers the tree's questions for the children flag, as the trees' windows do.
class CTreeHost : public CWindowImpl<CTreeHost> {
public:
    BEGIN_MESSAGE_MAP(CTreeHost)
        ON_NOTIFY_CODE(TVN_GETDISPINFOW, OnGetDispInfo)
    END_MESSAGE_MAP()

    LRESULT OnGetDispInfo(int, NMHDR* header, bool&)
    {
        CTreeViewHandler(header->hwndFrom).SetChildrenFlag(reinterpret_cast<NMTVDISPINFOW*>(header));
        return 0;
    }
};

// Top (0) > Alpha (1) > Alpha one (11), Alpha two (12) > Alpha two one (121); Top > Beta (2).
class TreeViewHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        ASSERT_TRUE(host.Create(CreateArgs{.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .rect = {100, 100, 400, 400}}));
        tree = ::CreateWindowExW(0, WC_TREEVIEWW, nullptr, WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0, 0, 280, 350,
                                 host, nullptr, nullptr, nullptr);
        const CTreeViewHandler handler(tree);
        items[0] = handler.InsertItem(TVI_ROOT, L"Top", 0);
        items[2] = handler.InsertItem(items[0], L"Beta", 2);
        items[1] = handler.InsertItem(items[0], L"Alpha", 1);
        items[12] = handler.InsertItem(items[1], L"Alpha two", 12);
        items[11] = handler.InsertItem(items[1], L"Alpha one", 11);
        items[121] = handler.InsertItem(items[12], L"Alpha two one", 121);
    }

    void CollapseAll()
    {
        for (const auto& [data, item] : items)
            TreeView_Expand(tree, item, TVE_COLLAPSE);
    }
    std::vector<LPARAM> Expanded() const
    {
        std::vector<LPARAM> expanded;
        CTreeViewHandler(tree).CollectExpanded(expanded);
        return expanded;
    }

    CTreeHost host;
    HWND tree = nullptr;
    std::map<LPARAM, HTREEITEM> items;
};

} // namespace

TEST_F(TreeViewHandlerTest, SelectByDataSelectsTheHitElseTheFirstRoot)
{
    struct Case {
        LPARAM data;
        bool expectedFound;
        LPARAM expectedSelected;
        LPARAM expectedParent;
        std::vector<LPARAM> expectedExpanded; // the way down to a hit is open
    };
    const Case cases[] = {
        {121, true, 121, 12, {0, 1, 12}},
        {2, true, 2, 0, {0}},
        {999, false, 0, 0, {}},
        {0, false, 0, 0, {}}, // null data searches nothing
    };
    const CTreeViewHandler handler(tree);
    for (const Case& c : cases) {
        CollapseAll();
        EXPECT_EQ(handler.SelectByData(c.data), c.expectedFound) << c.data;
        EXPECT_EQ(handler.GetSelectedData(), c.expectedSelected) << c.data;
        EXPECT_EQ(handler.GetSelectedParentData(), c.expectedParent) << c.data;
        EXPECT_EQ(Expanded(), c.expectedExpanded) << c.data;
    }
    TreeView_DeleteAllItems(tree);
    EXPECT_FALSE(handler.SelectByData(1));
}

// A find's next hit in the category already chosen: the tree stays as it is
// drawn unless the item went out of sight.
TEST_F(TreeViewHandlerTest, SelectByDataOfTheSelectedItemRedrawsOnlyToBringItIntoSight)
{
    const CTreeViewHandler handler(tree);
    const struct {
        LPARAM data;
        bool scrolledAway;
        bool expectedRedraw;
    } cases[] = {{121, false, false}, {0, false, false}, {121, true, true}};
    for (const auto& c : cases) {
        // One row high, so that scrolling to the last row takes the others out of sight.
        ::SetWindowPos(tree, nullptr, 0, 0, 280, c.scrolledAway ? 20 : 350, SWP_NOMOVE | SWP_NOZORDER);
        handler.SelectByData(c.data);
        if (c.scrolledAway)
            TreeView_SelectSetFirstVisible(tree, items[2]);
        ::UpdateWindow(tree);
        EXPECT_EQ(handler.SelectByData(c.data), c.data != 0) << c.data;
        EXPECT_EQ(handler.GetSelectedData(), c.data) << c.data;
        EXPECT_EQ(::GetUpdateRect(tree, nullptr, FALSE) != FALSE, c.expectedRedraw) << c.data;
        EXPECT_EQ(TreeView_GetFirstVisible(tree), c.scrolledAway ? items[c.data] : items[0]) << c.data;
    }
}

TEST_F(TreeViewHandlerTest, ExpandPathOpensEachValueAfterTheOneFoundBefore)
{
    struct Case {
        std::vector<LPARAM> path;
        std::vector<LPARAM> expectedExpanded;
    };
    const Case cases[] = {
        {{0, 1, 12}, {0, 1, 12}},
        {{0, 999, 1, 12}, {0, 1, 12}}, // an unknown value is skipped
        {{0, 12, 1}, {0, 1}},          // 12 lies in a branch still closed
    };
    for (const Case& c : cases) {
        CollapseAll();
        CTreeViewHandler(tree).ExpandPath(c.path);
        EXPECT_EQ(Expanded(), c.expectedExpanded) << c.path.size();
    }
}

TEST(ListHandlerTest, SelectItem)
{
    struct Case {
        std::vector<int> before;
        int row;
        std::vector<int> expectedSelected;
    };
    const Case cases[] = {
        {{}, -1, {}},        // nothing selected: nothing changes
        {{1, 2}, -1, {2}},   // only the first selected row is let go
        {{0}, 2, {0, 2}},    // selected and focused
        {{0}, 3, {0}},       // the row count is past the end
    };
    const HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, nullptr, WS_POPUP | LVS_LIST, 0, 0, 200, 200, nullptr,
                                        nullptr, nullptr, nullptr);
    for (int row = 0; row < 3; ++row) {
        LVITEMW item = {};
        item.iItem = row;
        ListView_InsertItem(list, &item);
    }
    for (const Case& c : cases) {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (const int row : c.before)
            ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
        ListHandler(list).SelectItem(c.row);
        std::vector<int> selected;
        for (int row = ListHandler(list).GetFirstSelected(); row >= 0;
             row = ListView_GetNextItem(list, row, LVNI_SELECTED))
            selected.push_back(row);
        EXPECT_EQ(selected, c.expectedSelected) << c.row;
        if (c.row == 2) {
            EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 2);
        }
    }
    ::DestroyWindow(list);
}
