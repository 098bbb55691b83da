// The daily plan pane showing its time grid in the real main window: mouse edits on the grid, drops, and the saved file.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "document/Clipboard.h"
#include "document/PelquornDragData.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "foundation/ComPtr.h"
#include "foundation/FileSystem.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/calendar/CalendarViewDay.h"
#include "views/common/AtlDropSource.h"

namespace {

double Hours(int hours, int minutes = 0)
{
    return (hours + minutes / 60.0) / 24.0;
}

const double kWednesday = MakeOleDate(2026, 3, 11);

class DailyPlanGridTest : public FrameTest {
protected:
    DailyPlanGridTest() : FrameTest(L"daily_plan_grid") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        Options::SetShowAsLayoutDays(1);
        Options::SetAllowSimultaneous(1);
        Clock::SetNowForTesting(kWednesday + Hours(7));
        OpenFrame(m_prompts);
        ASSERT_FALSE(DailyPlan().IsListShown());
        m_report = AddTask(L"Write the report", 4);
        m_bank = AddTask(L"Call the bank", 1);
        m_slides = AddTask(L"Review the slides", 1.5);
    }


    int AddTask(const wchar_t* name, double estimate) { return NewTask(name, estimate, kWednesday + 7); }
    int AddEntry(int taskId, double start, double end) { return NewPlanEntry(kWednesday, taskId, start, end); }
    // The entries are shown, then the grid is scrolled to the hour at its top.
    void ShowDay(int topHour)
    {
        Doc().Notify(nullptr, NotifyCode::kAll);
        // As a day picked in the pane's picker.
        DailyPlan().SetDate(kWednesday, false);
        DailyPlanGrid().OnDateChanged();
        DailyPlan().ReloadDay();
        ScrollPlannerToHour(topHour);
    }

    const PlacedItem& PlacedOf(int entryId)
    {
        const CDaySettings& s = PlannerSettings();
        for (const PlacedItem& placed : s.placed)
            if (s.items[static_cast<size_t>(placed.itemIndex)].data == entryId)
                return placed;
        ADD_FAILURE() << "entry " << entryId << " not placed";
        return s.placed.front();
    }
    // Pane client points from the placed rectangles' content points.
    POINT Middle(int entryId)
    {
        const RECT& r = PlacedOf(entryId).rect;
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2 - PlannerPane().GetScrollOffset()};
    }
    // Posted as the mouse sends them; done once the pane has taken them all.
    void PostMouse(const std::vector<std::pair<UINT, POINT>>& messages)
    {
        const HWND pane = PlannerPane();
        for (const auto& [message, point] : messages)
            ::PostMessageW(pane, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(point.x, point.y));
        WaitForMouseTaken(pane);
    }
    void Click(POINT point) { PostMouse({{WM_LBUTTONDOWN, point}, {WM_LBUTTONUP, point}}); }

    SilentPrompts m_prompts;
    int m_report = 0;
    int m_bank = 0;
    int m_slides = 0;
};

TEST_F(DailyPlanGridTest, TheGridOpensOnTheHourNowTodayAndOnTheWorkingDayOnAnotherDay)
{
    EXPECT_EQ(PlannerTopHour(), 7) << "today, as the program starts";
    Options::SetDayBegin(L"10:00");
    SendCommand(ID_DAY_SHOW_LIST);
    SendCommand(ID_DAY_NEXT);
    SendCommand(ID_DAY_SHOW_CALENDAR);
    EXPECT_EQ(PlannerTopHour(), 10) << "the next day";
    EXPECT_EQ(std::lround((PlannerSettings().selectedTime - kWednesday) * 24), 24 + 10);
}

