// The time grid of the daily plan on a small plan: loading, mouse edits written to the document, commands.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>

#include "dialogs/TrayPopupWindow.h"
#include "document/Clipboard.h"
#include "document/PelquornDragData.h"
#include "foundation/Clock.h"
#include "foundation/ComPtr.h"
#include "foundation/Options.h"
#include "resources/AppCommandIds.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "views/calendar/CalendarViewDay.h"
#include "views/calendar/DayTestSupport.h"
#include "views/common/AtlDropSource.h"
#include "views/common/YellowTip.h"

namespace {

ComPtr<CAtlDropSource> DragOf(std::int32_t kind, std::vector<std::int32_t> ids)
{
    ComPtr<CAtlDropSource> source(new CAtlDropSource);
    source->SetPayload(Clipboard::GetPrivateClipboardFormat(), PelquornDragData(kind, std::move(ids)).CreateBlock());
    return source;
}

class CalendarViewDayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearProgramRegistry();
        Options::SetAllowSimultaneous(1);
        Clock::SetNowForTesting(kDay + At(7, 0));
        ASSERT_TRUE(host.Create(nullptr));
        host.route = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            if (message != WM_COMMAND || !grid.OnCommand(wParam, lParam))
                return false;
            result = 0;
            return true;
        };
        ASSERT_TRUE(grid.Create(&host, host.GetClientRect()));
        grid.SetDateSelector(&host);
        grid.SetDocument(&plan.document);
        grid.ShowContent(true);
        grid.SetDayCount(3);
        grid.OnDateChanged();
        report = plan.AddTask(L"Write the quarterly report", 2);
        bank = plan.AddTask(L"Call the bank", 1);
        slides = plan.AddTask(L"Review the slides", 1);
    }
    void TearDown() override
    {
        host.route = nullptr;
        TrayPopupWindow::Destroy();
        Clock::ResetForTesting();
        ClearProgramRegistry();
    }

    void Load()
    {
        grid.LoadEntries();
        grid.GetPlanner().GetPane().ScrollToHour(7);
        ::RedrawWindow(grid.GetPlanner().GetPane(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        host.Clear();
    }
    const PlacedItem& PlacedOf(int entryId)
    {
        const CDaySettings& s = grid.GetPlanner().GetSettings();
        for (const PlacedItem& placed : s.placed)
            if (s.items[static_cast<size_t>(placed.itemIndex)].data == entryId)
                return placed;
        ADD_FAILURE() << "entry " << entryId << " not placed";
        return s.placed.front();
    }
    // Pane points of a placed entry's box.
    int Scroll() { return grid.GetPlanner().GetPane().GetScrollOffset(); }
    POINT Middle(int entryId)
    {
        const RECT& r = PlacedOf(entryId).rect;
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2 - Scroll()};
    }
    void Mouse(UINT message, POINT point, WPARAM keys)
    {
        grid.GetPlanner().GetPane().SendMessage(message, keys, MAKELPARAM(point.x, point.y));
    }
    void Select(int entryId)
    {
        const POINT point = Middle(entryId);
        Mouse(WM_LBUTTONDOWN, point, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, point, 0);
    }
    void Drag(POINT from, POINT to)
    {
        Mouse(WM_LBUTTONDOWN, from, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, to, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, to, 0);
    }
    // A planner point (drag and drop points are the planner's) in a day's column at a time of day.
    POINT PlannerPoint(int day, int hour, int minute)
    {
        const CDaySettings& s = grid.GetPlanner().GetSettings();
        const RECT& cell = s.hourCells[static_cast<size_t>(day * 24 + hour)].rect;
        return {cell.left + 10, s.headerHeight + cell.top + (minute * s.hourHeight + 59) / 60 - Scroll()};
    }
    int DayWidth()
    {
        const std::vector<HourCell>& cells = grid.GetPlanner().GetSettings().hourCells;
        return cells[24].rect.left - cells[0].rect.left;
    }

    DayPlan plan;
    TestDayHost host;
    CCalendarViewDay grid;
    int report = 0;
    int bank = 0;
    int slides = 0;
};

} // namespace

