#include <gtest/gtest.h>

#include "dialogs/AboutDlg.h"
#include "dialogs/TipDialog.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"

namespace {

class TipDialogTest : public TaskDialogsTest {
protected:
    void SetUp() override
    {
        TaskDialogsTest::SetUp();
        ClearProgramRegistry();
        m_tipsPath = FileSystem::JoinPath(MakeScratchFolder(L"tip_dialog"), L"TipsEnglish.txt");
        WriteFileBytes(m_tipsPath, "Plan the day.\r\nTrack the time.\r\nFinish the task.\r\n");
    }
    void TearDown() override
    {
        ClearProgramRegistry();
        TaskDialogsTest::TearDown();
    }

    EString m_tipsPath;
};

bool IsChecked(HWND dialog, int id)
{
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

TEST_F(TipDialogTest, ThePaneTakesThePlaceholderAndNextShowsTheFollowingTip)
{
    Options::SetTipIndex(1);
    CTipDialog dialog;
    dialog.tipsPath = m_tipsPath;
    RunModalSteps([&] { return dialog.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                       const HWND pane = ::GetDlgItem(hwnd, IDC_TIP_PANE);
                       EXPECT_EQ(pane, dialog.GetPane().m_hWnd) << "the placeholder is gone";
                       EXPECT_TRUE(::GetWindowLongPtrW(pane, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
                       EXPECT_EQ(dialog.GetPane().GetText(), L"Track the time.");
                       EXPECT_EQ(Options::GetTipIndex(), 2u);
                       ClickButton(hwnd, IDC_TIP_NEXT);
                       return true;
                   },
                   [&](HWND hwnd) {
                       if (dialog.GetPane().GetText() != L"Finish the task.")
                           return false;
                       EXPECT_EQ(Options::GetTipIndex(), 3u);
                       ClickButton(hwnd, IDC_TIP_NEXT);
                       return true;
                   },
                   [&](HWND hwnd) {
                       if (dialog.GetPane().GetText() != L"Plan the day.")
                           return false;
                       EXPECT_EQ(Options::GetTipIndex(), 1u) << "wrapped to the first";
                       PressKey(hwnd, VK_ESCAPE);
                       return true;
                   }});
}

TEST_F(TipDialogTest, OnlyCloseStoresTheShowAtStartUpBox)
{
    const struct {
        const char* name;
        bool close;
        DWORD stored;
    } cases[] = {{"Close", true, 0}, {"Escape", false, 1}};
    for (const auto& test : cases) {
        Options::SetShowTipOnSturtup(1);
        CTipDialog dialog;
        dialog.tipsPath = m_tipsPath;
        const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr); },
                                             {[&](HWND hwnd) {
                                                  EXPECT_TRUE(IsChecked(hwnd, IDC_TIP_SHOW_AT_STARTUP)) << test.name;
                                                  ClickCheck(hwnd, IDC_TIP_SHOW_AT_STARTUP);
                                                  return true;
                                              },
                                              [&](HWND hwnd) {
                                                  if (IsChecked(hwnd, IDC_TIP_SHOW_AT_STARTUP))
                                                      return false;
                                                  if (test.close)
                                                      ClickButton(hwnd, IDOK);
                                                  else
                                                      PressKey(hwnd, VK_ESCAPE);
                                                  return true;
                                              }});
        EXPECT_EQ(result, test.close ? IDOK : IDCANCEL) << test.name;
        EXPECT_EQ(Options::GetShowTipOnSturtup(), test.stored) << test.name;
    }
}

TEST_F(TipDialogTest, TheBoxStartsAsTheSettingStandsAndAMissingTipsFileShowsNoTip)
{
    Options::SetShowTipOnSturtup(0);
    Options::SetTipIndex(2);
    CTipDialog dialog;
    dialog.tipsPath = FileSystem::JoinPath(FileSystem::GetFolder(m_tipsPath), L"TipsNone.txt");
    RunModalSteps([&] { return dialog.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                      EXPECT_FALSE(IsChecked(hwnd, IDC_TIP_SHOW_AT_STARTUP));
                      EXPECT_EQ(dialog.GetPane().GetText(), L"");
                      EXPECT_TRUE(::IsWindowVisible(dialog.GetPane().m_hWnd));
                      ClickButton(hwnd, IDOK);
                      return true;
                  }});
    EXPECT_EQ(Options::GetTipIndex(), 2u);
    EXPECT_EQ(Options::GetShowTipOnSturtup(), 0u);
}

TEST_F(TipDialogTest, TheAboutBoxNamesTheVersionAndEndsWithOkOrEscape)
{
    for (const bool escape : {false, true}) {
        CAboutDlg about;
        const INT_PTR result = RunModalSteps([&] { return about.DoModal(nullptr); },
                                             {[&](HWND hwnd) {
                                                 EXPECT_EQ(ItemText(hwnd, IDC_ABOUT_VERSION), L"Quorvane v2.1.14");
                                                 if (escape)
                                                     PressKey(hwnd, VK_ESCAPE);
                                                 else
                                                     ClickButton(hwnd, IDOK);
                                                 return true;
                                             }});
        EXPECT_EQ(result, escape ? IDCANCEL : IDOK);
    }
}

} // namespace
