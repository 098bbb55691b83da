// The real main window's start-up dialogs (a new plan's goals, the tip of the day), the tip and about commands and the help file.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "dialogs/SmallDialogIds.h"
#include "dialogs/TipDialogIds.h"
#include "document/SilentPrompts.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

class StartupAndHelpTest : public FrameTest {
protected:
    StartupAndHelpTest() : FrameTest(L"startup_and_help") {}

    SilentPrompts m_prompts;
};

EString WindowTitleOf(HWND window)
{
    wchar_t title[MAX_PATH] = {};
    ::GetWindowTextW(window, title, MAX_PATH);
    return title;
}

bool IsGoalsDialog(HWND dialog)
{
    return ::GetDlgItem(dialog, IDC_GOALS_LIST) != nullptr;
}

bool IsTipDialog(HWND dialog)
{
    return ::GetDlgItem(dialog, IDC_TIP_NEXT) != nullptr;
}

EString ListItemText(HWND list, int row)
{
    wchar_t text[256] = {};
    ListView_GetItemText(list, row, 0, text, 256);
    return text;
}

// Every category name of the plan, depth first.
void CollectCategoryNames(CPelquornDoc& doc, int parentId, std::vector<EString>& names)
{
    std::vector<Category> children;
    doc.GetSubCategories(parentId, children);
    for (const Category& child : children) {
        names.push_back(child.GetName());
        CollectCategoryNames(doc, child.GetId(), names);
    }
}

TEST_F(StartupAndHelpTest, ANewPlanOffersItsGoalsAndAChosenGoalBecomesACategory)
{
    EString picked;
    RunModalSteps([&] { return INT_PTR(OpenFrameUnanswered(m_prompts).IsWindow()); },
                  {[&](HWND dialog) {
                      EXPECT_TRUE(IsGoalsDialog(dialog));
                      EXPECT_FALSE(m_frame->IsWindowEnabled()) << "the goals are modal over the main window";
                      const HWND list = ::GetDlgItem(dialog, IDC_GOALS_LIST);
                      EXPECT_GT(ListView_GetItemCount(list), 1);
                      picked = ListItemText(list, 1);
                      ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                      return true;
                  },
                   [&](HWND dialog) {
                       if (!::IsWindowEnabled(::GetDlgItem(dialog, IDOK)))
                           return false;
                       ClickButton(dialog, IDOK);
                       return true;
                   }});
    ASSERT_FALSE(picked.IsEmpty());
    std::vector<EString> names;
    CollectCategoryNames(Doc(), 0, names);
    EXPECT_NE(std::find(names.begin(), names.end(), picked), names.end()) << "no category named after the goal";
    EXPECT_TRUE(Doc().IsModified()) << "the goals' tasks are changes to save";
}

TEST_F(StartupAndHelpTest, TheTipOfTheDayComesAfterTheGoalsOfANewPlanNeverOverThem)
{
    Options::SetShowTipOnSturtup(1);
    bool tipClosed = false;
    RunModalSteps(
        [&] {
            OpenFrameUnanswered(m_prompts);
            EXPECT_TRUE(WaitFor([&] { return tipClosed; }));
            return INT_PTR(0);
        },
        {[&](HWND dialog) {
             EXPECT_TRUE(IsGoalsDialog(dialog)) << "the goals come first";
             CancelDialog(dialog);
             return true;
         },
         [&](HWND dialog) {
             if (IsGoalsDialog(dialog))
                 return false;
             EXPECT_TRUE(IsTipDialog(dialog));
             EXPECT_NE(WindowTitleOf(*m_frame).find(L" - "), EString::npos) << "the plan is open behind the tip";
             EXPECT_EQ(::GetWindow(dialog, GW_OWNER), m_frame->m_hWnd);
             PressKey(dialog, VK_ESCAPE);
             tipClosed = true;
             return true;
         }});
    EXPECT_EQ(Options::GetShowTipOnSturtup(), 1u);
}

TEST_F(StartupAndHelpTest, TheTipAndAboutCommandsOpenTheirDialogsOverTheWindow)
{
    OpenFrame(m_prompts);
    Options::SetTipIndex(0);
    RunModalSteps([&] { SendCommand(ID_TIP_OF_THE_DAY); return INT_PTR(0); },
                  {[&](HWND dialog) {
                       EXPECT_TRUE(IsTipDialog(dialog));
                       EXPECT_EQ(ItemText(dialog, IDOK), L"Close");
                       EXPECT_EQ(Options::GetTipIndex(), 1u) << "the first tip of the shipped file";
                       EXPECT_FALSE(SaveWindowScreenshot(dialog, L"tip_of_the_day").IsEmpty());
                       ClickButton(dialog, IDC_TIP_NEXT);
                       return true;
                   },
                   [&](HWND dialog) {
                       if (Options::GetTipIndex() != 2)
                           return false;
                       PressKey(dialog, VK_ESCAPE);
                       return true;
                   }});
    RunModalSteps([&] { SendCommand(ID_APP_ABOUT); return INT_PTR(0); },
                  {[&](HWND dialog) {
                      EXPECT_EQ(ItemText(dialog, IDC_ABOUT_VERSION), L"Quorvane v2.1.14");
                      EXPECT_EQ(::GetWindow(dialog, GW_OWNER), m_frame->m_hWnd);
                      EXPECT_FALSE(SaveWindowScreenshot(dialog, L"about_box").IsEmpty());
                      ClickButton(dialog, IDOK);
                      return true;
                  }});
}

TEST_F(StartupAndHelpTest, TheHelpFileBesideTheProgramHoldsThePagesTheCommandsName)
{
    const std::string help = ReadFileBytes(FileSystem::GetProgramFolderPath(L"Quorvane.chm"));
    ASSERT_GT(help.size(), 4u) << "no help file beside the program";
    EXPECT_EQ(help.substr(0, 4), "ITSF");
    for (const char* page : {"/index.htm", "/HintsAndTips.htm", "/zemtutorial/index.htm"})
        EXPECT_NE(help.find(page), std::string::npos) << page;
}

// The help viewer's window of this thread; null when none.
HWND FindHelpWindow()
{
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t className[32] = {};
            ::GetClassNameW(window, className, 32);
            if (!::IsWindowVisible(window) || lstrcmpW(className, L"HH Parent") != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(StartupAndHelpTest, EachHelpCommandOpensTheHelpFileInTheHelpViewer)
{
    OpenFrame(m_prompts);
    for (const UINT command : {ID_HINTS_AND_TIPS, ID_TUTORIAL, ID_HELP_TOPICS}) {
        SendCommand(command);
        HWND viewer = nullptr;
        // The first call looks for the viewer's HTML engine: seconds under Wine.
        ASSERT_TRUE(WaitFor([&] { return (viewer = FindHelpWindow()) != nullptr; }, 60000)) << command;
        EXPECT_EQ(WindowTitleOf(viewer), L"Quorvane Help") << command;
        ::SendMessageW(viewer, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(viewer); })) << command;
    }
}

} // namespace
