// CPelquornDoc: the planning document: the plan, its filters and selection, time tracking, and every operation on them.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "document/Document.h"
#include "document/IDocumentDialogs.h"
#include "document/IFindServices.h"
#include "document/IOnlineSession.h"
#include "document/IReportServices.h"
#include "document/IStatusBarSink.h"
#include "document/InertServices.h"
#include "document/OfflineSession.h"
#include "document/SyncQueue.h"
#include "document/model/Category.h"
#include "document/model/DocProperties.h"
#include "document/model/Goal.h"
#include "document/model/MoodItem.h"
#include "document/model/Person.h"
#include "document/model/RecurrenceInfo.h"
#include "document/model/ReminderInfo.h"
#include "document/model/TaskCard.h"
#include "document/model/TaskPlanEntry.h"
#include "document/xml/DataManager.h"

// Every change of the plan goes through an operation here. A changing
// operation marks the document modified before it touches the data; a COM
// error is caught in the operation, logged, shown once and turned into the
// operation's failure value (see Guarded). The document notifies with no
// sender, so every observer hears it.
class CPelquornDoc : public CDocument {
public:
    // From this size on a plan is parsed on a thread of its own (about half
    // a second's parse under Wine).
    static constexpr ULONGLONG kLargePlanBytes = 4 * 1024 * 1024;

    CPelquornDoc();
    ~CPelquornDoc() override;

    // The subsystems the document calls on. Each starts as an inert stand-in
    // (nothing to choose, nothing found, never logged in); null restores it.
    void SetDialogs(IDocumentDialogs* dialogs);
    void SetReportServices(IReportServices* services);
    void SetFindServices(ISearchResults* search, IPlanEntryFinder* finder, IFindWindow* window);
    void SetOnlineSession(IOnlineSession* session);
    void SetStatusBar(IStatusBarSink* statusBar) { m_statusBar = statusBar; }

    // Life cycle.
    DataManager& GetDataManager();
    bool OnNewDocument() override;
    bool OnOpenDocument(const EString& path) override;
    bool OnSaveDocument(const EString& path) override;
    bool IsCopyOf(const EString& path, EString& original) const override;
    // The plan that went was saved or given up at its prompt: its automatic
    // copy is no longer one to offer at the next start.
    void OnPlanReplaced() override;
    void UpdateCommandStates(bool enable) override;
    EString GetRegistryKey() const override;
    EString GetFileFilter() const override;
    EString GetDefaultExtension() const override;

    // Written beside the document (or under the default name) without
    // touching its path, title or modified mark; "RestorePath" names it once
    // it is on the disk. Nothing while the plan is being changed
    // (IsChangingPlan): the path and the plan may then be of two files.
    void SaveAutoCopy();
    EString GetAutoCopyPath();
    EString GetDefaultFileName();
    // Saves without asking for a name (Windows is ending the session). An
    // unnamed document takes the default name; a named one that cannot be
    // written goes to a new file of a default name, which "RestorePath" names.
    void QuickSave();
    // The file a report reads: a fresh copy while the document has unsaved
    // changes or no file, else its own file; empty when the copy failed.
    EString SaveTempCopyForReport();

    // Tasks.
    bool AddTask(TaskCard& task);
    void UpdateTask(const TaskCard& task);
    void DeleteTask(int id);
    // Many tasks in one operation: the plan is marked modified once.
    void UpdateTasks(const std::vector<TaskCard>& tasks);
    void DeleteTasks(const std::vector<int>& ids);
    // With its done and planned hours; silent without showErrors.
    bool GetTask(int id, TaskCard& task, bool showErrors = true);
    void RenameTask(const EString& name, int id);
    EString GetSelectedTaskName();
    // The new category's id; 0 on failure.
    int ConvertTaskToCategory(int taskId);
    bool MoveTasks(int categoryId, const std::vector<int>& taskIds);
    bool MoveCategory(int parentId, int categoryId);
    void ResetOriginalEstimations(int categoryId);
    void ResetOriginalEstimation(int taskId);
    // 8 when the plan cannot be read.
    double GetMaxTaskEstimation(const std::vector<int>& taskIds);
    // 0 when the task is not planned.
    double GetLastPlanDateOfTask(int taskId);
    // The same for each of the tasks, in their order, in one pass over the plan.
    std::vector<double> GetLastPlanDatesOfTasks(const std::vector<int>& taskIds);
    int GetTaskCategory(int taskId);
    double GetDefaultDeadline() const;
    // In days.
    double GetDeadlinePeriod() const;

