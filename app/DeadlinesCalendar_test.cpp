// The deadlines calendar in the real main window, on a small plan: dragging boxes to new deadlines, holidays and the pane's look.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>

#include "app/FrameTestSupport.h"
#include "app/MainFrame.h"
#include "document/SilentPrompts.h"
#include "foundation/Clock.h"
#include "foundation/Color.h"
#include "foundation/FileSystem.h"
#include "foundation/Locale.h"
#include "foundation/Options.h"
#include "testing/MenuDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "winlib/DeviceContext.h"

namespace {

LPARAM At(POINT point)
{
    return MAKELPARAM(point.x, point.y);
}

class DeadlinesCalendarTest : public FrameTest {
protected:
    DeadlinesCalendarTest() : FrameTest(L"deadlines_calendar") {}

    void SetUp() override
    {
        FrameTest::SetUp();
        Options::SetIsAutoSatSun(0);
        OpenFrame(m_prompts);
        ASSERT_TRUE(Calendar().IsWindow());
    }


    // A task due in `days`, listed and shown on the calendar.
    int AddTask(const wchar_t* name, int days, int status = TaskCard::kNew)
    {
        TaskCard task(name, L"", 1, Clock::Today() + days, 1, status, 0, 0, -1);
        EXPECT_TRUE(Doc().AddTask(task));
        return task.GetId();
    }
    // Tells the views, as an edit in another view does, and waits for the calendar to hold `count` boxes.
    void ShowTasks(size_t count)
    {
        Doc().Notify(nullptr, NotifyCode::kAll);
        ASSERT_TRUE(WaitFor([&] { return Calendar().GetTasks().size() == count; }));
    }
    int KeyOf(int taskId)
    {
        const std::vector<TaskCard>& tasks = Calendar().GetTasks();
        for (size_t row = 0; row < tasks.size(); ++row)
            if (tasks[row].GetId() == taskId)
                return static_cast<int>(row) + 1;
        return 0;
    }
    // The middle of the first box of a lane and day, in the calendar's client coordinates.
    POINT FirstBoxOf(int lane, double day)
    {
        Ceil cell;
        cell.SetRect(Calendar().GetImage().GetLaneRect(lane, day));
        const RECT box = cell.GetBoxRect(0);
        const POINT offset = Calendar().GetScrollOffset();
        return {(box.left + box.right) / 2 - offset.x, (box.top + box.bottom) / 2 - offset.y};
    }
    double DeadlineOf(CPelquornDoc& document, int taskId)
    {
        TaskCard task;
        EXPECT_TRUE(document.GetTask(taskId, task, false));
        return task.GetDeadline();
    }
    // The deadline the saved file holds.
    double SavedDeadline(int taskId)
    {
        const EString path = FileSystem::JoinPath(m_folder, L"calendar.qvr");
        Doc().SetPathName(path);
        EXPECT_TRUE(Doc().Save());
        CPelquornDoc saved;
        saved.SetPrompts(&m_prompts);
        EXPECT_TRUE(saved.OnOpenDocument(path));
        return DeadlineOf(saved, taskId);
    }
    // Press, moves through the points, release at the last: as the mouse sends them.
    void Drag(POINT from, const std::vector<POINT>& moves)
    {
        const HWND view = Calendar().m_hWnd;
        ::PostMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, At(from));
        for (const POINT& move : moves)
            ::PostMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, At(move));
        ::PostMessageW(view, WM_LBUTTONUP, 0, At(moves.empty() ? from : moves.back()));
        WaitForMouseTaken(view);
    }
    // Slides the pinned pane out, as resting on its label does.
    void ShowCalendarPane()
    {
        CTabbedAutoHideDockingWindow* pane = m_frame->GetPane(CMainFrame::CalendarPane);
        ASSERT_NE(pane, nullptr);
        m_frame->AutoHideManager().Show(pane->m_hWnd, dockwins::CDockingSide::Top, false);
        ASSERT_TRUE(WaitFor([&] { return Calendar().IsWindowVisible(); }));
        ::UpdateWindow(Calendar().m_hWnd);
    }

    SilentPrompts m_prompts;
};

