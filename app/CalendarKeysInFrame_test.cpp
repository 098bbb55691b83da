// The deadlines calendar in the real main window, from the keyboard: Enter on a box edits its task; the task list's commands stay the task list's.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/FrameKeys.h"
#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/tasks/SilentPrompts.h"

namespace {

class CalendarKeysTest : public FrameTest {
protected:
    CalendarKeysTest() : FrameTest(L"calendar_keys") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        Options::SetIsAutoSatSun(0);
        OpenFrame(m_prompts);
        Doc().SetStatusFilter(0);
        TaskCard report(L"Send the report", L"", 1, Clock::Today() + 3, 1, 0, 0, 0, -1);
        ASSERT_TRUE(Doc().AddTask(report));
        m_report = report.GetId();
        Doc().Notify(nullptr, NotifyCode::kAll);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return Calendar().GetTasks().size() == 1; }));
        // Slid out, as resting on its label does.
        CTabbedAutoHideDockingWindow* pane = m_frame->GetPane(CMainFrame::CalendarPane);
        m_frame->AutoHideManager().Show(pane->m_hWnd, dockwins::CDockingSide::Top, false);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return Calendar().IsWindowVisible() != FALSE; }));
    }

    CCalendarView& Calendar() { return m_frame->GetCalendar(); }

    // A click on the middle of the task's box: the calendar takes the focus and selects the task.
    void ClickBox()
    {
        Ceil cell;
        cell.SetRect(Calendar().GetImage().GetLaneRect(PlanItemsMan::kPlanLane, Clock::Today() + 3));
        const RECT box = cell.GetBoxRect(0);
        const POINT offset = Calendar().GetScrollOffset();
        const LPARAM at = MAKELPARAM((box.left + box.right) / 2 - offset.x, (box.top + box.bottom) / 2 - offset.y);
        ::PostMessageW(Calendar(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(Calendar(), WM_LBUTTONUP, 0, at);
        ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return Doc().GetFirstSelectedTaskId() == m_report; }));
        ASSERT_EQ(::GetFocus(), Calendar().m_hWnd);
    }

    SilentPrompts m_prompts;
    int m_report = 0;
};

TEST_F(CalendarKeysTest, EnterOnABoxEditsItsTaskAndDeleteLeavesIt)
{
    const struct {
        const char* key;
        UINT code;
        std::vector<EString> dialogs;
    } keys[] = {
        {"Enter", VK_RETURN, {Resource::Translate(L"TaskCard")}},
        // The calendar offers no Delete: the task the click selected in the list stays.
        {"Delete", VK_DELETE, {}},
    };
    for (const auto& key : keys) {
        SCOPED_TRACE(key.key);
        ClickBox();
        EXPECT_FALSE(SaveWindowScreenshot(Calendar(), L"calendar_keys").IsEmpty());
        std::vector<EString> captions;
        {
            DialogAnswerer answerer([&](HWND dialog) {
                captions.push_back(WindowText(dialog));
                ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            });
            ASSERT_TRUE(PressKeyThroughLoop(m_loop, key.code));
            EXPECT_TRUE(WaitThroughLoop(m_loop, [&] {
                MSG pending;
                return !::PeekMessageW(&pending, nullptr, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) && !FindThreadDialog();
            }));
        }
        EXPECT_EQ(captions, key.dialogs);
        TaskCard kept;
        EXPECT_TRUE(Doc().GetTask(m_report, kept, false));
    }
}

} // namespace