    // The tasks selected in the task list, in selection order.
    void GetSelectedTaskIds(std::vector<int>& ids) const { ids = m_selectedTaskIds; }
    void SetSelectedTaskIds(const std::vector<int>& ids) { m_selectedTaskIds = ids; }
    int GetFirstSelectedTaskId() const { return m_selectedTaskIds.empty() ? 0 : m_selectedTaskIds.front(); }
    bool HasFilteredTasks();
    // The tasks of the current category that pass the filters asked for.
    // With both filters it also brings the task summary up to date, counted
    // from these tasks when they are all the summary counts.
    void SelectTasks(std::vector<TaskCard>& tasks, bool useStatusFilter, bool useDeadlineFilter);
    // The order the task list shows its tasks in, which the deadlines calendar
    // and the find follow: the column sorted by and its direction.
    struct TaskSort {
        int field = 0;
        bool ascending = true;
    };
    TaskSort GetTaskSort() const;
    // The tasks the task list has just read, in its order: the deadlines
    // calendar takes them instead of reading and sorting every task again.
    // They hold until the next change is told or another category or order
    // is chosen; null after that.
    void SetListedTasks(const std::vector<TaskCard>& tasks);
    std::shared_ptr<const std::vector<TaskCard>> GetListedTasks() const;
    // Today to today + 42 days unless the tasks reach further. `selected`:
    // what SelectTasks with both filters gave just now, which spares reading
    // the tasks again when both filters are asked for and it holds them all.
    void GetTaskDateRange(double& first, double& last, bool useStatusFilter, bool useDeadlineFilter,
                          const std::vector<TaskCard>* selected = nullptr);

    // Filters: the codes of FilterInfo.
    int GetStatusFilter() const { return m_statusFilter; }
    int GetDeadlineFilter() const { return m_deadlineFilter; }
    int GetPriorityFilter() const { return m_priorityFilter; }
    void SetStatusFilter(int code);
    void SetDeadlineFilter(int code);
    void SetPriorityFilter(int code);
    // True while the observers hear that only the filters changed: no task,
    // category or plan entry did, so what a day holds stays as it was.
    bool IsFilterNotice() const { return m_filterNotice; }
    FilterInfo MakeFilter(bool useStatusFilter, bool useDeadlineFilter) const;
    // Whether SelectTasks with both filters lets the task through, its category aside.
    bool PassesTaskListFilters(const TaskCard& task) const;

    // Categories.
    int GetCurrentCategoryId() const { return m_currentCategoryId; }
    void SetCurrentCategoryId(int id);
    bool GetCurrentCategory(Category& category);
    bool AddCategory(int parentId, Category& category);
    bool UpdateCategory(const Category& category);
    void DeleteCategory(int id);
    // Id 0 or less gives the top, named by "ROOT_NAME".
    bool GetCategory(int id, Category& category);
    void GetSubCategories(int parentId, std::vector<Category>& categories);
    EString GetCategoryPath(int id);
    bool HasUncompletedTasks(int categoryId);
    bool IsCategoryShown(const Category& category) const;
    void CheckCategoryCompletion(int taskId);
    bool PromptCategoryCompletion(const Category& category);
    bool GetTransparentCategories() const { return m_transparentCategories != 0; }
    void ArrangeDeadlines(double startDate, double loadFactor);
    double GetLoadFactor() const;
    void SetLoadFactor(double loadFactor);

    // Summary: the tasks of the current category's whole subtree that pass
    // the filters, and their hours. A change told, another category or
    // another filter leaves it to be counted when next asked for or shown:
    // the task list's read counts it on the way.
    void RecalculateTaskSummary();
    void BringTaskSummaryUpToDate();
    void UpdateDaySummary(double day);
    // The same from a day's entries read already.
    void UpdateDaySummary(const std::vector<TaskPlanEntry>& entries);
    // Shows nothing while the task summary waits to be counted.
    void ShowTaskSummary();
    EString FormatTaskSummary();
    int GetFilteredTaskCount();
    int GetFilteredTaskHours();

    // Plan entries.
    bool GetPlanEntry(int id, TaskPlanEntry& entry);
    void GetDayPlanEntries(double day, std::vector<TaskPlanEntry>& entries);
    // The entry keeps the id it was made with.
    bool AddPlanEntry(double day, const TaskPlanEntry& entry);
    void DeletePlanEntry(int id);
    void DeletePlanEntries(const std::vector<int>& ids);
    // Each as UpdatePlanEntry, as one change of the document; false when one failed.
    bool UpdatePlanEntries(const std::vector<TaskPlanEntry>& entries);
    bool UpdatePlanEntry(const TaskPlanEntry& entry);
    bool ArrangePlanEntries(double day, double start, const std::vector<int>& ids, bool copy);
    bool ScheduleTasks(double day, double start, const std::vector<int>& taskIds, double shortestHours,
                       double longestHours);
    double GetProposedStartTime(double day, int planEntryId);
    void AddRecurringPlanEntries(double day);
    // The day the work went to; 0 on failure.
    double RescheduleToNextWorkDay(double day);
    void ToggleHoliday(double date);
    void GetHolidays(std::vector<double>& dates);
    // Today's entries, one line each, for the tray icon's hint.
    EString FormatDayPlanText();