TEST_F(DeadlinesCalendarTest, DragsOfBoxesMoveOnlyPlanDeadlinesByTheDaysCrossed)
{
    Doc().SetStatusFilter(0);
    const int report = AddTask(L"Report", 3);
    const int invoice = AddTask(L"Invoice", 8);
    TaskPlanEntry worked(invoice, 9.0 / 24, 10.0 / 24, L"", L"Invoice", 0, 0);
    ASSERT_TRUE(Doc().AddPlanEntry(Clock::Today() + 1, worked));
    // Done after the work was planned: planning makes a task one in progress.
    TaskCard done;
    ASSERT_TRUE(Doc().GetTask(invoice, done));
    done.SetStatus(TaskCard::kCompleted);
    Doc().UpdateTask(done);
    ShowTasks(2);
    const int reportKey = KeyOf(report);
    ASSERT_NE(reportKey, 0);
    ASSERT_EQ(Calendar().GetImage().GetItems(PlanItemsMan::kRealityLane).count(KeyOf(invoice)), 1u);

    const double today = Clock::Today();
    const int day = CalendarImage::kDayWidth;
    struct Case {
        const char* what;
        int task;
        int lane;
        double boxDay;
        POINT by;
        double shift;
    };
    const Case cases[] = {
        {"a click without movement", report, PlanItemsMan::kPlanLane, today + 3, {0, 0}, 0},
        {"a PLAN box dragged two days right", report, PlanItemsMan::kPlanLane, today + 3, {2 * day, 0}, 2},
        {"a PLAN box let go over REALITY", report, PlanItemsMan::kPlanLane, today + 5, {-day, 60}, -1},
        {"a REALITY box dragged two days right", invoice, PlanItemsMan::kRealityLane, today + 1, {2 * day, 0}, 0},
        {"a PLAN box moved and brought back", invoice, PlanItemsMan::kPlanLane, today + 8, {0, 0}, 0},
    };
    for (const Case& c : cases) {
        const double before = DeadlineOf(Doc(), c.task);
        const POINT from = FirstBoxOf(c.lane, c.boxDay);
        std::vector<POINT> moves = {{from.x + c.by.x / 2, from.y + c.by.y / 2}, {from.x + c.by.x, from.y + c.by.y}};
        if (c.by.x == 0 && c.by.y == 0)
            moves = c.task == report ? std::vector<POINT>{} : std::vector<POINT>{{from.x + day, from.y}, from};
        Doc().SetModified(0);
        Drag(from, moves);
        EXPECT_EQ(Calendar().GetDraggedKey(), 0) << c.what << ": the release ends the drag";
        EXPECT_EQ(::GetCapture(), nullptr) << c.what;
        EXPECT_EQ(DeadlineOf(Doc(), c.task), before + c.shift) << c.what;
        EXPECT_EQ(Doc().IsModified() != 0, c.shift != 0) << c.what << ": only a move writes";
        EXPECT_EQ(SavedDeadline(c.task), before + c.shift) << c.what << ": in the saved file";
    }
    EXPECT_TRUE(m_prompts.errors.empty());
}

TEST_F(DeadlinesCalendarTest, ADragWritesTheTaskAsTheDocumentHoldsItNotAsItWasShown)
{
    Doc().SetStatusFilter(0);
    const int report = AddTask(L"Report", 2);
    ShowTasks(1);
    // Renamed behind the calendar's back: it still shows the copy of its last reload.
    TaskCard renamed;
    ASSERT_TRUE(Doc().GetTask(report, renamed));
    renamed.SetName(L"Quarterly report");
    Doc().UpdateTask(renamed);
    ASSERT_EQ(Calendar().GetTasks()[0].GetName(), L"Report");

    const POINT from = FirstBoxOf(PlanItemsMan::kPlanLane, Clock::Today() + 2);
    Drag(from, {{from.x + CalendarImage::kDayWidth, from.y}});
    TaskCard written;
    ASSERT_TRUE(Doc().GetTask(report, written));
    EXPECT_EQ(written.GetDeadline(), Clock::Today() + 3);
    EXPECT_EQ(written.GetName(), L"Quarterly report") << "the old copy was written back";
}

