// The daily plan's time grid in the real main window, from the keyboard: arrows move the selected time, Enter and Delete act on the selected entry.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <vector>

#include "app/FrameKeys.h"
#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "foundation/Clock.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/calendar/CalendarViewDay.h"
#include "views/tasks/SilentPrompts.h"

namespace {

double Hours(int hours)
{
    return hours / 24.0;
}

const double kWednesday = MakeOleDate(2026, 3, 11);

// Whole minutes, so that sums of hours compare exactly.
long long Minutes(double dateTime)
{
    return std::llround(dateTime * 24 * 60);
}

class PlanGridKeysTest : public FrameTest {
protected:
    PlanGridKeysTest() : FrameTest(L"plan_grid_keys") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        Options::SetShowAsLayoutDays(1);
        Clock::SetNowForTesting(kWednesday + Hours(7));
        OpenFrame(m_prompts);
        ASSERT_FALSE(DailyPlan().IsListShown());
        m_report = AddEntry(L"Write the report", Hours(9), Hours(10));
        m_call = AddEntry(L"Call the bank", Hours(12), Hours(13));
        Doc().Notify(nullptr, NotifyCode::kAll);
        DailyPlan().SetDate(kWednesday, false);
        DailyPlanGrid().OnDateChanged();
        DailyPlan().ReloadDay();
        ScrollPlannerToHour(8);
    }

    int AddEntry(const wchar_t* name, double start, double end)
    {
        TaskCard task(name, L"", 1, kWednesday + 7, 1, 0, 0, 0, -1);
        EXPECT_TRUE(Doc().AddTask(task));
        TaskPlanEntry entry(task.GetId(), start, end, L"", L"", 0, 0);
        entry.SetTask(task);
        EXPECT_TRUE(Doc().AddPlanEntry(kWednesday, entry));
        return entry.GetId();
    }
    // A click on the middle of the entry's box, as the user picks it.
    void ClickEntry(int entryId)
    {
        const CDaySettings& s = PlannerSettings();
        for (const PlacedItem& placed : s.placed) {
            if (s.items[static_cast<size_t>(placed.itemIndex)].data != entryId)
                continue;
            const RECT& r = placed.rect;
            const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2 - PlannerPane().GetScrollOffset());
            ::PostMessageW(PlannerPane(), WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::PostMessageW(PlannerPane(), WM_LBUTTONUP, 0, at);
            ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return DailyPlanGrid().GetSelectedEntryId() == entryId; }));
            return;
        }
        FAIL() << "entry " << entryId << " is not placed";
    }
    double SelectedTime() { return PlannerSettings().selectedTime; }

    SilentPrompts m_prompts;
    int m_report = 0;
    int m_call = 0;
};

TEST_F(PlanGridKeysTest, ArrowsMoveTheSelectedTimeOneStepEach)
{
    ClickEntry(m_report);
    ASSERT_EQ(Doc().GetDocumentWindow(), DailyPlan().GetHwnd()) << "the click makes the daily plan the active view";
    const struct {
        const char* name;
        UINT key;
        double by;
    } keys[] = {
        {"Down", VK_DOWN, Hours(1)},
        {"Up", VK_UP, -Hours(1)},
        {"Right", VK_RIGHT, 1},
        {"Left", VK_LEFT, -1},
    };
    for (const auto& key : keys) {
        SCOPED_TRACE(key.name);
        const double before = SelectedTime();
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, key.key));
        EXPECT_EQ(Minutes(SelectedTime()), Minutes(before + key.by));
    }
    EXPECT_FALSE(SaveWindowScreenshot(DailyPlan().GetHwnd(), L"plan_grid_keys").IsEmpty());
}

TEST_F(PlanGridKeysTest, EnterEditsAndDeleteDeletesTheSelectedEntry)
{
    ClickEntry(m_call);
    CPlanDialog& dialog = DailyPlan().GetPlanDialog();
    ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_RETURN));
    ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return dialog.IsWindow() && dialog.IsWindowVisible(); }));
    EXPECT_EQ(dialog.entryId, m_call);
    ClickButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return !dialog.IsWindowVisible(); }));

    ClickEntry(m_call);
    int questions = 0;
    {
        DialogAnswerer answerer([&](HWND question) {
            ++questions;
            ::PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
        });
        ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_DELETE));
        TaskPlanEntry gone;
        EXPECT_TRUE(WaitThroughLoop(m_loop, [&] { return !Doc().GetPlanEntry(m_call, gone); }));
    }
    EXPECT_EQ(questions, 1);
    TaskPlanEntry kept;
    EXPECT_TRUE(Doc().GetPlanEntry(m_report, kept));
}

// Enter in the band's day picker belongs to the picker: it edits no entry.
TEST_F(PlanGridKeysTest, EnterInTheDayPickerOpensNoEntry)
{
    ClickEntry(m_call);
    const HWND picker = DailyPlan().GetDayPicker();
    ASSERT_NE(picker, nullptr);
    ::SetFocus(picker);
    ASSERT_TRUE(WaitThroughLoop(m_loop, [&] { return ::GetFocus() == picker || ::IsChild(picker, ::GetFocus()); }));
    ASSERT_TRUE(PressKeyThroughLoop(m_loop, VK_RETURN));
    EXPECT_TRUE(WaitThroughLoop(m_loop, [] {
        MSG pending;
        return !::PeekMessageW(&pending, nullptr, WM_COMMAND, WM_COMMAND, PM_NOREMOVE);
    }));
    CPlanDialog& dialog = DailyPlan().GetPlanDialog();
    EXPECT_FALSE(dialog.IsWindow() && dialog.IsWindowVisible());
}

} // namespace
