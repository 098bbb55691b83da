// The main window's Options command: the sheet over the frame, then the views refresh and the automatic copy follows the setting.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <algorithm>
#include <vector>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "dialogs/OptionsPageIds.h"
#include "document/SilentPrompts.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"

namespace {

class NotificationRecorder : public IObserver {
public:
    void Update(ISubject*, DocNotifyCode code) override { codes.push_back(code); }
    void OnAttach(ITabOrderProvider*) override {}

    std::vector<DocNotifyCode> codes;
};

class OptionsCommandTest : public FrameTest {
protected:
    OptionsCommandTest() : FrameTest(L"options_command") {}

    SilentPrompts m_prompts;
};

} // namespace

TEST_F(OptionsCommandTest, TheSheetOpensOverTheFrameAndAfterItTheViewsRefreshAndTheCopyFollowsTheSetting)
{
    const struct {
        const char* name;
        DWORD stored;
        int closeWith;
        DWORD written;
        bool timerRuns;
    } cases[] = {
        {"turned off", 5, IDOK, 0, false},
        {"turned on", 0, IDOK, 10, true},
        {"cancelled", 5, IDCANCEL, 5, true},
    };
    for (const auto& test : cases) {
        Options::SetAutoSave(test.stored);
        CMainFrame& frame = OpenFrame(m_prompts);
        NotificationRecorder recorder;
        Doc().Attach(&recorder);
        RunModalSteps([&] {
                          SendCommand(ID_OPTIONS);
                          return INT_PTR(0);
                      },
                      {[&](HWND sheet) {
                           EXPECT_EQ(::GetWindow(sheet, GW_OWNER), frame.m_hWnd) << test.name;
                           EXPECT_EQ(WindowText(sheet), L"Options") << test.name;
                           const auto page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
                           if (!page)
                               return false;
                           ::PostMessageW(::GetDlgItem(page, IDC_OPTIONS_AUTOSAVE), BM_CLICK, 0, 0);
                           return true;
                       },
                       [&](HWND sheet) {
                           const auto page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
                           if ((::IsDlgButtonChecked(page, IDC_OPTIONS_AUTOSAVE) == BST_CHECKED) == (test.stored > 0))
                               return false;
                           ::PostMessageW(::GetDlgItem(sheet, test.closeWith), BM_CLICK, 0, 0);
                           return true;
                       }});
        Doc().Detach(&recorder);
        // Once, whatever closed the sheet (the views may tell of their own sorting meanwhile).
        EXPECT_EQ(std::count(recorder.codes.begin(), recorder.codes.end(), NotifyCode::kTasksChanged), 1) << test.name;
        EXPECT_EQ(Options::GetAutoSave(), test.written) << test.name;
        // Only a running timer can be killed.
        EXPECT_EQ(frame.KillTimer(kAutoSaveTimer), test.timerRuns) << test.name;
        CloseFrame();
    }
}