TEST_F(DailyPlanGridTest, ThreeEntriesOverlappingAt0930StandSideBySideInThePane)
{
    const int first = AddEntry(m_report, Hours(9), Hours(10, 30));
    const int second = AddEntry(m_bank, Hours(9, 30), Hours(10));
    const int third = AddEntry(m_slides, Hours(9, 15), Hours(11));
    ShowDay(9);
    const RECT a = PlacedOf(first).rect;
    const RECT b = PlacedOf(third).rect;
    const RECT c = PlacedOf(second).rect;
    EXPECT_LT(a.right, b.left);
    EXPECT_LT(b.right, c.left);
    EXPECT_GT(a.right, a.left);
    EXPECT_GT(c.right, c.left);
    EXPECT_FALSE(SaveWindowScreenshot(DailyPlan().GetHwnd(), L"daily_plan_grid_overlapping").IsEmpty());
    // Each box is where the pane finds it: a click on its middle selects it.
    for (const int entry : {first, second, third}) {
        EXPECT_GE(Middle(entry).y, 0);
        EXPECT_LT(Middle(entry).y, PlannerPane().GetClientHeight());
        Click(Middle(entry));
        EXPECT_EQ(DailyPlanGrid().GetSelectedEntryId(), entry);
    }
}

// Seven entries at 09:00 fill the five lanes: a "+2" at the foot of their hours names the two not shown.
TEST_F(DailyPlanGridTest, EntriesBeyondTheFiveLanesShowAsACountNamingThemInItsTip)
{
    const int seven[] = {m_report, m_bank, m_slides, AddTask(L"Book the van", 1), AddTask(L"Pack the books", 1),
                         AddTask(L"Water the plants", 1), AddTask(L"Supercalifragilisticexpialidocious", 1)};
    std::vector<int> entries;
    for (const int task : seven)
        entries.push_back(AddEntry(task, Hours(9), Hours(10, 30)));
    ShowDay(8);
    const std::vector<HiddenMark>& marks = PlannerPane().GetHiddenMarks();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].group.itemIndices.size(), 2u);
    const EString tip = PlannerPane().HiddenMarkText(marks[0]);
    EXPECT_EQ(tip.find(L"2 entries here are not shown"), 0u) << tip.c_str();
    for (const int index : marks[0].group.itemIndices) {
        const EString& name = PlannerSettings().items[static_cast<size_t>(index)].subject;
        EXPECT_NE(tip.find(name), EString::npos) << name.c_str() << " in " << tip.c_str();
    }
    EXPECT_FALSE(SaveWindowScreenshot(DailyPlan().GetHwnd(), L"daily_plan_grid_entries_not_shown").IsEmpty());
    // The mark lies over the fifth box, which a click on it still selects.
    const RECT& mark = marks[0].rect;
    Click({(mark.left + mark.right) / 2, (mark.top + mark.bottom) / 2 - PlannerPane().GetScrollOffset()});
    const PlacedItem& fifth = PlannerSettings().placed[4];
    EXPECT_EQ(DailyPlanGrid().GetSelectedEntryId(),
              PlannerSettings().items[static_cast<size_t>(fifth.itemIndex)].data);
}

// Each paint of the grid lays out and draws every entry of the shown days.
TEST_F(DailyPlanGridTest, AReadingOfTheDayPaintsTheGridOnce)
{
    AddEntry(m_report, Hours(9), Hours(10));
    ShowDay(9);
    static int paints;
    static WNDPROC original;
    paints = 0;
    const HWND pane = PlannerPane();
    original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            paints += message == WM_PAINT ? 1 : 0;
            return ::CallWindowProcW(original, window, message, wParam, lParam);
        })));
    DailyPlan().ReloadDay();
    ::UpdateWindow(pane);
    ::SetWindowLongPtrW(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    EXPECT_EQ(paints, 1);
}

