// A reminder that falls due in the real frame: its alert changes nothing, and each answer marks the plan only when it changes it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "dialogs/ReminderDialogIds.h"
#include "dialogs/TaskDialogIds.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "foundation/FileSystem.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"

namespace {

// 2026-03-04, a Wednesday, as an OLE date.
constexpr double kWednesday = 46085.0;

double Hours(int hours, int minutes = 0)
{
    return (hours + minutes / 60.0) / 24.0;
}

class RemindersInFrameTest : public FrameTest {
protected:
    RemindersInFrameTest() : FrameTest(L"reminders") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        Clock::SetNowForTesting(kWednesday + Hours(9));
        m_path = FileSystem::JoinPath(m_folder, L"plan.qvr");
    }

    std::wstring Title()
    {
        wchar_t title[MAX_PATH] = {};
        ::GetWindowTextW(*m_frame, title, MAX_PATH);
        return title;
    }

    // "plan.qvr": the task in Errands with its reminder for 10:00 today,
    // saved with all categories chosen in the tree.
    void WritePlan()
    {
        OpenFrame(m_prompts);
        m_errands = NewCategory(L"Errands");
        Doc().SetCurrentCategoryId(m_errands);
        m_task = NewTask(L"Call the bank", 1, kWednesday + 2);
        Doc().AddReminder(ReminderInfo(m_task, kWednesday, Hours(10)));
        Doc().Notify(nullptr, NotifyCode::kAll);
        const HWND tree = Categories().m_hWnd;
        ASSERT_TRUE(WaitFor([&] { return FindTreeItem(tree, m_errands) != nullptr; }));
        // As a click on "All categories", the root.
        TreeView_SelectItem(tree, TreeView_GetRoot(tree));
        ASSERT_TRUE(WaitFor([&] { return Doc().GetCurrentCategoryId() == 0; }));
        Doc().SetPathName(m_path);
        ASSERT_TRUE(Doc().Save());
    }
    // The plan opened as the program opens it at its start, unchanged.
    void OpenPlan()
    {
        m_startupPath = m_path;
        OpenFrame(m_prompts);
        ASSERT_EQ(Doc().GetPathName(), m_startupPath);
        ASSERT_EQ(Doc().IsModified(), 0);
    }
    // The reminder clock's minute comes after the alarm: the alert shows.
    HWND AlertOnTimer()
    {
        Clock::SetNowForTesting(kWednesday + Hours(10, 5));
        TaskList().PostMessage(WM_TIMER, CPelquornView::kReminderTimer, 0);
        HWND alert = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (alert = FindShownDialogWith(IDC_REMINDER_SNOOZE)) != nullptr; }));
        return alert;
    }

    ScriptedPrompts m_prompts;
    EString m_path;
    int m_errands = 0;
    int m_task = 0;
};

