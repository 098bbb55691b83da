// DataManager: the queries and edits of a plan over its one XML document: tasks, plan entries, scheduling and fragments.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document/model/FilterInfo.h"
#include "document/model/TextCuts.h"
#include "document/model/TaskPlanEntry.h"
#include "document/xml/PlanEntryTable.h"
#include "document/xml/WorkCalendar.h"
#include "document/xml/XmlDataElements.h"

// Every record is a value copy filled from the live document. Lookups by id
// go through the element index; the hours, dates and plannedness of tasks
// through a table of the plan entries built in the index's walk and kept in step
// with every plan entry this class adds, rewrites or removes. Nothing else
// may change plan entries behind its back; a derived class that does calls
// InvalidateIndex.
//
// DOM failures and missing elements raise ComError, as in the element layer,
// except where a member says otherwise.
class DataManager : public XmlDataElements {
public:
    DataManager() = default;

    // Tasks and categories.

    // The category's tasks (subtree: those of its sub-categories too) that
    // pass the filter, future tasks only with includeFuture, in document
    // order; fillTimes adds the done and planned hours. A missing category
    // raises E_POINTER.
    void SelectTasks(int categoryId, std::vector<TaskCard>& tasks, const FilterInfo& filter, bool subtree,
                     bool includeFuture, bool fillTimes);
    void SelectCategoryTasks(int categoryId, std::vector<TaskCard>& tasks, int statusFilter, bool subtree,
                             bool includeFuture);
    // A task without a status is not completed. False for a missing category.
    bool HasUncompletedTasks(int categoryId);
    // Over the whole subtree, future tasks included.
    int CountTasks(int categoryId, const FilterInfo& filter);
    // The estimations summed, rounded up to whole hours.
    int GetTotalEstimation(int categoryId, const FilterInfo& filter);
    // Both of the above from one read of the tasks: the task summary
    // follows every filter change.
    struct TaskSummary {
        int count = 0;
        int hours = 0;
    };
    TaskSummary GetTaskSummary(int categoryId, const FilterInfo& filter);
    // The same of tasks read already, in the plan's order.
    static TaskSummary Summarize(const std::vector<TaskCard>& tasks);
    void GetTaskWithTimes(int taskId, TaskCard& task);
    // 0 for no tasks.
    double GetMaxTaskEstimation(const std::vector<int>& taskIds);
    // Appended to the category in list order. A missing category or task
    // raises before anything moves; `changing`, when given, tells a caller
    // that catches a raise whether the moves had begun.
    void MoveTasks(int categoryId, const std::vector<int>& taskIds, bool* changing = nullptr);
    // Appended to the new parent; a parent that does not exist leaves it last
    // among its old siblings. Into itself or below itself raises E_INVALIDARG.
    void MoveCategory(int parentId, int categoryId);
    // A category of the task's name, description and deadline in the task's
    // place, holding the task; gives its id.
    int ConvertTaskToCategory(int taskId);
    void ResetOriginalEstimation(int taskId);
    // Every task of the subtree.
    void ResetOriginalEstimations(int categoryId);

    // Plan entries.

    // False, and the record as it was, when there is none.
    bool GetPlanEntry(int id, TaskPlanEntry& entry);
    XmlNode FindPlanEntry(int id);
    // Every plan entry of the task, in no particular order.
    std::vector<XmlNode> SelectPlanEntriesOfTask(int taskId);
    // The day's entries in their kept order; entries whose task is gone are
    // removed on the way. The DAY is created when missing.
    void GetDayPlanEntries(double date, std::vector<TaskPlanEntry>& entries);
    // The entry keeps its id. Unless "AllowSimultaneous" is set the day's
    // overlaps are repaired; the task becomes in progress and takes the
    // entry's task colour; a recurring entry with setRecurrence makes its task
    // recur every day (and setDeadline moves the deadline to the next one).
    void AddPlanEntry(double date, const TaskPlanEntry& entry, bool setDeadline, bool setRecurrence);
    // Rewrites the entry found by its id, with its recurrence and completion.
    void UpdatePlanEntry(const TaskPlanEntry& entry, bool keepOverlaps);
    // Each as UpdatePlanEntry, except that an entry whose only change is its
    // completion keeps its element and place: only its task or recurrence
    // takes the completion.
    void UpdatePlanEntries(const std::vector<TaskPlanEntry>& entries, bool keepOverlaps);
    // Nothing for a missing id; a task left without entries becomes new.
    void DeletePlanEntry(int id);
    void DeletePlanEntries(const std::vector<int>& ids);
    // The latest day the task is planned on; 0 when it is not.
    double GetLastPlanDateOfTask(int taskId);
    std::vector<double> GetLastPlanDatesOfTasks(const std::vector<int>& taskIds);
    // False, with the name "TaskRemoved", when the entry's task is gone.
    bool ReadPlanEntry(const XmlNode& element, TaskPlanEntry& entry);
    void WritePlanEntry(const XmlNode& element, const TaskPlanEntry& entry);
    // Done hours: entries that began before now; planned: the others.
    void SumPlanEntryHours(TaskCard& task);