    // Time tracking.
    bool IsTracking() const { return m_tracking != 0; }
    int GetTrackedPlanEntryId() const { return m_trackedPlanEntryId; }
    void SetTrackedPlanEntryId(int id) { m_trackedPlanEntryId = id; }
    int GetPreviousPlanEntryId() const { return m_previousPlanEntryId; }
    void SetPreviousPlanEntryId(int id) { m_previousPlanEntryId = id; }
    void StartTracking();
    // The tracked entry's end moves to now. Across midnight the time is booked
    // on each day: the tracked entry ends with its day and a new one, tracked
    // from then on, takes today's part.
    void UpdateTrackedPlanEntry();
    void StopTracking();
    void ProlongPreviousEntry(int entryId);

    // Moods.
    void AddMood(MoodItem& mood);
    void DeleteMood(int id);
    void UpdateMood(const MoodItem& mood);
    bool GetMood(int id, MoodItem& mood);
    void GetMoods(std::vector<MoodItem>& moods);
    void SetMoodState(double dateTime, int moodId);
    void SetCurrentMood(int moodId);
    int GetCurrentMoodId();

    // People and groups.
    bool AddPerson(int groupId, Person& person);
    bool UpdatePerson(const Person& person);
    void DeletePerson(int id);
    bool GetPerson(int id, Person& person);
    bool GetPeople(int groupId, std::vector<Person>& people);
    void SetSelectedPerson(int id);
    int GetSelectedPerson();
    void SavePeopleTreeState(const std::vector<int>& expandedIds);
    void LoadPeopleTreeState(std::vector<int>& expandedIds);
    CSyncQueue& GetSyncQueue();

    // The category tree's state kept in the file.
    void SetSelectedCategory(int id);
    int GetSelectedCategory();
    void SaveCategoryTreeState(const std::vector<int>& expandedIds);
    void LoadCategoryTreeState(std::vector<int>& expandedIds);

    // Recurrences and reminders, keyed by their task.
    bool GetRecurrence(int taskId, RecurrenceInfo& recurrence);
    // Whether the task has a rule, without reading it; silent.
    bool HasRecurrence(int taskId);
    void SetRecurrence(RecurrenceInfo recurrence, int taskId);
    void DeleteRecurrence(int taskId);
    void AddReminder(const ReminderInfo& reminder);
    bool GetReminder(int taskId, ReminderInfo& reminder);
    void DeleteReminder(int taskId);
    void GetReminders(std::vector<ReminderInfo>& reminders);

    // Goals.
    void DownloadGoals(std::vector<Goal>& goals);
    void AddGoalTasks(const std::vector<Goal>& goals);

    // Find, properties, login.
    void Find(const EString& criteria, const FindOptions& options);
    ISearchResults& GetSearchResults() { return *m_search; }
    IPlanEntryFinder& GetPlanEntryFinder() { return *m_planEntryFinder; }
    void FindPlanEntries(int taskId, int secondId);

    // Plan fragments: "<ROOT>" with tasks or a category branch; empty after an error.
    EString GetCategoryXml(int categoryId);
    // The selected tasks.
    EString GetTasksXml();
    // No notification: the callers notify.
    void InsertXml(int categoryId, const EString& text, bool includeActivitiesHistory);
    void PasteXml(const EString& text);
    // The private clipboard format; false when there was nothing to copy or paste.
    bool CopyTasksToClipboard(HWND owner);
    bool CopyCategoryToClipboard(int categoryId, HWND owner);
    // The category leaves the plan with its tasks and everything of theirs
    // (plan entries, recurrences, reminders), which its paste brings back;
    // false, and nothing leaves, when the clipboard could not take it.
    bool CutCategoryToClipboard(int categoryId, HWND owner);
    bool PasteFromClipboard(HWND owner);
    void ExportCategory(int categoryId);
    void ImportCategory(int categoryId);