TEST_F(DeadlinesCalendarTest, TheBoxesFollowEachToldChangeButAnOrderToldAgainReadsNothing)
{
    Doc().SetStatusFilter(0);
    const int report = AddTask(L"Report", 3);
    const int invoice = AddTask(L"Invoice", 8);
    const double today = Clock::Today();
    // Planning makes a task one in progress: it is completed after each entry.
    const auto planDone = [&](double day) {
        TaskPlanEntry worked(invoice, 9.0 / 24, 10.0 / 24, L"", L"Invoice", 0, 0);
        ASSERT_TRUE(Doc().AddPlanEntry(day, worked));
        TaskCard done;
        ASSERT_TRUE(Doc().GetTask(invoice, done));
        done.SetStatus(TaskCard::kCompleted);
        Doc().UpdateTask(done);
    };
    const auto edit = [&](const std::function<void(TaskCard&)>& change) {
        TaskCard task;
        ASSERT_TRUE(Doc().GetTask(report, task));
        change(task);
        Doc().UpdateTask(task);
    };
    const auto dayIn = [&](int lane, int task) {
        const PlanItemsMan::Items& items = Calendar().GetImage().GetItems(lane);
        const auto item = items.find(KeyOf(task));
        return item == items.end() ? 0.0 : item->second.day;
    };
    planDone(today + 1);
    ShowTasks(2);
    CPelquornView& list = m_frame->GetTaskList();

    // Told as other views tell their edits: the task list refills once the
    // notices are over and tells its order, which the calendar follows.
    edit([&](TaskCard& task) { task.SetDeadline(today + 6); });
    Doc().Notify(nullptr, NotifyCode::kTasksChanged);
    EXPECT_TRUE(WaitFor([&] { return dayIn(PlanItemsMan::kPlanLane, report) == today + 6; })) << "a new deadline";
    // A told change widens the days shown; the order turned round keeps them.
    edit([&](TaskCard& task) { task.SetDeadline(today + 200); });
    Doc().Notify(nullptr, NotifyCode::kTasksChanged);
    EXPECT_TRUE(WaitFor([&] { return Calendar().GetImage().GetLastDate() >= today + 200; })) << "a far deadline";
    list.SortByColumn(list.GetSortField());
    list.SortByColumn(list.GetSortField());
    EXPECT_GE(Calendar().GetImage().GetLastDate(), today + 200) << "a new order of the same tasks";
    edit([&](TaskCard& task) { task.SetDeadline(today + 6); });
    Doc().Notify(nullptr, NotifyCode::kTasksChanged);
    EXPECT_TRUE(WaitFor([&] { return Calendar().GetImage().GetLastDate() < today + 200; })) << "the deadline back";
    planDone(today + 4);
    Doc().Notify(nullptr, NotifyCode::kAll);
    EXPECT_TRUE(WaitFor([&] { return dayIn(PlanItemsMan::kRealityLane, invoice) == today + 4; }))
        << "a completed task's new last plan day";

    // Renamed with no word to the views: only a reading shows the new name.
    // The category tree's notices after the refill are caught up with first.
    Doc().Notify(nullptr, NotifyCode::kTasksSorted);
    edit([](TaskCard& task) { task.SetName(L"Quarterly report"); });
    Doc().Notify(nullptr, NotifyCode::kTasksSorted);
    EXPECT_EQ(Calendar().GetTasks()[KeyOf(report) - 1].GetName(), L"Report") << "the same order told again";
    list.SortByColumn(list.GetSortField());
    EXPECT_EQ(Calendar().GetTasks()[KeyOf(report) - 1].GetName(), L"Quarterly report") << "the order turned round";
    // A told rename reaches the calendar through the rows the list reads for it.
    edit([](TaskCard& task) { task.SetName(L"Annual report"); });
    Doc().Notify(nullptr, NotifyCode::kTasksChanged);
    EXPECT_TRUE(WaitFor([&] { return Calendar().GetTasks()[KeyOf(report) - 1].GetName() == L"Annual report"; }))
        << "a told rename";
}

TEST_F(DeadlinesCalendarTest, APressStartsAfreshAndALostCaptureEndsTheDragWithoutAMove)
{
    Doc().SetStatusFilter(0);
    const int report = AddTask(L"Report", 2);
    ShowTasks(1);
    const double before = DeadlineOf(Doc(), report);
    const POINT from = FirstBoxOf(PlanItemsMan::kPlanLane, Clock::Today() + 2);
    const HWND view = Calendar().m_hWnd;
    ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, At(from));
    EXPECT_EQ(Calendar().GetDraggedKey(), KeyOf(report));
    EXPECT_EQ(::GetCapture(), view) << "the drag holds the mouse";
    ::SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, At({from.x + 120, from.y}));
    ::ReleaseCapture();
    EXPECT_EQ(Calendar().GetDraggedKey(), 0);
    ::SendMessageW(view, WM_LBUTTONUP, 0, At({from.x + 120, from.y}));
    EXPECT_EQ(DeadlineOf(Doc(), report), before);

    // A press on an empty day forgets any drag and selects nothing.
    ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, At(from));
    ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, At({from.x + 240, from.y}));
    EXPECT_EQ(Calendar().GetDraggedKey(), 0);
    EXPECT_EQ(Calendar().GetImage().GetSelectedKey(), 0);
    ::SendMessageW(view, WM_LBUTTONUP, 0, At({from.x + 240, from.y}));
    EXPECT_EQ(DeadlineOf(Doc(), report), before);
}