    // Holidays, keyed by the whole day.
    XmlNode FindHoliday(double date);
    void ToggleHoliday(double date);

    // Overlaps of a day.

    // Places the entry (or a copy under a new id) on the day from the start,
    // keeping its duration within the day; gives the placed entry's id. A
    // moved entry's task keeps its status; a copy plans it as an added entry does.
    int MovePlanEntry(double day, double start, int id, bool copy);
    // The entries one after another from the start, in list order.
    void ArrangePlanEntries(double day, double start, const std::vector<int>& ids, bool copy);
    // Repairs the overlaps of the element's day from the element onward.
    void ResolveOverlaps(const XmlNode& element);
    // What the repairs left where they reached their limit: how many entries
    // they had moved on to later days, over which days, and where entries
    // still overlap. Empty while every repair reached its end.
    struct UnrepairedOverlaps {
        struct Day {
            double date = 0;
            int overlapping = 0; // entries that start before an earlier one of the day ends
        };
        int moved = 0; // moved whole or copied on to later days
        double firstDay = 0, lastDay = 0;
        std::vector<Day> days;
        bool IsEmpty() const { return days.empty(); }
    };
    // Those since the last call, which forgets them.
    UnrepairedOverlaps TakeUnrepairedOverlaps();

    // Scheduling.

    // The days a deadline calendar shows for the filtered tasks of the subtree.
    void GetTaskDateRange(int categoryId, const FilterInfo& filter, double& first, double& last);
    // The same for the subtree's tasks that pass the filter, read already.
    void GetTaskDateRange(int categoryId, const std::vector<TaskCard>& tasks, double& first, double& last);
    // Deadlines spread over the work days from the start date, loadFactor
    // hours a day (a load factor that is no positive number counts as 2.5).
    void ArrangeDeadlines(int categoryId, int statusFilter, double startDate, float loadFactor);
    // One entry per task from the start, as long as its remaining estimation
    // within the bounds; what passes 23:59 continues on the next day.
    void ScheduleTasks(double day, double start, const std::vector<int>& taskIds, double minHours,
                       double maxHours);
    double GetProposedStartTime(double day, int planEntryId, double duration);
    // Extends or cuts the entry before this one to end where this one starts.
    void ProlongPreviousEntry(int planEntryId, int expectedPreviousId);
    // Plans the day's unfinished tasks again on the next work day; gives it.
    double RescheduleToNextWorkDay(double date);
    // The day's occurrences of the recurring tasks that it does not hold yet.
    void AddRecurringPlanEntries(double date);
    WorkCalendar GetWorkCalendar();
    static double GetDayBeginTime();

    // Clipboard fragments.

    // "<ROOT>" with the TASK elements of the ids that exist, "</ROOT>".
    EString GetTasksXml(const std::vector<int>& taskIds);
    // The CATEGORY element and a DAILY with the plan entries of its tasks.
    EString GetCategoryXml(int categoryId);
    // The same, marked as cut, with the recurrences and reminders of the
    // branch's tasks: what CutCategory takes out of the plan.
    EString GetCutCategoryXml(int categoryId);
    // Deletes the category as DeleteCategory does, and the plan entries of its
    // tasks with it.
    void CutCategory(int categoryId);
    static EString WrapInRoot(const EString& text);
    // Pastes the categories and tasks of a fragment under new ids; with
    // includeActivities tasks keep their status and their plan entries come
    // along. The tasks of a cut come back as they were: with their status,
    // and their plan entries, recurrences and reminders under the new ids.
    // A record without a deadline stays without one; a name or description
    // longer than the plan keeps is cut (TextLimits). The characters XML
    // cannot hold are left out before the parse. A text that does not parse
    // pastes nothing, or raises with the reason when the insert asks so.
    // Gives whether anything was pasted. A fragment refused (ids or numbers
    // that are none, a category that is not there) raises before the plan
    // changes; a record an import script marked with its source's row
    // (kSourceRow) is named by it.
    struct FragmentInsert {
        // A file's text, where a fragment that does not parse is an error.
        bool raiseUnreadable = false;
        // Whether the adds had begun, for a caller that catches a raise.
        bool changing = false;
        // The names and descriptions cut.
        TextCuts cuts;
    };
    bool InsertXml(int categoryId, const EString& text, bool includeActivities, FragmentInsert* insert = nullptr);

protected:
    // Entries the overlap walks have looked at: their work, which grows
    // with the entries they move.
    long long OverlapWalkSteps() const;
    // The steps one repair takes before it stops moving entries on; tests
    // make it small.
    void SetRepairStepLimit(long long steps) { m_repairStepLimit = steps; }

private:
    // The work of one repair, in entries its walks look at, before it stops
    // moving entries on to later days: days that stay full carry on without
    // end, and each day carries more.
    static constexpr long long kRepairStepLimit = 60000;
    // One repair of a day's overlaps and of the days it carries entries on to.
    class OverlapRepair;
    // False stops the walk.
    using TaskVisitor = std::function<bool(const XmlNode& task, const EString& categoryPath)>;
    class Fragment;

