// The category tree filled from the large plan (303 categories), as after every change of the document, against the bare parse.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "benchmark/BareParse.h"
#include "benchmark/BenchmarkTimer.h"
#include "benchmark/HostWindow.h"
#include "benchmark/LargePlan.h"
#include "document/PelquornDoc.h"
#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "views/common/ViewMessages.h"
#include "views/tasks/CategoryTree.h"
#include "winlib/WindowImpl.h"

namespace {

constexpr int kRuns = 21;

int CountItems(HWND tree, HTREEITEM item)
{
    int count = 0;
    for (; item; item = TreeView_GetNextSibling(tree, item))
        count += 1 + CountItems(tree, TreeView_GetChild(tree, item));
    return count;
}

} // namespace

TEST(CategoryTreeFill, TheLargePlansCategoriesAgainstTheBareParse)
{
    const INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    const std::string bytes = LargePlanXml();
    const EString path = FileSystem::JoinPath(FileSystem::GetTempFolder(), L"category-tree-benchmark.qvr");
    {
        std::ofstream file(std::filesystem::path(path.c_str()), std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    CPelquornDoc document;
    ASSERT_TRUE(document.OnOpenDocument(path));
    document.SetStatusFilter(0);

    CHostWindow host;
    ASSERT_TRUE(host.Create(CreateArgs{.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, .rect = {0, 0, 300, 700}}));
    CCategoryTree tree;
    ASSERT_TRUE(tree.Create(host.m_hWnd));
    ::MoveWindow(tree.m_hWnd, 0, 0, 280, 680, TRUE);
    tree.SendViewMessage(WM_VIEW_DEFERRED_INIT, 0, 0);
    document.Attach(&tree);

    // What the user waits for after a change: the whole tree refilled and shown.
    const double fill = MedianMilliseconds(kRuns, [&] {
        document.Notify(nullptr, NotifyCode::kAll);
        ::UpdateWindow(tree.m_hWnd);
    });
    const int items = CountItems(tree.m_hWnd, TreeView_GetRoot(tree.m_hWnd));
    const Bstr text(Utf8ToWide(bytes.data(), bytes.size()));
    const double parse = MedianMilliseconds(5, [&] { BareParse(text); });

    std::printf("category tree fill:                    %.2f ms (median of %d, %d items)\n", fill, kRuns, items);
    std::printf("  bare parse of the plan:              %.2f ms (median of 5)\n", parse);
    EXPECT_GT(items, 300);
    document.Detach(&tree);
    tree.DestroyWindow();
    host.DestroyWindow();
    std::filesystem::remove(std::filesystem::path(path.c_str()));
}
