// The deadlines calendar on its own: a frame that has made no task list yet, over a stand-in of the calendar's face.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "document/IDeadlinesCalendarDocument.h"
#include "foundation/Clock.h"
#include "testing/TestSupport.h"
#include "views/calendar/CalendarView.h"
#include "views/calendar/DayTestSupport.h"
#include "views/common/FakeViewDocument.h"

namespace {

// A frame with nothing but the plan: no list to select in, no tree, no editor.
class PlanOnlyLinks : public IViewLinks {
public:
    void SelectTask(int) override {}
    void OpenTask(int) override {}
    bool SelectCategory(int) override { return false; }
};

// The tasks of a plan that no task list has read yet, all let through and
// sorted by name; no task planned, selected or on a holiday, no current
// category.
class FakeCalendarDocument : public FakeViewDocument, public IDeadlinesCalendarDocument {
public:
    TaskSort GetTaskSort() const override { return {}; }
    std::shared_ptr<const std::vector<TaskCard>> GetListedTasks() const override { return nullptr; }
    void SelectTasks(std::vector<TaskCard>& tasks, bool, bool) override
    {
        tasks.insert(tasks.end(), m_tasks.begin(), m_tasks.end());
    }
    void GetTaskDateRange(double& first, double& last, bool, bool, const std::vector<TaskCard>*) override
    {
        first = Clock::Today();
        last = first + 42;
    }
    std::vector<double> GetLastPlanDatesOfTasks(const std::vector<int>& taskIds) override
    {
        return std::vector<double>(taskIds.size(), 0.0);
    }
    bool GetCurrentCategory(Category&) override { return false; }
    int GetFirstSelectedTaskId() const override { return 0; }
    unsigned long long GetChangeNoticeCount() const override { return FakeViewDocument::GetChangeNoticeCount(); }
    bool GetTask(int id, TaskCard& task, bool) override { return FindById(m_tasks, id, task); }
    void UpdateTask(const TaskCard& task) override { ReplaceById(m_tasks, task); }
    void ToggleHoliday(double) override {}
    void GetHolidays(std::vector<double>& dates) override { dates.clear(); }

    void AddTask(const TaskCard& task) { m_tasks.push_back(task); }

private:
    std::vector<TaskCard> m_tasks;
};

// The test's tasks, as DayPlan adds them to a real plan.
class FakeCalendarPlan {
public:
    int AddTask(const wchar_t* name, double hours)
    {
        const TaskCard task(name, L"", hours, kDay + 7, 1, TaskCard::kNew, 0, 0, -1);
        document.AddTask(task);
        return task.GetId();
    }

    FakeCalendarDocument document;
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
    FakeCalendarPlan plan;
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
