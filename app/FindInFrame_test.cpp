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
#include "foundation/FileSystem.h"
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

TEST_F(FindInFrameTest, FindsChangeNothingOfTheOpenedPlan)
{
    // The tree stored the hit's category and the way opened to it as its
    // state, and the plan was marked changed with no edit.
    m_startupPath = FileSystem::JoinPath(m_folder, L"found.qvr");
    WriteFileBytes(m_startupPath,
                   "<ROOT><CATEGORY ID=\"1\" NAME=\"Home\" STATUS=\"0\"><CATEGORY ID=\"2\" NAME=\"Garden\" "
                   "STATUS=\"0\"><TASK ID=\"1\" NAME=\"Water the roses\" STATUS=\"0\" IMPORTANCE=\"1\"/>"
                   "</CATEGORY></CATEGORY><CATEGORY ID=\"3\" NAME=\"Work\" STATUS=\"0\"><TASK ID=\"2\" "
                   "NAME=\"Read the report\" STATUS=\"0\" IMPORTANCE=\"1\"/></CATEGORY></ROOT>");
    CMainFrame& frame = OpenFrame(m_prompts);
    ASSERT_EQ(Doc().GetPathName(), m_startupPath);
    ASSERT_EQ(Doc().IsModified(), 0);
    const EString plan = Doc().GetDataManager().GetXml();

    SendCommand(ID_FIND);
    CFindDialog& find = frame.GetFindDialog();
    ASSERT_TRUE(find.IsWindow());
    SetItemText(find, IDC_FIND_TEXT, L"the");
    const struct {
        int category;
        const wchar_t* task;
    } hits[] = {{2, L"Water the roses"}, {3, L"Read the report"}, {2, L"Water the roses"}};
    for (const auto& hit : hits) {
        ::SendDlgItemMessageW(find, IDC_FIND_NEXT, BM_CLICK, 0, 0);
        EXPECT_EQ(Doc().GetCurrentCategoryId(), hit.category) << hit.task;
        EXPECT_EQ(SelectedRows(), Names{hit.task});
        EXPECT_EQ(Doc().IsModified(), 0) << hit.task;
    }
    EXPECT_EQ(WindowText(frame).find(L"*"), EString::npos) << WindowText(frame).c_str();
    EXPECT_TRUE(Doc().GetDataManager().GetXml() == plan);
}
