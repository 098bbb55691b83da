// ITaskListDocument: what the task list reads and asks of the plan: its tasks and their selection, recurrences, reminders, time tracking, find and clipboard.
#pragma once

#include <vector>

#include "document/ICategoryReader.h"
#include "document/IFindServices.h"
#include "document/IViewDocument.h"
#include "document/model/RecurrenceInfo.h"
#include "document/model/ReminderInfo.h"
#include "document/model/TaskCard.h"
#include "foundation/EString.h"

class ComError;

// The categories are read by the task editor, which shows a task's category
// and browses for another.
class ITaskListDocument : public virtual IViewDocument, public virtual ICategoryReader {
public:
    // Tasks.
    virtual bool AddTask(TaskCard& task) = 0;
    virtual void UpdateTask(const TaskCard& task) = 0;
    // Many tasks in one operation: the plan is marked modified once.
    virtual void UpdateTasks(const std::vector<TaskCard>& tasks) = 0;
    virtual void DeleteTasks(const std::vector<int>& ids) = 0;
    // With its done and planned hours; silent without showErrors.
    virtual bool GetTask(int id, TaskCard& task, bool showErrors = true) = 0;
    virtual void RenameTask(const EString& name, int id) = 0;
    virtual int GetTaskCategory(int taskId) = 0;
    // The new category's id; 0 on failure.
    virtual int ConvertTaskToCategory(int taskId) = 0;
    virtual void ResetOriginalEstimation(int taskId) = 0;
    virtual double GetDefaultDeadline() const = 0;

    // What the list shows: the tasks of the current category that pass the
    // filters asked for, and whether an edited task still passes them.
    virtual int GetCurrentCategoryId() const = 0;
    virtual void SetCurrentCategoryId(int id) = 0;
    virtual void SelectTasks(std::vector<TaskCard>& tasks, bool useStatusFilter, bool useDeadlineFilter) = 0;
    virtual bool PassesTaskListFilters(const TaskCard& task) const = 0;
    // The tasks just read, in the list's order, for the deadlines calendar.
    virtual void SetListedTasks(const std::vector<TaskCard>& tasks) = 0;

    // The selected tasks, in selection order.
    virtual void GetSelectedTaskIds(std::vector<int>& ids) const = 0;
    virtual void SetSelectedTaskIds(const std::vector<int>& ids) = 0;
    virtual int GetFirstSelectedTaskId() const = 0;
    virtual EString GetSelectedTaskName() = 0;

    // Recurrences and reminders, keyed by their task.
    virtual bool GetRecurrence(int taskId, RecurrenceInfo& recurrence) = 0;
    // Whether the task has a rule, without reading it; silent.
    virtual bool HasRecurrence(int taskId) = 0;
    virtual void SetRecurrence(RecurrenceInfo recurrence, int taskId) = 0;
    virtual void DeleteRecurrence(int taskId) = 0;
    virtual void AddReminder(const ReminderInfo& reminder) = 0;
    virtual bool GetReminder(int taskId, ReminderInfo& reminder) = 0;
    virtual void DeleteReminder(int taskId) = 0;
    virtual void GetReminders(std::vector<ReminderInfo>& reminders) = 0;

    // Time tracking of the selected task.
    virtual bool IsTracking() const = 0;
    virtual void StartTracking() = 0;
    virtual void UpdateTrackedPlanEntry() = 0;
    virtual void StopTracking() = 0;

    // Plan entries dropped back on the list leave the plan; Locate Schedule
    // finds a task's entries.
    virtual void DeletePlanEntries(const std::vector<int>& ids) = 0;
    virtual void FindPlanEntries(int taskId, int secondId) = 0;

    // The last find hit, which the list selects when it is a task.
    virtual ISearchResults& GetSearchResults() = 0;
    // The private clipboard format; false when there was nothing to copy.
    virtual bool CopyTasksToClipboard(HWND owner) = 0;
    // No notification: the list notifies.
    virtual void PasteXml(const EString& text) = 0;
    // Logs the error and shows it once, as the document's own operations do.
    virtual void ReportError(const ComError& error) = 0;
};
