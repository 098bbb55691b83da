// The find through the real main window: the find window's Find Next and the Find Next command select the hit in the panes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "dialogs/SmallDialogIds.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

class FindInFrameTest : public FrameTest {
protected:
    FindInFrameTest() : FrameTest(L"find_in_frame") {}

    int AddCategory(const wchar_t* name) { return NewCategory(name); }
    int AddTask(int categoryId, const wchar_t* name)
    {
        Doc().SetCurrentCategoryId(categoryId);
        return NewTask(name, 1, Clock::Today() + 1);
    }
    // The names of the task list's selected rows.
    std::vector<EString> SelectedRows()
    {
        CPelquornView& list = m_frame->GetTaskList();
        std::vector<EString> names;
        for (int row = ListView_GetNextItem(list.GetHwnd(), -1, LVNI_SELECTED); row >= 0;
             row = ListView_GetNextItem(list.GetHwnd(), row, LVNI_SELECTED))
            names.push_back(list.GetRowTask(row)->GetName());
        return names;
    }

    SilentPrompts m_prompts;
};

using Names = std::vector<EString>;

} // namespace

TEST_F(FindInFrameTest, FindNextSelectsEachFoundTaskInTheTaskListAndItsCategoryInTheTree)
{
    CMainFrame& frame = OpenFrame(m_prompts);
    Doc().SetStatusFilter(0);
    const int home = AddCategory(L"Home");
    const int work = AddCategory(L"Work");
    const int findPassport = AddTask(home, L"Find the passport");
    const int water = AddTask(home, L"Water the plants");
    const int photos = AddTask(work, L"Passport photos");
    const int renew = AddTask(work, L"Renew the passport");
    Doc().Notify(nullptr, NotifyCode::kAll);
    CCategoryTree* tree = &Categories();
    ASSERT_NE(tree, nullptr);
    ASSERT_TRUE(tree->SelectCategory(home));
    CPelquornView& list = frame.GetTaskList();
    list.SelectRow(list.FindRow(water));
    ASSERT_EQ(SelectedRows(), Names{L"Water the plants"});

    SendCommand(ID_FIND);
    CFindDialog& find = frame.GetFindDialog();
    ASSERT_TRUE(find.IsWindow());
    SetItemText(find, IDC_FIND_TEXT, L"passport");
    ::SendDlgItemMessageW(find, IDC_FIND_NEXT, BM_CLICK, 0, 0);
    EXPECT_EQ(Doc().GetCurrentCategoryId(), home);
    EXPECT_EQ(SelectedRows(), Names{L"Find the passport"}) << "the hit alone is selected";
    EXPECT_EQ(Doc().GetFirstSelectedTaskId(), findPassport);

    // The next hits lie in the other category: the tree chooses it, the list refills and selects the task.
    const struct {
        int category, task;
        const wchar_t* name;
    } next[] = {{work, photos, L"Passport photos"}, {work, renew, L"Renew the passport"},
                {home, findPassport, L"Find the passport"}};
    for (const auto& hit : next) {
        SendCommand(ID_FIND_NEXT);
        EXPECT_EQ(Doc().GetCurrentCategoryId(), hit.category) << hit.name;
        EXPECT_EQ(SelectedRows(), Names{hit.name});
        EXPECT_EQ(Doc().GetFirstSelectedTaskId(), hit.task) << hit.name;
        if (hit.task == photos) {
            EXPECT_FALSE(SaveWindowScreenshot(frame, L"main_window_find_hit").IsEmpty());
        }
    }
}

TEST_F(FindInFrameTest, ATaskOutsideEveryCategoryIsFoundUnderTheTreesTopItem)
{
    CMainFrame& frame = OpenFrame(m_prompts);
    Doc().SetStatusFilter(0);
    const int home = AddCategory(L"Home");
    AddTask(home, L"Water the plants");
    const int vet = AddTask(0, L"Call the vet");
    Doc().Notify(nullptr, NotifyCode::kAll);
    ASSERT_TRUE(Categories().SelectCategory(home));

    SendCommand(ID_FIND);
    CFindDialog& find = frame.GetFindDialog();
    ASSERT_TRUE(find.IsWindow());
    SetItemText(find, IDC_FIND_TEXT, L"vet");
    ::SendDlgItemMessageW(find, IDC_FIND_NEXT, BM_CLICK, 0, 0);
    EXPECT_EQ(Doc().GetCurrentCategoryId(), 0);
    EXPECT_EQ(SelectedRows(), Names{L"Call the vet"});
    EXPECT_EQ(Doc().GetFirstSelectedTaskId(), vet);
}