TEST_F(DailyPlanGridTest, DraggingTheBottomEdgeChangesTheEndInTheSavedFile)
{
    const int entry = AddEntry(m_report, Hours(9), Hours(10));
    const EString path = FileSystem::JoinPath(m_folder, L"grid-edge.qvr");
    Doc().SetPathName(path);
    const int hour = PlannerSettings().hourHeight;
    const struct {
        const char* name;
        int pixels;
        const wchar_t* end;
    } cases[] = {
        {"an hour down", hour, L"11:00"},
        {"an hour up", -hour, L"10:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShowDay(9);
        Click(Middle(entry));
        ASSERT_EQ(DailyPlanGrid().GetSelectedEntryId(), entry);
        const RECT r = PlacedOf(entry).rect;
        const POINT edge = {(r.left + r.right) / 2, r.bottom + 1 - PlannerPane().GetScrollOffset()};
        const POINT to = {edge.x, edge.y + c.pixels};
        PostMouse({{WM_LBUTTONDOWN, edge}, {WM_MOUSEMOVE, to}, {WM_LBUTTONUP, to}});
        ASSERT_TRUE(Doc().Save());
        CPelquornDoc saved;
        saved.SetPrompts(&m_prompts);
        ASSERT_TRUE(saved.OnOpenDocument(path));
        TaskPlanEntry written;
        ASSERT_TRUE(saved.GetPlanEntry(entry, written));
        EXPECT_EQ(written.GetStartTimeXmlText(), L"09:00");
        EXPECT_EQ(written.GetEndTimeXmlText(), c.end);
    }
    EXPECT_TRUE(m_prompts.errors.empty());
}

TEST_F(DailyPlanGridTest, ATaskDroppedOnTheGridBecomesAnEntryOfItsEstimateAtTheDropTime)
{
    // Clear of the bands at the grid's edges, which move the shown day while dragging.
    ShowDay(10);
    DailyPlanGrid().SetSnapMinutes(15);
    // The task list selects what it drags.
    Doc().SetSelectedTaskIds({m_slides});
    const CDaySettings& s = PlannerSettings();
    ASSERT_GE(s.hourCells.size(), 24u);
    const RECT& cell = s.hourCells[10].rect;
    const POINT drop = {cell.left + 10, s.headerHeight + cell.top + s.hourHeight / 2 - PlannerPane().GetScrollOffset()};
    ComPtr<CAtlDropSource> dragged(new CAtlDropSource);
    dragged->SetPayload(Clipboard::GetPrivateClipboardFormat(),
                        PelquornDragData(PelquornDragData::kTasks, {m_slides}).CreateBlock());
    DailyPlanGrid().OnDragOver(drop.x, drop.y);
    ASSERT_TRUE(DailyPlanGrid().OnDrop(dragged.Get(), drop.x, drop.y, DROPEFFECT_COPY));

    CPlanDialog& dialog = DailyPlan().GetPlanDialog();
    ASSERT_TRUE(WaitFor([&] { return dialog.IsWindowVisible() != FALSE; }));
    ClickButton(dialog, IDOK);
    std::vector<TaskPlanEntry> entries;
    ASSERT_TRUE(WaitFor([&] {
        Doc().GetDayPlanEntries(kWednesday, entries);
        return entries.size() == 1;
    }));
    EXPECT_EQ(entries[0].GetTaskId(), m_slides);
    EXPECT_EQ(entries[0].GetStartTimeXmlText(), L"10:30");
    EXPECT_EQ(entries[0].GetEndTimeXmlText(), L"12:00");
}

// An entry dragged out of the grid and dropped on the task list leaves the plan.
TEST_F(DailyPlanGridTest, AnEntryDraggedOntoTheTaskListLeavesThePlan)
{
    const int entry = AddEntry(m_report, Hours(9), Hours(10));
    const int kept = AddEntry(m_bank, Hours(11), Hours(12));
    ShowDay(9);
    // No button is down when the drag runs: it drops where the cursor rests.
    RECT list = {};
    ::GetWindowRect(m_frame->GetTaskView(), &list);
    ASSERT_TRUE(::SetCursorPos((list.left + list.right) / 2, (list.top + list.bottom) / 2));
    const POINT from = Middle(entry);
    PostMouse({{WM_LBUTTONDOWN, from}, {WM_MOUSEMOVE, {from.x + 20, from.y + 20}}});
    TaskPlanEntry gone;
    EXPECT_TRUE(WaitFor([&] { return !Doc().GetPlanEntry(entry, gone); })) << "the dragged entry is still planned";
    EXPECT_TRUE(Doc().GetPlanEntry(kept, gone));
    PostMouse({{WM_LBUTTONUP, from}});
}

} // namespace
