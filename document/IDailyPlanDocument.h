// IDailyPlanDocument: what the daily plan pane and its two day contents (the list and the time grid) read and ask of the plan: a day's entries, holidays, the day's summary, and the tasks the entries are planned from.
#pragma once

#include <vector>

#include "document/IFindServices.h"
#include "document/IViewDocument.h"
#include "document/model/TaskCard.h"
#include "document/model/TaskPlanEntry.h"

class IDailyPlanDocument : public virtual IViewDocument {
public:
    // Plan entries.
    virtual bool GetPlanEntry(int id, TaskPlanEntry& entry) = 0;
    virtual void GetDayPlanEntries(double day, std::vector<TaskPlanEntry>& entries) = 0;
    // The entry keeps the id it was made with.
    virtual bool AddPlanEntry(double day, const TaskPlanEntry& entry) = 0;
    virtual bool UpdatePlanEntry(const TaskPlanEntry& entry) = 0;
    // Each as UpdatePlanEntry, as one change of the document; false when one failed.
    virtual bool UpdatePlanEntries(const std::vector<TaskPlanEntry>& entries) = 0;
    virtual void DeletePlanEntries(const std::vector<int>& ids) = 0;
    // Dropped entries laid out back to back from the start on the day.
    virtual bool ArrangePlanEntries(double day, double start, const std::vector<int>& ids, bool copy) = 0;
    // Dropped tasks planned from the start, each between the shortest and longest hours.
    virtual bool ScheduleTasks(double day, double start, const std::vector<int>& taskIds, double shortestHours,
                               double longestHours) = 0;
    virtual double GetProposedStartTime(double day, int planEntryId) = 0;
    virtual void AddRecurringPlanEntries(double day) = 0;
    // The day the work went to; 0 on failure.
    virtual double RescheduleToNextWorkDay(double day) = 0;
    // Locate Schedule: the task's entries, from the second one on.
    virtual void FindPlanEntries(int taskId, int secondId) = 0;
    virtual IPlanEntryFinder& GetPlanEntryFinder() = 0;

    // Holidays.
    virtual void ToggleHoliday(double date) = 0;
    virtual void GetHolidays(std::vector<double>& dates) = 0;

    // The day's summary in the status bar.
    virtual void UpdateDaySummary(double day) = 0;
    // The same from a day's entries read already.
    virtual void UpdateDaySummary(const std::vector<TaskPlanEntry>& entries) = 0;
    // True while the views hear that only the filters changed: what a day holds stays as it was.
    virtual bool IsFilterNotice() const = 0;

    // The tasks an entry is planned from: the task list's, as its filters select them.
    // With its done and planned hours; silent without showErrors.
    virtual bool GetTask(int id, TaskCard& task, bool showErrors = true) = 0;
    virtual int GetTaskCategory(int taskId) = 0;
    // 8 when the plan cannot be read.
    virtual double GetMaxTaskEstimation(const std::vector<int>& taskIds) = 0;
    virtual bool HasFilteredTasks() = 0;
    virtual void SelectTasks(std::vector<TaskCard>& tasks, bool useStatusFilter, bool useDeadlineFilter) = 0;
    virtual void GetSelectedTaskIds(std::vector<int>& ids) const = 0;
    virtual int GetFirstSelectedTaskId() const = 0;

    // Time tracking: the tracked entry shows running; a new entry may prolong the previous one.
    virtual bool IsTracking() const = 0;
    virtual void StopTracking() = 0;
    virtual int GetTrackedPlanEntryId() const = 0;
    virtual void SetPreviousPlanEntryId(int id) = 0;
};
