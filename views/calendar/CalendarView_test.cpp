// The deadlines calendar on its own: a frame that has made no task list yet.
#include <gtest/gtest.h>

#include <windows.h>

#include "foundation/Clock.h"
#include "testing/TestSupport.h"
#include "views/calendar/CalendarView.h"
#include "views/calendar/DayTestSupport.h"

namespace {

// A frame with nothing but the plan: no list to select in, no tree, no editor.
class PlanOnlyLinks : public IViewLinks {
public:
    void SelectTask(int) override {}
    void OpenTask(int) override {}
    bool SelectCategory(int) override { return false; }
};

std::vector<int> ShownIds(const CCalendarView& calendar)
{
    std::vector<int> ids;
    for (const TaskCard& task : calendar.GetTasks())
        ids.push_back(task.GetId());
    return ids;
}

TEST(CalendarViewTest, WithNoTaskListItShowsItsPlansDeadlinesInTheListsOrder)
{
    ClearProgramRegistry();
    Clock::SetNowForTesting(kDay);
    DayPlan plan;
    plan.document.SetStatusFilter(0);
    const int report = plan.AddTask(L"Report", 2);
    const int bank = plan.AddTask(L"Bank", 1);
    TestDayHost host;
    ASSERT_TRUE(host.Create(nullptr));
    PlanOnlyLinks links;
    CCalendarView calendar;
    calendar.SetDocument(&plan.document);
    calendar.SetLinks(&links);
    ASSERT_TRUE(calendar.Create(host.m_hWnd));
    plan.document.Attach(&calendar);

    plan.document.Notify(nullptr, NotifyCode::kDocumentLoaded);
    EXPECT_TRUE(WaitFor([&] { return ShownIds(calendar) == std::vector<int>{bank, report}; })) << "the plan opened";
    const int slides = plan.AddTask(L"Slides", 1);
    plan.document.Notify(nullptr, NotifyCode::kTasksChanged);
    EXPECT_TRUE(WaitFor([&] { return ShownIds(calendar) == std::vector<int>{bank, report, slides}; }))
        << "a change told";

    plan.document.Detach(&calendar);
    calendar.DestroyWindow();
    host.DestroyWindow();
    Clock::ResetForTesting();
    ClearProgramRegistry();
}

} // namespace