    BEGIN_MESSAGE_MAP(CPelquornDoc)
        ON_COMMAND(ID_FIND_GOALS_WIZARD, OnFindGoalsWizard)
        ON_COMMAND(ID_PREPARE_REPORT, OnPrepareReport)
        ON_COMMAND(ID_PROPERTIES, OnProperties)
        ON_COMMAND(ID_FIND, OnFind)
        ON_COMMAND(ID_FIND_NEXT, OnFindNext)
        ON_COMMAND(ID_TRANSPARENT_CATEGORIES, OnTransparentCategories)
        ON_COMMAND(ID_ARRANGE_DEADLINES, OnArrangeDeadlines)
        ON_COMMAND(ID_LOGIN, OnLogin)
        ON_MESSAGE(WM_CLOSE, OnClose)
        CHAIN_MESSAGE_MAP(CDocument)
    END_MESSAGE_MAP()

    LRESULT OnFindGoalsWizard(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnPrepareReport(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnProperties(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnFind(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnFindNext(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnTransparentCategories(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnArrangeDeadlines(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnLogin(WORD code, WORD id, HWND control, bool& handled);
    LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    // Logs the error and shows it once, as the document's own operations do.
    void ReportError(const class ComError& error);

    void Notify(IObserver* sender, DocNotifyCode code) override;

protected:
    // Runs the body; a ComError is logged ("CATCH 0x%x: %s"), shown and
    // turned into `failure`; any other exception is logged ("EXCEPTION in
    // ..."), shown as a failed command and gives `failure`.
    template <class Result, class Body>
    Result Guarded(Result failure, Body&& body);
    template <class Body>
    void Guarded(Body&& body);
    // The body for each item in turn; the first failure is reported once,
    // after the other items had their turn.
    template <class Item, class Body>
    void GuardedEach(const std::vector<Item>& items, Body&& body);
    // Any exception is logged and gives `failure`, without a message (an
    // expected miss).
    template <class Result, class Body>
    static Result Silently(Result failure, Body&& body);

private:
    // What the task summary was counted for: the plan as of the last notice
    // that may tell of changed tasks, the category and the filters.
    struct SummaryBasis {
        unsigned long long taskNotices = 0;
        int categoryId = 0;
        int statusFilter = 0;
        int deadlineFilter = 0;
        int priorityFilter = 0;
        bool operator==(const SummaryBasis&) const = default;
    };
    SummaryBasis CurrentSummaryBasis() const;
    bool IsSummaryCurrent() const { return m_summaryBasis == CurrentSummaryBasis(); }
    void TakeSummary(const DataManager::TaskSummary& summary);
    void NotifyFilterChange();
    static bool IsLargePlanFile(const EString& path);
    // Reads the plan; a failure names the file and the reason.
    void LoadPlanFile(const EString& path);
    // Writes the whole plan to the path in one replacement of the file; with
    // replaceExisting false, a file already there is left and the write fails.
    void WritePlanFile(const EString& path, bool replaceExisting = true);
    // What every new or opened document goes through once it is in place.
    void AfterLoad();
    // True when the plan already holds these expanded ids, read by `load`.
    bool HoldsTreeState(void (XmlDataElements::*load)(std::vector<int>&), const std::vector<int>& ids);
    // UpdateTrackedPlanEntry; a stop adds no entry of no minutes for today.
    void BookTrackedTime(bool stopping);
    // Searches with the criteria and options the engine holds; raises.
    void RunSearch();

    int m_currentMoodId = 0;
    std::unique_ptr<CSyncQueue> m_syncQueue;
    int m_previousPlanEntryId = 0;
    int m_trackedPlanEntryId = 0;
    int m_tracking = 0;
    int m_transparentCategories = 1;
    int m_lowPriorityTasks;
    int m_filteredTaskCount = 0;
    int m_filteredTaskHours = 0;
    unsigned long long m_taskNotices = 0;
    std::optional<SummaryBasis> m_summaryBasis;
    int m_dayEntryCount = 0;
    double m_dayHours = 0;
    std::vector<int> m_selectedTaskIds;
    struct ListedTasks {
        std::shared_ptr<const std::vector<TaskCard>> tasks;
        unsigned long long changeNotices = 0;
        int categoryId = 0;
        TaskSort sort;
    };
    std::optional<ListedTasks> m_listedTasks;
    int m_statusFilter;
    int m_deadlineFilter;
    int m_priorityFilter;
    int m_currentCategoryId = 0;
    bool m_filterNotice = false;
    std::unique_ptr<DataManager> m_dataManager;

    InertServices m_inert;
    OfflineSession m_offline;
    IDocumentDialogs* m_dialogs = &m_inert;
    IReportServices* m_reports = &m_inert;
    ISearchResults* m_search = &m_inert;
    IPlanEntryFinder* m_planEntryFinder = &m_inert;
    IFindWindow* m_findWindow = &m_inert;
    IOnlineSession* m_session = &m_offline;
    IStatusBarSink* m_statusBar = nullptr;
};

#include "document/PelquornDocGuard.h"