    // Tasks.
    XmlNode RequireCategoryElement(int id);
    // SelectTasks; without texts the records lack name, description and path.
    void ReadTasks(int categoryId, std::vector<TaskCard>& tasks, const FilterInfo& filter, bool subtree,
                   bool includeFuture, bool fillTimes, bool withTexts);
    // Every TASK of the category (and of its sub-categories), in document order.
    void ForEachTask(int categoryId, bool subtree, const TaskVisitor& visit);
    static void FillRecurrenceFlags(ElementIndex& index, TaskCard& task);
    bool IsCompletedStatus(const XmlNode& task);

    // Plan entries.
    // What an entry takes from its task: read once per task when a whole day is read.
    struct EntryTask {
        bool found = false;
        std::shared_ptr<TaskCard> task; // shared by the entries read with it
        // The ids of the recurrence's completed entries, as its COMPLETEDPLAN elements give them.
        std::unordered_set<std::wstring> completedEntries;
        bool daily = false;
    };
    using EntryTasks = std::unordered_map<int, EntryTask>;
    EntryTask ReadEntryTask(int taskId);
    bool ReadPlanEntry(const XmlNode& element, TaskPlanEntry& entry, EntryTasks& tasks);
    static void SumPlanEntryHours(const PlanEntryTable& plan, double now, TaskCard& task);
    XmlNode InsertPlanEntryElement(const XmlNode& day, const TaskPlanEntry& entry);
    // The entry's element on the day, the day's overlaps repaired unless
    // "AllowSimultaneous" is set; its task is left as it is.
    XmlNode PlacePlanEntry(double date, const TaskPlanEntry& entry);
    // The first sibling whose task exists and whose start is not earlier,
    // to the minute; empty for the end.
    XmlNode FindInsertionPoint(const XmlNode& day, double start);
    void ResortPlanEntry(const XmlNode& element);
    void RemovePlanEntryElement(const XmlNode& element);
    // The entry's own attributes; false when its task is gone.
    bool ReadEntryTimes(const XmlNode& element, TaskPlanEntry& entry);
    void WriteEntryTimes(const XmlNode& element, const TaskPlanEntry& entry);
    void SetTaskPlannedStatus(int taskId, int status);
    // The entry's completion written where it is kept: its task, or the recurrence of a recurring
    // task, which moves the deadline to the occurrence after the entry's day.
    void WriteCompletion(double day, const TaskPlanEntry& entry, bool recurring, const RecurrenceInfo& recurrence);
    void WriteTaskColor(const TaskPlanEntry& entry);
    void SyncRecurrenceTimes(const TaskPlanEntry& entry);
    void WriteDailyRecurrence(double date, const TaskPlanEntry& entry, bool setDeadline);
    void ResetStatusIfUnplanned(int taskId);

    // Scheduling.
    void ReplanOnDay(double day, const TaskPlanEntry& entry);
    // An entry of the task from start to end stands on the day.
    bool DayHolds(double date, int taskId, double start, double end);

    // Fragments.
    // What a cut task brings back, under the pasted task's new id.
    struct CutCompanions {
        std::vector<std::pair<double, TaskPlanEntry>> entries;
        bool hasRecurrence = false;
        RecurrenceInfo recurrence;
        std::vector<int> completedEntryIds;
        bool hasReminder = false;
        ReminderInfo reminder;
    };
    // The ids of the TASK elements of the branch, sub-categories included.
    std::unordered_set<long> BranchTaskIds(int categoryId);
    EString GetCategoryPlanEntriesXml(int categoryId);
    // The PLANENTRY elements of the tasks in the plan, in document order.
    void ForEachBranchPlanEntry(const std::unordered_set<long>& tasks,
                                const std::function<void(const XmlNode& entry)>& visit);
    // The fragment's entries of the task, read under new ids for the pasted task.
    std::vector<std::pair<double, TaskPlanEntry>> ReadPlanEntriesOfTask(int oldId, const TaskCard& task,
                                                                        Fragment& fragment);
    CutCompanions ReadCutCompanions(int oldId, int newId, Fragment& fragment);
    void AddCutCompanions(const CutCompanions& companions, bool resolveOverlaps);

    long long m_overlapWalkSteps = 0;
    long long m_repairStepLimit = kRepairStepLimit;
    UnrepairedOverlaps m_unrepaired;
};