TEST_F(DeadlinesCalendarTest, SelectionFollowsBetweenTheCalendarAndTheTaskList)
{
    Doc().SetStatusFilter(0);
    for (int i = 0; i < 5; ++i)
        AddTask(EString::Formatted(L"Task %d", i).c_str(), 10 * i);
    ShowTasks(5);
    ShowCalendarPane();
    CPelquornView& list = m_frame->GetTaskList();
    ASSERT_EQ(list.GetRowCount(), 5);

    list.SelectRow(4);
    const int key = KeyOf(list.GetRowTask(4)->GetId());
    EXPECT_EQ(Calendar().GetImage().GetSelectedKey(), key);
    const POINT box = *Calendar().GetImage().GetItemPoint(key);
    const POINT offset = Calendar().GetScrollOffset();
    const RECT client = Calendar().GetClientRect();
    EXPECT_TRUE(box.x >= offset.x && box.x < offset.x + client.right) << "the box is scrolled into view";

    const TaskCard* second = list.GetRowTask(1);
    const POINT from = FirstBoxOf(PlanItemsMan::kPlanLane, second->GetDeadline());
    ::SendMessageW(Calendar().m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(from));
    ::SendMessageW(Calendar().m_hWnd, WM_LBUTTONUP, 0, At(from));
    std::vector<int> selected;
    Doc().GetSelectedTaskIds(selected);
    EXPECT_EQ(selected, std::vector<int>{second->GetId()}) << "a click on a box selects its task alone";
}

TEST_F(DeadlinesCalendarTest, EachFrameOfTheProcessLinksItsOwnViews)
{
    // The fixture's frame steps aside while a second one is made and filled.
    std::unique_ptr<CMainFrame> other = std::move(m_frame);
    OpenFrame(m_prompts);
    Doc().SetStatusFilter(0);
    for (int i = 0; i < 3; ++i)
        AddTask(EString::Formatted(L"Other %d", i).c_str(), i + 1);
    ShowTasks(3);
    std::swap(other, m_frame);

    Doc().SetStatusFilter(0);
    AddTask(L"Report", 3);
    const int invoice = AddTask(L"Invoice", 5);
    ShowTasks(2);
    const POINT box = FirstBoxOf(PlanItemsMan::kPlanLane, Clock::Today() + 5);
    ::SendMessageW(Calendar().m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(box));
    ::SendMessageW(Calendar().m_hWnd, WM_LBUTTONUP, 0, At(box));
    std::vector<int> selected;
    Doc().GetSelectedTaskIds(selected);
    EXPECT_EQ(selected, std::vector<int>{invoice}) << "selected in this frame's task list";
    EXPECT_EQ(ListView_GetSelectedCount(other->GetTaskList().m_hWnd), 0u) << "the other frame's list";

    std::swap(other, m_frame);
    CloseFrame();
    m_frame = std::move(other);
}

TEST_F(DeadlinesCalendarTest, AHolidayChosenFromTheContextMenuGreysItsDay)
{
    Doc().SetStatusFilter(0);
    AddTask(L"Report", 3);
    ShowTasks(1);
    ShowCalendarPane();
    const double holiday = Clock::Today() + 2;
    const POINT inLane = FirstBoxOf(PlanItemsMan::kPlanLane, holiday);
    POINT screen = inLane;
    ::ClientToScreen(Calendar().m_hWnd, &screen);
    EXPECT_TRUE(RunMenuSteps({[] { return !OpenMenuWindows().empty(); },
                              [&] {
                                  ::PostMessageW(OpenMenuWindows().front(), WM_KEYDOWN, VK_ESCAPE, 0);
                                  return true;
                              },
                              [] { return OpenMenuWindows().empty(); }},
                             [&] { Calendar().SendMessage(WM_CONTEXTMENU, 0, At(screen)); }));
    EXPECT_EQ(Calendar().GetContextDate(), holiday);
    EXPECT_EQ(Doc().GetDocumentWindow(), Calendar().m_hWnd) << "the menu makes the calendar the active view";

    m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_DAY_HOLIDAY, 0), 0);
    std::vector<double> holidays;
    Doc().GetHolidays(holidays);
    EXPECT_EQ(holidays, std::vector<double>{holiday});
    ShowCalendarPane();
    {
        const CClientDC dc(Calendar().m_hWnd);
        EXPECT_EQ(::GetPixel(dc, inLane.x, inLane.y), Color::HolidayBackground());
        EXPECT_EQ(::GetPixel(dc, inLane.x + 2 * CalendarImage::kDayWidth, inLane.y), Color::White()) << "a work day";
    }
    EXPECT_FALSE(SaveWindowScreenshot(Calendar().GetParent(), L"deadlines_calendar_holiday").IsEmpty());
}

