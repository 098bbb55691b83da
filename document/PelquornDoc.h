// CPelquornDoc: the planning document: the plan, its filters and selection, time tracking, and every operation on them.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "document/Document.h"
#include "document/ICategoryTreeDocument.h"
#include "document/IDailyPlanDocument.h"
#include "document/IDeadlinesCalendarDocument.h"
#include "document/IDocumentDialogs.h"
#include "document/IFindServices.h"
#include "document/IMoodDocument.h"
#include "document/IOnlineSession.h"
#include "document/IPeopleDocument.h"
#include "document/IReportServices.h"
#include "document/IStatusBarSink.h"
#include "document/ITaskListDocument.h"
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
// sender, so every observer hears it. Each view sees it through the face of
// its own kind (ITaskListDocument, ...), which it holds alone.
class CPelquornDoc : public CDocument,
                     public ITaskListDocument,
                     public IDailyPlanDocument,
                     public IDeadlinesCalendarDocument,
                     public ICategoryTreeDocument,
                     public IPeopleDocument,
                     public IMoodDocument {
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
    bool AddTask(TaskCard& task) override;
    void UpdateTask(const TaskCard& task) override;
    void DeleteTask(int id);
    // Many tasks in one operation: the plan is marked modified once.
    void UpdateTasks(const std::vector<TaskCard>& tasks) override;
    void DeleteTasks(const std::vector<int>& ids) override;
    // With its done and planned hours; silent without showErrors.
    bool GetTask(int id, TaskCard& task, bool showErrors = true) override;
    void RenameTask(const EString& name, int id) override;
    EString GetSelectedTaskName() override;
    // The new category's id; 0 on failure.
    int ConvertTaskToCategory(int taskId) override;
    bool MoveTasks(int categoryId, const std::vector<int>& taskIds) override;
    bool MoveCategory(int parentId, int categoryId) override;
    void ResetOriginalEstimations(int categoryId) override;
    void ResetOriginalEstimation(int taskId) override;
    // 8 when the plan cannot be read.
    double GetMaxTaskEstimation(const std::vector<int>& taskIds) override;
    // 0 when the task is not planned.
    double GetLastPlanDateOfTask(int taskId);
    // The same for each of the tasks, in their order, in one pass over the plan.
    std::vector<double> GetLastPlanDatesOfTasks(const std::vector<int>& taskIds) override;
    int GetTaskCategory(int taskId) override;
    double GetDefaultDeadline() const override;
    // In days.
    double GetDeadlinePeriod() const;

    // The tasks selected in the task list, in selection order.
    void GetSelectedTaskIds(std::vector<int>& ids) const override { ids = m_selectedTaskIds; }
    void SetSelectedTaskIds(const std::vector<int>& ids) override { m_selectedTaskIds = ids; }
    int GetFirstSelectedTaskId() const override { return m_selectedTaskIds.empty() ? 0 : m_selectedTaskIds.front(); }
    bool HasFilteredTasks() override;
    // The tasks of the current category that pass the filters asked for.
    // With both filters it also brings the task summary up to date, counted
    // from these tasks when they are all the summary counts.
    void SelectTasks(std::vector<TaskCard>& tasks, bool useStatusFilter, bool useDeadlineFilter) override;
    // The order the task list shows its tasks in (IDeadlinesCalendarDocument::TaskSort).
    TaskSort GetTaskSort() const override;
    // The tasks the task list has just read, in its order: the deadlines
    // calendar takes them instead of reading and sorting every task again.
    // They hold until the next change is told or another category or order
    // is chosen; null after that.
    void SetListedTasks(const std::vector<TaskCard>& tasks) override;
    std::shared_ptr<const std::vector<TaskCard>> GetListedTasks() const override;
    // Today to today + 42 days unless the tasks reach further. `selected`:
    // what SelectTasks with both filters gave just now, which spares reading
    // the tasks again when both filters are asked for and it holds them all.
    void GetTaskDateRange(double& first, double& last, bool useStatusFilter, bool useDeadlineFilter,
                          const std::vector<TaskCard>* selected = nullptr) override;

    // Filters: the codes of FilterInfo.
    int GetStatusFilter() const { return m_statusFilter; }
    int GetDeadlineFilter() const { return m_deadlineFilter; }
    int GetPriorityFilter() const { return m_priorityFilter; }
    void SetStatusFilter(int code);
    void SetDeadlineFilter(int code);
    void SetPriorityFilter(int code);
    // True while the observers hear that only the filters changed: no task,
    // category or plan entry did, so what a day holds stays as it was.
    bool IsFilterNotice() const override { return m_filterNotice; }
    FilterInfo MakeFilter(bool useStatusFilter, bool useDeadlineFilter) const;
    // Whether SelectTasks with both filters lets the task through, its category aside.
    bool PassesTaskListFilters(const TaskCard& task) const override;

    // Categories.
    int GetCurrentCategoryId() const override { return m_currentCategoryId; }
    void SetCurrentCategoryId(int id) override;
    bool GetCurrentCategory(Category& category) override;
    bool AddCategory(int parentId, Category& category) override;
    bool UpdateCategory(const Category& category) override;
    void DeleteCategory(int id) override;
    // Id 0 or less gives the top, named by "ROOT_NAME".
    bool GetCategory(int id, Category& category) override;
    void GetSubCategories(int parentId, std::vector<Category>& categories) override;
    EString GetCategoryPath(int id);
    bool HasUncompletedTasks(int categoryId) override;
    bool IsCategoryShown(const Category& category) const override;
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
    void RecalculateTaskSummary() override;
    void BringTaskSummaryUpToDate();
    void UpdateDaySummary(double day) override;
    // The same from a day's entries read already.
    void UpdateDaySummary(const std::vector<TaskPlanEntry>& entries) override;
    // Shows nothing while the task summary waits to be counted.
    void ShowTaskSummary();
    EString FormatTaskSummary();
    int GetFilteredTaskCount();
    int GetFilteredTaskHours();

    // Plan entries.
    bool GetPlanEntry(int id, TaskPlanEntry& entry) override;
    void GetDayPlanEntries(double day, std::vector<TaskPlanEntry>& entries) override;
    // The entry keeps the id it was made with.
    bool AddPlanEntry(double day, const TaskPlanEntry& entry) override;
    void DeletePlanEntry(int id);
    void DeletePlanEntries(const std::vector<int>& ids) override;
    // Each as UpdatePlanEntry, as one change of the document; false when one failed.
    bool UpdatePlanEntries(const std::vector<TaskPlanEntry>& entries) override;
    bool UpdatePlanEntry(const TaskPlanEntry& entry) override;
    bool ArrangePlanEntries(double day, double start, const std::vector<int>& ids, bool copy) override;
    bool ScheduleTasks(double day, double start, const std::vector<int>& taskIds, double shortestHours,
                       double longestHours) override;
    double GetProposedStartTime(double day, int planEntryId) override;
    void AddRecurringPlanEntries(double day) override;
    // The day the work went to; 0 on failure.
    double RescheduleToNextWorkDay(double day) override;
    void ToggleHoliday(double date) override;
    void GetHolidays(std::vector<double>& dates) override;
    // Today's entries, one line each, for the tray icon's hint.
    EString FormatDayPlanText();

    // Time tracking.
    bool IsTracking() const override { return m_tracking != 0; }
    int GetTrackedPlanEntryId() const override { return m_trackedPlanEntryId; }
    void SetTrackedPlanEntryId(int id) { m_trackedPlanEntryId = id; }
    int GetPreviousPlanEntryId() const { return m_previousPlanEntryId; }
    void SetPreviousPlanEntryId(int id) override { m_previousPlanEntryId = id; }
    void StartTracking() override;
    // The tracked entry's end moves to now. Across midnight the time is booked
    // on each day: the tracked entry ends with its day and a new one, tracked
    // from then on, takes today's part.
    void UpdateTrackedPlanEntry() override;
    void StopTracking() override;
    void ProlongPreviousEntry(int entryId);

    // Moods.
    void AddMood(MoodItem& mood) override;
    void DeleteMood(int id) override;
    void UpdateMood(const MoodItem& mood) override;
    bool GetMood(int id, MoodItem& mood) override;
    void GetMoods(std::vector<MoodItem>& moods) override;
    void SetMoodState(double dateTime, int moodId);
    void SetCurrentMood(int moodId) override;
    int GetCurrentMoodId() override;

    // People and groups.
    bool AddPerson(int groupId, Person& person) override;
    bool UpdatePerson(const Person& person) override;
    void DeletePerson(int id) override;
    bool GetPerson(int id, Person& person) override;
    bool GetPeople(int groupId, std::vector<Person>& people) override;
    void SetSelectedPerson(int id) override;
    int GetSelectedPerson() override;
    void SavePeopleTreeState(const std::vector<int>& expandedIds) override;
    void LoadPeopleTreeState(std::vector<int>& expandedIds) override;
    CSyncQueue& GetSyncQueue();

    // The category tree's state kept in the file.
    void SetSelectedCategory(int id) override;
    int GetSelectedCategory() override;
    void SaveCategoryTreeState(const std::vector<int>& expandedIds) override;
    void LoadCategoryTreeState(std::vector<int>& expandedIds) override;

    // Recurrences and reminders, keyed by their task.
    bool GetRecurrence(int taskId, RecurrenceInfo& recurrence) override;
    // Whether the task has a rule, without reading it; silent.
    bool HasRecurrence(int taskId) override;
    void SetRecurrence(RecurrenceInfo recurrence, int taskId) override;
    void DeleteRecurrence(int taskId) override;
    void AddReminder(const ReminderInfo& reminder) override;
    bool GetReminder(int taskId, ReminderInfo& reminder) override;
    void DeleteReminder(int taskId) override;
    void GetReminders(std::vector<ReminderInfo>& reminders) override;

    // Goals.
    void DownloadGoals(std::vector<Goal>& goals);
    void AddGoalTasks(const std::vector<Goal>& goals);

    // Find, properties, login.
    void Find(const EString& criteria, const FindOptions& options);
    ISearchResults& GetSearchResults() override { return *m_search; }
    IPlanEntryFinder& GetPlanEntryFinder() override { return *m_planEntryFinder; }
    void FindPlanEntries(int taskId, int secondId) override;

    // Plan fragments: "<ROOT>" with tasks or a category branch; empty after an error.
    EString GetCategoryXml(int categoryId);
    // The selected tasks.
    EString GetTasksXml();
    // No notification: the callers notify.
    void InsertXml(int categoryId, const EString& text, bool includeActivitiesHistory) override;
    void PasteXml(const EString& text) override;
    // The private clipboard format; false when there was nothing to copy or paste.
    bool CopyTasksToClipboard(HWND owner) override;
    bool CopyCategoryToClipboard(int categoryId, HWND owner) override;
    // The category leaves the plan with its tasks and everything of theirs
    // (plan entries, recurrences, reminders), which its paste brings back;
    // false, and nothing leaves, when the clipboard could not take it.
    bool CutCategoryToClipboard(int categoryId, HWND owner) override;
    bool PasteFromClipboard(HWND owner);
    void ExportCategory(int categoryId) override;
    bool ImportCategory(int categoryId) override;

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
    void ReportError(const ComError& error) override;

    void Notify(IObserver* sender, DocNotifyCode code) override;
    // The base's, as the faces name them.
    int IsModified() const override { return CDocument::IsModified(); }
    void SetModified(int modified) override { CDocument::SetModified(modified); }
    unsigned long long GetChangeNoticeCount() const override { return CDocument::GetChangeNoticeCount(); }

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
    // Where a repair of overlapping plan entries reached its limit, the user
    // is told what it moved and what still overlaps.
    void TellOverlapsLeft();
    // A paste's or an import's fragment into the category, as InsertXml;
    // true when it changed the plan (the adds began). The user is told of the
    // texts it cut.
    // With the imported file, a text that is no fragment is refused, and
    // every refusal names the file.
    bool InsertFragment(int categoryId, const EString& text, bool includeActivitiesHistory,
                        const EString& importedFile = EString());
    // Reads the plan; a failure names the file and the reason.
    void LoadPlanFile(const EString& path);
    // Reads a template into the plan as a paste's text is read; a failure
    // names the file and the reason.
    void LoadTemplateFile(const EString& path);
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