TEST_F(CalendarViewDayTest, ThreeEntriesOverlappingAt0930StandSideBySide)
{
    host.MoveWindow({40, 40, 940, 640});
    grid.ResizeContent(host.GetClientRect());
    const int first = plan.AddEntry(kDay, report, L"09:00", L"10:30");
    const int second = plan.AddEntry(kDay, bank, L"09:30", L"10:00");
    const int third = plan.AddEntry(kDay, slides, L"09:15", L"11:00");
    const int lunch = plan.AddEntry(kDay, bank, L"13:00", L"14:00");
    const int tomorrow = plan.AddEntry(kDay + 1, slides, L"09:30", L"10:00");
    Load();
    // In the document's order, by start: 09:00, 09:15, 09:30.
    EXPECT_EQ(PlacedOf(first).lane, 0);
    EXPECT_EQ(PlacedOf(third).lane, 1);
    EXPECT_EQ(PlacedOf(second).lane, 2);
    EXPECT_LT(PlacedOf(first).rect.right, PlacedOf(third).rect.left);
    EXPECT_LT(PlacedOf(third).rect.right, PlacedOf(second).rect.left);
    EXPECT_EQ(PlacedOf(lunch).rect.right, PlacedOf(second).rect.right);
    EXPECT_GT(PlacedOf(tomorrow).rect.left, PlacedOf(second).rect.right);
    SaveWindowScreenshot(host, L"time-grid-overlapping");
}

TEST_F(CalendarViewDayTest, DraggingTopAndBottomEdgesRewritesTheEntrysTimes)
{
    const int entry = plan.AddEntry(kDay, report, L"09:00", L"10:00");
    const int hour = grid.GetPlanner().GetSettings().hourHeight;
    const struct {
        const char* name;
        int edge;
        int pixels;
        const wchar_t* times;
    } cases[] = {
        {"bottom down three hours", kEdgeBottom, 3 * hour, L"09:00-13:00"},
        {"top up an hour", kEdgeTop, -hour, L"08:00-13:00"},
        {"top below the end meets the end", kEdgeTop, 10 * hour, L"13:00-13:00"},
        {"top far above midnight stops at 00:00", kEdgeTop, -20 * hour, L"00:00-13:00"},
    };
    for (const auto& c : cases) {
        Load();
        Select(entry);
        const RECT r = PlacedOf(entry).rect;
        const int x = (r.left + r.right) / 2;
        const int y = (c.edge == kEdgeTop ? r.top : r.bottom + 1) - Scroll();
        Drag({x, y}, {x, y + c.pixels});
        EXPECT_EQ(plan.DayTimes(kDay), std::vector<EString>{c.times}) << c.name;
    }
}

