// IDeadlinesCalendarDocument: what the deadlines calendar reads and asks of the plan: the task list's tasks in its order, their days, the holidays, and a task's deadline moved.
#pragma once

#include <memory>
#include <vector>

#include "document/IViewDocument.h"
#include "document/model/Category.h"
#include "document/model/TaskCard.h"

class IDeadlinesCalendarDocument : public virtual IViewDocument {
public:
    // The order the task list shows its tasks in, which the calendar and the
    // find follow: the column sorted by and its direction.
    struct TaskSort {
        int field = 0;
        bool ascending = true;
    };
    virtual TaskSort GetTaskSort() const = 0;
    // The tasks the task list has just read, in its order; null once a
    // change was told or another category or order was chosen.
    virtual std::shared_ptr<const std::vector<TaskCard>> GetListedTasks() const = 0;
    // The tasks of the current category that pass the filters asked for.
    virtual void SelectTasks(std::vector<TaskCard>& tasks, bool useStatusFilter, bool useDeadlineFilter) = 0;
    // Today to today + 42 days unless the tasks reach further. `selected`:
    // what SelectTasks with both filters gave just now.
    virtual void GetTaskDateRange(double& first, double& last, bool useStatusFilter, bool useDeadlineFilter,
                                  const std::vector<TaskCard>* selected = nullptr) = 0;
    // 0 for a task that is not planned, for each of the tasks in their order.
    virtual std::vector<double> GetLastPlanDatesOfTasks(const std::vector<int>& taskIds) = 0;
    // The current category's deadline is marked.
    virtual bool GetCurrentCategory(Category& category) = 0;
    virtual int GetFirstSelectedTaskId() const = 0;
    // How many notices other than the task list's new order have begun: the
    // same count as at the last reload means no change was told since.
    virtual unsigned long long GetChangeNoticeCount() const = 0;

    // A box dragged along the days moves its task's deadline.
    // With its done and planned hours; silent without showErrors.
    virtual bool GetTask(int id, TaskCard& task, bool showErrors = true) = 0;
    virtual void UpdateTask(const TaskCard& task) = 0;

    virtual void ToggleHoliday(double date) = 0;
    virtual void GetHolidays(std::vector<double>& dates) = 0;
};