TEST_F(DeadlinesCalendarTest, TheStatusFilterCommandReloadsTheCalendarAtOnce)
{
    Doc().SetStatusFilter(1); // the list hides completed tasks
    AddTask(L"Report", 3);
    const int archive = AddTask(L"Archive", 4);
    TaskCard done;
    ASSERT_TRUE(Doc().GetTask(archive, done));
    done.SetStatus(TaskCard::kCompleted);
    Doc().UpdateTask(done);
    ShowTasks(1);
    ASSERT_NE(Options::GetStatusFilterOnCalendar(), 0u);

    Calendar().SendMessage(WM_COMMAND, MAKEWPARAM(ID_CALENDAR_STATUS_FILTER, 0), 0);
    EXPECT_EQ(Options::GetStatusFilterOnCalendar(), 0u);
    ASSERT_EQ(Calendar().GetTasks().size(), 2u) << "the completed task shows without the list's status filter";
    EXPECT_EQ(Calendar().GetImage().GetItems(PlanItemsMan::kPlanLane).count(KeyOf(archive)), 1u);
    EXPECT_TRUE(Calendar().GetImage().GetItems(PlanItemsMan::kRealityLane).empty())
        << "a completed task without plan entries stands only in PLAN";

    Calendar().SendMessage(WM_COMMAND, MAKEWPARAM(ID_CALENDAR_STATUS_FILTER, 0), 0);
    EXPECT_NE(Options::GetStatusFilterOnCalendar(), 0u);
    EXPECT_EQ(Calendar().GetTasks().size(), 1u);
}

TEST_F(DeadlinesCalendarTest, TheHoverTipNamesTheTaskUnderThePointerOrTheDayOfTheStrip)
{
    Doc().SetStatusFilter(0);
    AddTask(L"Report", 3);
    ShowTasks(1);
    const double due = Clock::Today() + 3;
    const POINT box = FirstBoxOf(PlanItemsMan::kPlanLane, due);
    const int stripY = (CalendarImage::kDayStripTop + CalendarImage::kDayStripBottom) / 2;
    struct Case {
        const char* what;
        POINT point;
        EString text;
    };
    const Case cases[] = {
        {"a box", box, L"Report"},
        {"the day strip", {box.x, stripY - Calendar().GetScrollOffset().y}, FormatOleDate(due, true)},
        {"an empty lane", {box.x + CalendarImage::kDayWidth, box.y}, L""},
        {"the REALITY lane under the box", {box.x, box.y + CalendarImage::kLaneHeight}, L""},
    };
    for (const Case& c : cases) {
        Calendar().SendMessage(WM_MOUSEMOVE, 0, At(c.point));
        Calendar().SendMessage(WM_YELLOWTIP_NEEDTEXT, 0, 0);
        EXPECT_EQ(Calendar().GetTipText(), c.text) << c.what;
    }
}

TEST_F(DeadlinesCalendarTest, ThePaneShowsTheWeeksWithTheirBoxes)
{
    Doc().SetStatusFilter(0);
    for (int i = 0; i < 12; ++i)
        AddTask(EString::Formatted(L"Task %d", i).c_str(), i < 10 ? 1 : 4 + i, i == 11 ? TaskCard::kCompleted : 0);
    ShowTasks(12);
    EXPECT_EQ(m_frame->GetTaskList().GetRowCount(), 12);
    ShowCalendarPane();
    EXPECT_FALSE(SaveWindowScreenshot(*m_frame, L"deadlines_calendar_in_frame").IsEmpty());
}

} // namespace