TEST_F(CalendarViewDayTest, DraggingASideEdgeCopiesTheEntryToTheDaysBetween)
{
    const int entry = plan.AddEntry(kDay + 1, report, L"09:00", L"10:00");
    host.date = kDay + 1;
    grid.GetPlanner().GetSettings().firstDay = kDay;
    const struct {
        int edge;
        int columns;
        std::vector<int> counts; // entries on the three shown days afterwards
    } cases[] = {{kEdgeRight, 1, {0, 1, 1}}, {kEdgeLeft, -1, {1, 1, 1}}, {kEdgeRight, 0, {1, 1, 1}}};
    for (const auto& c : cases) {
        Load();
        SCOPED_TRACE(c.columns);
        grid.SelectEntryById(entry);
        ::RedrawWindow(grid.GetPlanner().GetPane(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const RECT r = PlacedOf(entry).rect;
        const int y = (r.top + r.bottom) / 2 - Scroll();
        const int x = c.edge == kEdgeLeft ? r.left : r.right;
        Drag({x, y}, {x + c.columns * DayWidth(), y});
        for (int d = 0; d < 3; ++d)
            EXPECT_EQ(plan.DayTimes(kDay + d).size(), static_cast<size_t>(c.counts[static_cast<size_t>(d)])) << d;
    }
    EXPECT_EQ(plan.DayTimes(kDay + 2), std::vector<EString>{L"09:00-10:00"});
}

TEST_F(CalendarViewDayTest, ADoubleClickAsksForANewEntryOnEmptyGridAndEditsAnEntry)
{
    const int entry = plan.AddEntry(kDay, report, L"09:00", L"10:00");
    Load();
    Mouse(WM_LBUTTONDOWN, {Middle(entry).x, Middle(entry).y + 5 * grid.GetPlanner().GetSettings().hourHeight},
          MK_LBUTTON);
    Mouse(WM_LBUTTONDBLCLK, {Middle(entry).x, Middle(entry).y + 5 * grid.GetPlanner().GetSettings().hourHeight},
          MK_LBUTTON);
    Select(entry);
    Mouse(WM_LBUTTONDBLCLK, Middle(entry), MK_LBUTTON);
    EXPECT_EQ(host.PostedCommands(), (std::vector<WORD>{ID_TASK_ADD, ID_TASK_EDIT}));
}

TEST_F(CalendarViewDayTest, TheMarkBoxTogglesCompletion)
{
    const int entry = plan.AddEntry(kDay, report, L"09:00", L"10:00", true);
    for (bool expected : {false, true}) {
        Load();
        const RECT r = PlacedOf(entry).rect;
        const POINT box = {r.right - 7, r.top + 6 - Scroll()};
        Mouse(WM_LBUTTONDOWN, box, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, box, 0);
        EXPECT_EQ(plan.Entry(entry).IsCompleted(), expected);
    }
}

TEST_F(CalendarViewDayTest, MovingAnEntrySixPixelsDragsItAndThreeDoNot)
{
    const int entry = plan.AddEntry(kDay, report, L"09:00", L"10:00");
    Load();
    const POINT press = Middle(entry);
    Mouse(WM_LBUTTONDOWN, press, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, {press.x, press.y + 3}, MK_LBUTTON);
    EXPECT_TRUE(host.draggedIds.empty());
    Mouse(WM_MOUSEMOVE, {press.x, press.y + 6}, MK_LBUTTON);
    ASSERT_TRUE(WaitFor([&] { return !host.draggedIds.empty(); }));
    EXPECT_EQ(host.draggedIds.front(), (std::vector<int>{2, entry}));
    Mouse(WM_LBUTTONUP, {press.x, press.y + 6}, 0);
}

TEST_F(CalendarViewDayTest, ClickingAnotherDaysColumnSelectsThatDayInThePane)
{
    Load();
    const POINT point = {grid.GetPlanner().GetSettings().hourCells[48].rect.left + 5, 20};
    Mouse(WM_LBUTTONDOWN, point, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, point, 0);
    EXPECT_EQ(host.date, kDay + 2);
    EXPECT_EQ(std::floor(grid.GetShownDate()), kDay + 2);
}

TEST_F(CalendarViewDayTest, ZoomCommandsChangeTheRowsAndStoreThem)
{
    const struct {
        WORD command;
        int rowMinutes;
        DWORD stored;
    } cases[] = {{ID_DAY_ZOOM_IN, 20, 1}, {ID_DAY_ZOOM_IN, 15, 2}, {ID_DAY_ZOOM_OUT, 20, 1}};
    for (const auto& c : cases) {
        EXPECT_TRUE(grid.OnCommand(MAKEWPARAM(c.command, 0), 0));
        EXPECT_EQ(grid.GetPlanner().GetSettings().rowMinutes, c.rowMinutes);
        EXPECT_EQ(Options::GetDayLayoutInterval(), c.stored);
    }
    EXPECT_FALSE(grid.OnCommand(MAKEWPARAM(ID_TASK_ADD, 0), 0));
}

TEST_F(CalendarViewDayTest, WorkHoursFollowTheDaySettingsUnlessTheyMakeNoDay)
{
    const struct {
        const wchar_t* begin;
        double hours;
        int first, last;
    } cases[] = {{L"09:00", 8, 9, 16}, {L"07:30", 6.5, 7, 12}, {L"09:00", 1.5, 7, 12}, {L"20:00", 8, 7, 12}};
    for (const auto& c : cases) {
        Options::SetDayBegin(c.begin);
        Options::SetRegularHours(c.hours);
        grid.ApplyDaySettings();
        EXPECT_EQ(grid.GetPlanner().GetSettings().firstWorkHour, c.first) << c.begin << " " << c.hours;
        EXPECT_EQ(grid.GetPlanner().GetSettings().lastWorkHour, c.last) << c.begin << " " << c.hours;
    }
}

TEST_F(CalendarViewDayTest, AHolidayOfTheDocumentGreysTheShownDay)
{
    EXPECT_FALSE(grid.IsShownDateHoliday());
    plan.document.ToggleHoliday(kDay);
    grid.ReloadHolidays();
    EXPECT_TRUE(grid.IsShownDateHoliday());
}

TEST_F(CalendarViewDayTest, ADragOverTheGridMarksTheSnappedTimeAndItsDay)
{
    Load();
    grid.SetSnapMinutes(15);
    const POINT point = PlannerPoint(1, 10, 8);
    grid.OnDragOver(point.x, point.y);
    EXPECT_NEAR(grid.GetDropTime(), At(10, 15), 1e-6);
    EXPECT_EQ(std::floor(grid.GetShownDate()), kDay + 1);
    EXPECT_EQ(host.date, kDay + 1);
    grid.OnDragLeave();
    EXPECT_FALSE(grid.GetPlanner().GetDropMarker().IsWindowVisible());
}

TEST_F(CalendarViewDayTest, PlanEntriesDroppedOnTheGridStartAtTheDropTime)
{
    const int first = plan.AddEntry(kDay, report, L"09:00", L"10:00");
    const int second = plan.AddEntry(kDay, bank, L"10:00", L"10:30");
    Load();
    grid.SetSnapMinutes(30);
    const POINT point = PlannerPoint(0, 14, 0);
    grid.OnDragOver(point.x, point.y);
    EXPECT_TRUE(grid.OnDrop(DragOf(PelquornDragData::kPlanEntries, {first, second}).Get(), point.x, point.y,
                            DROPEFFECT_MOVE));
    EXPECT_EQ(plan.DayTimes(kDay), (std::vector<EString>{L"14:00-15:00", L"15:00-15:30"}));
}

TEST_F(CalendarViewDayTest, OneDroppedTaskAsksThePaneForANewEntry)
{
    Load();
    const POINT point = PlannerPoint(0, 11, 0);
    grid.OnDragOver(point.x, point.y);
    EXPECT_TRUE(grid.OnDrop(DragOf(PelquornDragData::kTasks, {report}).Get(), point.x, point.y, DROPEFFECT_COPY));
    EXPECT_EQ(host.PostedCommands(), std::vector<WORD>{ID_TASK_ADD});
    EXPECT_NEAR(grid.GetDropTime(), At(11, 0), 1e-6);
}

TEST_F(CalendarViewDayTest, TheDropMarkerIsGoneBeforeTheDialogForDroppedTasksShows)
{
    Load();
    const POINT point = PlannerPoint(0, 11, 0);
    grid.OnDragOver(point.x, point.y);
    const CYellowTip& marker = grid.GetPlanner().GetDropMarker();
    // The pointer rested over the grid: the marker shows the drop time.
    ::SendMessageW(marker.m_hWnd, WM_TIMER, CYellowTip::kShowTimer, 0);
    ASSERT_TRUE(marker.IsWindowVisible());
    SaveWindowScreenshot(marker.m_hWnd, L"day_grid_drop_marker");

    bool markerUnderTheDialog = true;
    RunModalSteps([&] { return grid.OnDrop(DragOf(PelquornDragData::kTasks, {report, bank}).Get(), point.x, point.y,
                                           DROPEFFECT_COPY) ? IDOK : IDCANCEL; },
                  {[&](HWND dialog) {
                      markerUnderTheDialog = marker.IsWindowVisible();
                      SaveWindowScreenshot(dialog, L"day_grid_schedule_dropped_tasks");
                      ClickButton(dialog, IDCANCEL);
                      return true;
                  }});
    EXPECT_FALSE(markerUnderTheDialog);
    EXPECT_FALSE(marker.IsWindowVisible());
    EXPECT_NEAR(grid.GetDropTime(), At(11, 0), 1e-6) << "the drop time outlives its marker";
}

TEST_F(CalendarViewDayTest, TheHeaderTimeColumnAndScrollBarWidenTheDragBands)
{
    const CDaySettings& s = grid.GetPlanner().GetSettings();
    EXPECT_EQ(grid.GetTopBandHeight(), 14 + s.headerHeight);
    EXPECT_EQ(grid.GetBottomBandHeight(), 14);
    EXPECT_EQ(grid.GetLeftBandWidth(), 14 + s.timeColumnWidth);
    EXPECT_EQ(grid.GetRightBandWidth(), 14 + ::GetSystemMetrics(SM_CXVSCROLL));
    // Resting over the time column steps a day back.
    grid.OnDragOver(s.timeColumnWidth / 2, 200);
    EXPECT_EQ(grid.GetZone(), NavigationHelper::kLeft);
    grid.OnDragLeave();
}