TEST_F(RemindersInFrameTest, AnAlertThatFiresChangesNothingAndEachAnswerMarksThePlanOnlyWhenItChangesIt)
{
    ASSERT_NO_FATAL_FAILURE(WritePlan());
    const std::string written = ReadFileBytes(m_path);
    const struct {
        const char* name;
        // What the user does in the alert; gives the condition that the frame has answered.
        std::function<std::function<bool()>(HWND alert)> answer;
        // In the saved file: the reminder's time of day, empty once it is gone.
        const wchar_t* alarm;
    } cases[] = {
        {"left standing", [](HWND) { return [] { return true; }; }, nullptr},
        // The tree and the list go to the task; the plan holds the category
        // the tree had until another plan replaces this one.
        {"Locate, in another category",
         [&](HWND alert) {
             ClickButton(alert, IDC_REMINDER_LOCATE);
             return [&] { return Doc().GetCurrentCategoryId() == m_errands && Doc().GetFirstSelectedTaskId() == m_task; };
         },
         nullptr},
        {"Open, then Cancel in the task's editor",
         [](HWND alert) {
             // The editor is modal: answered from its own loop.
             auto cancelled = std::make_shared<bool>(false);
             auto cancelEditor = std::make_shared<DialogAnswerer>([cancelled](HWND dialog) {
                 if (!::GetDlgItem(dialog, IDC_TASK_REMINDER))
                     return;
                 CancelDialog(dialog);
                 *cancelled = true;
             });
             ClickButton(alert, IDC_REMINDER_OPEN);
             return [cancelled, cancelEditor] { return *cancelled && !FindShownDialogWith(IDC_TASK_REMINDER); };
         },
         nullptr},
        {"Snooze for ten minutes",
         [](HWND alert) {
             SetItemText(alert, IDC_REMINDER_MINUTES, L"10");
             ClickButton(alert, IDC_REMINDER_SNOOZE);
             return [alert] { return !::IsWindowVisible(alert); };
         },
         L"10:15"},
        {"Dismiss",
         [](HWND alert) {
             ClickButton(alert, IDCANCEL);
             return [alert] { return !::IsWindowVisible(alert); };
         },
         L""},
    };
    bool shot = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(m_path, written);
        // Opened before the alarm: the reminder clock brings the alert.
        Clock::SetNowForTesting(kWednesday + Hours(9));
        ASSERT_NO_FATAL_FAILURE(OpenPlan());
        ASSERT_FALSE(TaskList().IsReminderShown());
        const HWND alert = AlertOnTimer();
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(ItemText(alert, IDC_REMINDER_TASK_NAME), L"Call the bank");
        EXPECT_EQ(Doc().IsModified(), 0) << "the alert itself changes nothing";
        EXPECT_EQ(Title(), m_path + L" - Quorvane");
        if (!shot) {
            EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"reminder_due_frame").IsEmpty());
            EXPECT_FALSE(SaveWindowScreenshot(alert, L"reminder_due_alert").IsEmpty());
            shot = true;
        }

        ASSERT_TRUE(WaitFor(c.answer(alert)));
        const bool changes = c.alarm != nullptr;
        EXPECT_EQ(Doc().IsModified(), changes ? 1 : 0);
        EXPECT_EQ(Title(), m_path + (changes ? L"*" : L"") + L" - Quorvane");
        if (!changes) {
            EXPECT_EQ(ReadFileBytes(m_path), written);
            continue;
        }
        SilentPrompts silent;
        CPelquornDoc saved;
        SaveAndReopen(L"plan.qvr", saved, silent);
        ReminderInfo reminder;
        const bool kept = saved.GetReminder(m_task, reminder);
        EXPECT_EQ(kept, c.alarm[0] != 0);
        if (kept) {
            EXPECT_EQ(reminder.GetAlarmDateXmlText(), L"2026-03-04");
            EXPECT_EQ(reminder.GetAlarmTimeXmlText(), c.alarm);
        }
    }
}

// Opened when its reminder is due: the alert stands over the plan, which is
// not changed until the user answers it.
TEST_F(RemindersInFrameTest, AReminderDueWhenThePlanOpensLeavesThePlanUnmarked)
{
    ASSERT_NO_FATAL_FAILURE(WritePlan());
    const std::string written = ReadFileBytes(m_path);
    Clock::SetNowForTesting(kWednesday + Hours(10, 5));
    ASSERT_NO_FATAL_FAILURE(OpenPlan());
    HWND alert = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (alert = FindShownDialogWith(IDC_REMINDER_SNOOZE)) != nullptr; }));
    EXPECT_TRUE(TaskList().IsReminderShown());
    EXPECT_EQ(Doc().IsModified(), 0);
    EXPECT_EQ(Title(), m_path + L" - Quorvane");
    EXPECT_EQ(ReadFileBytes(m_path), written);
    ReminderInfo reminder;
    EXPECT_TRUE(Doc().GetReminder(m_task, reminder));
}

} // namespace
