// The modeless windows over the real main window get their dialog keys while the main window's loop runs: Tab, Enter and Escape.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

#include "app/AppCommandIds.h"
#include "app/FrameKeys.h"
#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "dialogs/SmallDialogIds.h"
#include "dialogs/PlanDialogIds.h"
#include "dialogs/ReminderDialogIds.h"
#include "dialogs/TrackingDialogIds.h"
#include "foundation/Clock.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/tasks/SilentPrompts.h"

namespace {

class ModelessKeysTest : public FrameTest {
protected:
    ModelessKeysTest() : FrameTest(L"modeless_keys") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        OpenFrame(m_prompts);
        Doc().SetStatusFilter(0);
        // Find searches the tasks of the categories.
        Doc().SetCurrentCategoryId(NewCategory(L"Garden"));
        m_hedge = NewTask(L"Cut the hedge", 1, Clock::Today() + 2);
        m_roses = NewTask(L"Plant the roses", 1, Clock::Today() + 3);
        Doc().Notify(nullptr, NotifyCode::kAll);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return TaskList().GetRowCount() == 2; }));
    }

    CPelquornView& TaskList() { return m_frame->GetTaskList(); }
    void Focus(HWND window)
    {
        ::SetFocus(window);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] {
            const HWND focus = ::GetFocus();
            return focus && (focus == window || ::IsChild(window, focus));
        }));
    }
    void SelectTask(int taskId)
    {
        TaskList().SelectRow(-1);
        TaskList().SelectRow(TaskList().FindRow(taskId));
        Focus(TaskList());
    }
    size_t PlannedToday()
    {
        std::vector<TaskPlanEntry> entries;
        Doc().GetDayPlanEntries(DailyPlan().GetDate(), entries);
        return entries.size();
    }

    // The window shown by `show`, with the focus in it as a click puts it.
    HWND Show(const std::function<HWND()>& show)
    {
        const HWND window = show();
        EXPECT_NE(window, nullptr);
        if (!window)
            return nullptr;
        if (!::IsChild(window, ::GetFocus()))
            ::SetActiveWindow(window);
        EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return ::IsChild(window, ::GetFocus()) != FALSE; }));
        return window;
    }

    SilentPrompts m_prompts;
    int m_hedge = 0;
    int m_roses = 0;
};

// Each window: Tab moves within it, Escape cancels it, and shown again, Enter presses its default button.
TEST_F(ModelessKeysTest, EachModelessWindowTakesTabEnterAndEscape)
{
    ReminderInfo reminder;
    const struct {
        const char* window;
        const wchar_t* shot;
        // Where a click puts the focus before Enter; 0 leaves it where the window put it.
        int enterIn;
        std::function<HWND()> show;
        std::function<bool()> entered;
        std::function<bool()> escaped;
    } cases[] = {
        {"find window", L"modeless_keys_find", IDC_FIND_TEXT,
         [&] {
             Focus(TaskList());
             EXPECT_TRUE(PressKeyThroughLoop(m_loop, 'F', kControlKey));
             SetItemText(m_frame->GetFindDialog(), IDC_FIND_TEXT, L"roses");
             return m_frame->GetFindDialog().m_hWnd;
         },
         [&] { return Doc().GetFirstSelectedTaskId() == m_roses; }, [] { return true; }},
        {"plan-entry dialog", L"modeless_keys_plan_entry", IDC_PLAN_START,
         [&] {
             SelectTask(m_hedge);
             Focus(DailyPlan().GetHwnd());
             EXPECT_TRUE(PressKeyThroughLoop(m_loop, 'I', kControlKey));
             return DailyPlan().GetPlanDialog().m_hWnd;
         },
         [&] { return PlannedToday() == 1; }, [&] { return PlannedToday() == 0; }},
        {"tracking window", L"modeless_keys_tracking", 0,
         [&] {
             SelectTask(m_hedge);
             EXPECT_TRUE(PressKeyThroughLoop(m_loop, 'L', kControlKey));
             return FindShownDialogWith(IDC_TRACKING_TOGGLE);
         },
         // Its default button stops the clock; closing the window ends the tracking.
         [&] { return !Doc().IsTracking(); }, [&] { return !Doc().IsTracking(); }},
        {"reminder alert", L"modeless_keys_reminder", 0,
         [&] {
             SelectTask(m_hedge);
             Doc().AddReminder(ReminderInfo(m_roses, Clock::Today(), 0));
             TaskList().CheckReminders();
             return FindShownDialogWith(IDC_REMINDER_SNOOZE);
         },
         // Its default button finds the task in the list; Escape dismisses the reminder.
         [&] { return Doc().GetFirstSelectedTaskId() == m_roses; },
         [&] { return !Doc().GetReminder(m_roses, reminder); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        const HWND window = Show(c.show);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(SaveWindowScreenshot(window, c.shot).IsEmpty());

        const HWND before = ::GetFocus();
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_TAB));
        EXPECT_NE(::GetFocus(), before) << "Tab moves to the next control";
        EXPECT_TRUE(::IsChild(window, ::GetFocus())) << "and stays in the window";

        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_ESCAPE));
        EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return !::IsWindowVisible(window); })) << "Escape closes it";
        EXPECT_TRUE(c.escaped()) << "Escape";

        ASSERT_EQ(Show(c.show), window);
        if (c.enterIn)
            ::SetFocus(::GetDlgItem(window, c.enterIn));
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_RETURN));
        EXPECT_TRUE(WaitThroughLoop(m_loop, c.entered)) << "Enter";
    }
}

} // namespace
