// The task list on a real document: its rows, refills, commands through scripted dialogs, sorting and reminders; its rows and refills also on a stand-in of its face.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <olectl.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "document/ITaskListDocument.h"
#include "document/InertServices.h"
#include "document/PelquornDoc.h"
#include "foundation/Clock.h"
#include "foundation/Options.h"
#include "testing/TestSupport.h"
#include "views/common/FakeViewDocument.h"
#include "views/common/TaskOrder.h"
#include "views/tasks/PelquornView.h"
#include "views/tasks/TaskListTestSupport.h"

namespace {

// 2026-03-02, a Monday, as an OLE date.
constexpr double kMonday = 46083.0;
constexpr double kNineAm = 9.0 / 24.0;

// Each editor answers with the next scripted answer, Cancel when none is left.
class ScriptedTaskListDialogs : public ITaskListDialogs {
public:
    bool EditTask(HWND, bool newTask, ICategoryReader&, TaskDialogFields& fields) override
    {
        shownTasks.push_back(fields);
        shownAsNew.push_back(newTask);
        if (taskAnswers.empty())
            return false;
        std::optional<TaskDialogFields> answer = taskAnswers.front();
        taskAnswers.pop_front();
        if (!answer)
            return false;
        fields = *answer;
        return true;
    }
    bool EditManyTasks(HWND, int& importance, double& deadline) override
    {
        importance = batchImportance;
        deadline = batchDeadline;
        return true;
    }
    bool EditRecurrence(HWND, RecurrenceInfo&) override { return recurrenceConfirmed; }
    bool ConfirmDelete(const EString& question) override
    {
        deleteQuestions.push_back(question);
        return deleteAnswer;
    }
    void ShowReminder(HWND, IReminderAction&, const EString& taskName, int taskId, int minutes) override
    {
        reminded.push_back({taskName, taskId});
        snoozeMinutes = minutes;
    }
    void HideReminder() override { ++reminderHides; }
    int GetReminderSnoozeMinutes() override { return snoozeMinutes; }
    void ShowTracking(HWND, ITrackingAction&, const EString& name, int taskId, bool) override
    {
        trackingName = name;
        trackingId = taskId;
    }
    void StopTrackingWindow() override {}
    EString GetTrackingTaskName() override { return trackingName; }
    int GetTrackingTaskId() override { return trackingId; }

    std::deque<std::optional<TaskDialogFields>> taskAnswers;
    std::vector<TaskDialogFields> shownTasks;
    std::vector<bool> shownAsNew;
    int batchImportance = 0;
    double batchDeadline = 0;
    bool recurrenceConfirmed = false;
    bool deleteAnswer = true;
    std::vector<EString> deleteQuestions;
    std::vector<std::pair<EString, int>> reminded;
    int reminderHides = 0;
    int snoozeMinutes = 10;
    EString trackingName;
    int trackingId = 0;
};

TaskDialogFields Fields(const wchar_t* name, double estimation = 3, int importance = 2)
{
    TaskDialogFields fields;
    fields.name = name;
    fields.estimation = estimation;
    fields.importance = importance;
    fields.deadline = kMonday + 7;
    return fields;
}

// The tasks of the current category, every one let through, with their
// recurrences, and the list's selection; nothing is reminded, tracked, found
// or on the clipboard. A recurrence set is told, as the document tells it.
class FakeTaskListDocument : public FakeViewDocument, public FakeCategories, public ITaskListDocument {
public:
    bool AddTask(TaskCard& task) override
    {
        m_tasks.push_back(task);
        return true;
    }
    void UpdateTask(const TaskCard& task) override { ReplaceById(m_tasks, task); }
    void UpdateTasks(const std::vector<TaskCard>& tasks) override
    {
        for (const TaskCard& task : tasks)
            UpdateTask(task);
    }
    void DeleteTasks(const std::vector<int>& ids) override
    {
        std::erase_if(m_tasks, [&](const TaskCard& task) {
            return std::find(ids.begin(), ids.end(), task.GetId()) != ids.end();
        });
    }
    bool GetTask(int id, TaskCard& task, bool) override
    {
        if (!FindById(m_tasks, id, task))
            return false;
        task.SetHasRecurrence(HasRecurrence(id));
        return true;
    }
    void RenameTask(const EString& name, int id) override
    {
        TaskCard task;
        if (FindById(m_tasks, id, task)) {
            task.SetName(name);
            ReplaceById(m_tasks, task);
        }
    }
    int GetTaskCategory(int) override { return m_currentCategoryId; }
    int ConvertTaskToCategory(int) override { return 0; }
    void ResetOriginalEstimation(int) override {}
    double GetDefaultDeadline() const override { return kMonday + 7; }

    int GetCurrentCategoryId() const override { return m_currentCategoryId; }
    void SetCurrentCategoryId(int id) override { m_currentCategoryId = id; }
    void SelectTasks(std::vector<TaskCard>& tasks, bool, bool) override
    {
        for (const TaskCard& held : m_tasks) {
            tasks.push_back(held);
            tasks.back().SetHasRecurrence(HasRecurrence(held.GetId()));
        }
    }
    bool PassesTaskListFilters(const TaskCard&) const override { return true; }
    void SetListedTasks(const std::vector<TaskCard>&) override {}

    void GetSelectedTaskIds(std::vector<int>& ids) const override { ids = m_selectedIds; }
    void SetSelectedTaskIds(const std::vector<int>& ids) override { m_selectedIds = ids; }
    int GetFirstSelectedTaskId() const override { return m_selectedIds.empty() ? 0 : m_selectedIds.front(); }
    EString GetSelectedTaskName() override
    {
        TaskCard task;
        return GetTask(GetFirstSelectedTaskId(), task, false) ? task.GetName() : EString();
    }

    bool GetRecurrence(int taskId, RecurrenceInfo& recurrence) override
    {
        if (!HasRecurrence(taskId))
            return false;
        recurrence = RecurrenceInfo();
        recurrence.SetId(taskId);
        return true;
    }
    bool HasRecurrence(int taskId) override { return m_recurring.count(taskId) != 0; }
    void SetRecurrence(RecurrenceInfo, int taskId) override
    {
        m_recurring.insert(taskId);
        Notify(nullptr, NotifyCode::kTasksChanged);
    }
    void DeleteRecurrence(int taskId) override { m_recurring.erase(taskId); }
    void AddReminder(const ReminderInfo&) override {}
    bool GetReminder(int, ReminderInfo&) override { return false; }
    void DeleteReminder(int) override {}
    void GetReminders(std::vector<ReminderInfo>& reminders) override { reminders.clear(); }

    bool IsTracking() const override { return false; }
    void StartTracking() override {}
    void UpdateTrackedPlanEntry() override {}
    void StopTracking() override {}
    void DeletePlanEntries(const std::vector<int>&) override {}
    void FindPlanEntries(int, int) override {}
    ISearchResults& GetSearchResults() override { return m_nothingFound; }
    bool CopyTasksToClipboard(HWND) override { return false; }
    void PasteXml(const EString&) override {}
    void ReportError(const ComError&) override {}

private:
    std::vector<TaskCard> m_tasks;
    std::set<int> m_recurring;
    std::vector<int> m_selectedIds;
    int m_currentCategoryId = 0;
    InertServices m_nothingFound;
};

// The list, its frame and its dialogs over a document: the program's, or a
// stand-in of the list's face where only what the list shows counts.
template <class Document>
class TaskListFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        if constexpr (std::is_same_v<Document, CPelquornDoc>) {
            CreateTaskListOnNewPlan(document, prompts, view, frame.m_hWnd, kMonday + kNineAm);
        } else {
            PrepareTaskListTest(kMonday + kNineAm);
            ASSERT_TRUE(view.Create(frame.m_hWnd));
        }
        if (HasFatalFailure())
            return;
        view.SetDialogs(&dialogs);
        view.SendViewMessage(WM_VIEW_DEFERRED_INIT, 0, 0);
        document.Attach(&view);
        document.Notify(nullptr, NotifyCode::kTasksChanged);
        m_firstRows = view.GetRowCount();
    }
    void TearDown() override
    {
        document.Detach(&view);
        Clock::ResetForTesting();
        ClearProgramRegistry();
    }

    // Added to the document without a notification.
    int AddTask(const wchar_t* name, double deadline = kMonday + 3, int status = 0, double estimation = 2)
    {
        TaskCard task(name, L"", estimation, deadline, 1, status, 0, 0, -1);
        EXPECT_TRUE(document.AddTask(task));
        return task.GetId();
    }
    int AddShownTask(const wchar_t* name, double deadline = kMonday + 3)
    {
        const int id = AddTask(name, deadline);
        document.Notify(nullptr, NotifyCode::kTasksChanged);
        return id;
    }
    void Select(std::initializer_list<int> taskIds)
    {
        ListView_SetItemState(view.m_hWnd, -1, 0, LVIS_SELECTED);
        for (int id : taskIds)
            view.SelectRow(view.FindRow(id));
    }
    void Command(WORD id) { view.SendViewMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    EString Cell(int row, int column)
    {
        wchar_t text[256] = {};
        ListView_GetItemText(view.m_hWnd, row, column, text, 256);
        return text;
    }
    int RowImage(int row)
    {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ListView_GetItem(view.m_hWnd, &item);
        return item.iImage;
    }
    std::vector<EString> ShownNames()
    {
        std::vector<EString> names;
        for (int row = 0; row < view.GetRowCount(); ++row)
            names.push_back(view.GetRowTask(row)->GetName());
        return names;
    }
    bool HasTask(int id)
    {
        TaskCard task;
        return document.GetTask(id, task, false);
    }
    TaskCard Task(int id)
    {
        TaskCard task;
        EXPECT_TRUE(document.GetTask(id, task, false)) << id;
        return task;
    }

    ReflectingFrame frame;
    SilentPrompts prompts;
    Document document;
    CPelquornView view;
    ScriptedTaskListDialogs dialogs;
    int m_firstRows = 0;
};

using TaskListTest = TaskListFixture<CPelquornDoc>;
using TaskListOnFakeTest = TaskListFixture<FakeTaskListDocument>;

TEST_F(TaskListOnFakeTest, TheListShowsEachTaskOfTheDocumentInNineColumns)
{
    const int plain = AddTask(L"Write report", kMonday + 3, TaskCard::kInProgress, 4);
    const int recurring = AddTask(L"Water plants");
    document.SetRecurrence(RecurrenceInfo(), recurring);

    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(view.m_hWnd)), CPelquornView::kColumnCount);
    ASSERT_EQ(view.GetRowCount(), m_firstRows + 2);
    const int row = view.FindRow(plain);
    ASSERT_GE(row, 0);
    EXPECT_EQ(Cell(row, 0), L"Write report");
    EXPECT_FALSE(Cell(row, 1).empty());
    EXPECT_TRUE(Cell(row, 4).empty()) << "no first estimation recorded";
    EXPECT_EQ(RowImage(row), TaskCard::kInProgress);
    EXPECT_EQ(RowImage(view.FindRow(recurring)), 3) << "a recurring task shows the recurring image";
}

TEST_F(TaskListTest, ItsActivationRequestMakesItTheDocumentsWindowWithoutReachingTheListControl)
{
    document.SetDocumentWindow(nullptr);
    LRESULT result = 1;
    // Taken whole by the view: the control knows no such message.
    EXPECT_TRUE(view.ProcessWindowMessage(view.m_hWnd, WM_VIEW_ACTIVATE, 0, 0, result));
    EXPECT_EQ(document.GetDocumentWindow(), view.m_hWnd);
}

TEST_F(TaskListOnFakeTest, NotificationsRefillTheRowsOrLeaveThem)
{
    struct Case {
        DocNotifyCode code;
        bool refills;
    };
    const Case cases[] = {
        {NotifyCode::kAll, true},           {NotifyCode::kTasksChanged, true},
        {NotifyCode::kCategorySelected, true}, {NotifyCode::kTasksSorted, true},
        {42, true},                          {NotifyCode::kDocumentLoaded, true},
        {NotifyCode::kStoreViewState, false}, {NotifyCode::kPlanEntriesFound, false},
    };
    for (const Case& test : cases) {
        document.Notify(nullptr, NotifyCode::kTasksChanged);
        const int before = view.GetRowCount();
        AddTask(L"Unseen until a refill");
        document.Notify(nullptr, test.code);
        EXPECT_EQ(view.GetRowCount(), test.refills ? before + 1 : before) << "code " << test.code;
    }
}

TEST_F(TaskListTest, AFindHitOfATaskSelectsItsRowAloneEvenWhenTheRowComesWithALaterRefill)
{
    class FoundTask : public InertServices {
    public:
        bool IsTaskFound() override { return isTask; }
        int GetFoundTaskId() override { return taskId; }
        int GetFoundCategoryId() override { return categoryId; }
        bool isTask = true;
        int taskId = 0;
        int categoryId = 0;
    } search;
    document.SetFindServices(&search, nullptr, nullptr);
    const int first = AddShownTask(L"First");
    const int second = AddShownTask(L"Second");
    const int third = AddShownTask(L"Third");
    const auto selected = [&] {
        std::vector<int> ids;
        document.GetSelectedTaskIds(ids);
        return ids;
    };
    Select({first, second});
    search.taskId = third;
    document.Notify(nullptr, NotifyCode::kFindHit);
    EXPECT_EQ(selected(), std::vector<int>{third});
    EXPECT_EQ(ListView_GetSelectedCount(view.m_hWnd), 1u);

    // The category tree's choice of the hit's category may come after the list heard of the hit.
    const int later = AddTask(L"Listed by the next refill");
    search.taskId = later;
    search.categoryId = document.GetCurrentCategoryId() + 1;
    document.Notify(nullptr, NotifyCode::kFindHit);
    document.Notify(nullptr, NotifyCode::kCategorySelected);
    EXPECT_EQ(selected(), std::vector<int>{later});
    EXPECT_EQ(ListView_GetSelectedCount(view.m_hWnd), 1u);

    search.isTask = false;
    document.Notify(nullptr, NotifyCode::kFindHit);
    EXPECT_EQ(selected(), std::vector<int>{later}) << "a category hit leaves the list's selection";
    document.SetFindServices(nullptr, nullptr, nullptr);
}

TEST_F(TaskListTest, AStatusFilterChangeRefillsWithTheTasksItLetsThrough)
{
    const int done = AddTask(L"Done already", kMonday, TaskCard::kCompleted);
    const int open = AddShownTask(L"Still open");
    ASSERT_GE(view.FindRow(done), 0);
    document.SetStatusFilter(2); // new tasks only
    EXPECT_EQ(view.FindRow(done), -1);
    EXPECT_GE(view.FindRow(open), 0);
}

TEST_F(TaskListTest, AddLoopsWhileTheEditorAsksForAnotherAndSelectsTheLastTask)
{
    TaskDialogFields first = Fields(L"First");
    first.addAnother = true;
    dialogs.taskAnswers = {first, Fields(L"Second", 5, 0)};
    Command(ID_TASK_ADD);

    ASSERT_EQ(dialogs.shownTasks.size(), 2u);
    EXPECT_TRUE(dialogs.shownAsNew[0]);
    EXPECT_DOUBLE_EQ(dialogs.shownTasks[0].estimation, 2);
    ASSERT_EQ(view.GetRowCount(), m_firstRows + 2);
    std::vector<int> selected;
    document.GetSelectedTaskIds(selected);
    ASSERT_EQ(selected.size(), 1u);
    const TaskCard added = Task(selected[0]);
    EXPECT_EQ(added.GetName(), L"Second");
    EXPECT_DOUBLE_EQ(added.GetEstimation(), 5);
    EXPECT_EQ(added.GetImportance(), 0);
    EXPECT_EQ(added.GetStatus(), TaskCard::kNew);
}

TEST_F(TaskListTest, EditWritesTheEditorsFieldsAndItsReminderIntoTheDocument)
{
    const int id = AddShownTask(L"Old name");
    Select({id});
    TaskDialogFields edited = Fields(L"New name", 6, 3);
    edited.status = TaskCard::kInProgress;
    edited.hasReminder = true;
    edited.reminder = ReminderInfo(0, kMonday + 1, kNineAm);
    dialogs.taskAnswers = {edited};
    Command(ID_TASK_EDIT);

    ASSERT_EQ(dialogs.shownTasks.size(), 1u);
    EXPECT_FALSE(dialogs.shownAsNew[0]);
    EXPECT_EQ(dialogs.shownTasks[0].name, L"Old name");
    const TaskCard task = Task(id);
    EXPECT_EQ(task.GetName(), L"New name");
    EXPECT_DOUBLE_EQ(task.GetEstimation(), 6);
    EXPECT_EQ(task.GetStatus(), TaskCard::kInProgress);
    ReminderInfo reminder;
    EXPECT_TRUE(document.GetReminder(id, reminder));
    EXPECT_EQ(Cell(view.FindRow(id), 0), L"New name");
}

TEST_F(TaskListTest, DeleteAsksOnceAndDeletesEverySelectedTaskOnlyOnYes)
{
    const int first = AddTask(L"One");
    const int second = AddShownTask(L"Two");
    Select({first, second});
    dialogs.deleteAnswer = false;
    Command(ID_TASK_DELETE);
    EXPECT_TRUE(HasTask(first) && HasTask(second));

    dialogs.deleteAnswer = true;
    Command(ID_TASK_DELETE);
    EXPECT_EQ(dialogs.deleteQuestions.size(), 2u);
    EXPECT_FALSE(HasTask(first));
    EXPECT_FALSE(HasTask(second));
}

TEST_F(TaskListTest, CompleteTogglesBetweenCompletedAndInProgress)
{
    const int id = AddShownTask(L"Finish me");
    Select({id});
    Command(ID_TASK_COMPLETE);
    EXPECT_EQ(Task(id).GetStatus(), TaskCard::kCompleted);
    EXPECT_EQ(RowImage(view.FindRow(id)), TaskCard::kCompleted);
    Select({id});
    Command(ID_TASK_COMPLETE);
    EXPECT_EQ(Task(id).GetStatus(), TaskCard::kInProgress);
}

TEST_F(TaskListTest, ADisabledCommandSentAsAnAcceleratorDoesNothing)
{
    const int id = AddShownTask(L"Keep me");
    Select({});
    for (WORD command : {ID_TASK_DELETE, ID_TASK_COMPLETE, ID_EDIT_CUT, ID_TASK_EDIT, ID_ADJUST_STOP_TIME}) {
        Command(command);
        EXPECT_TRUE(HasTask(id)) << command;
        EXPECT_EQ(Task(id).GetStatus(), TaskCard::kNew) << command;
    }
    EXPECT_TRUE(dialogs.deleteQuestions.empty());
    EXPECT_TRUE(dialogs.shownTasks.empty());
}

// A name of blanks would leave the row without a label: the old one stays.
TEST_F(TaskListTest, RenamingInPlaceKeepsTheNewNameAndABlankOneIsRefused)
{
    const int id = AddShownTask(L"Typo nmae");
    const struct {
        const wchar_t* typed;
        LRESULT kept;
        const wchar_t* name;
    } cases[] = {
        {L"Typo name", TRUE, L"Typo name"},
        {L"", FALSE, L"Typo name"},
        {L"   ", FALSE, L"Typo name"},
        {L"\t\r\n", FALSE, L"Typo name"},
        {L" Fixed ", TRUE, L" Fixed "},
    };
    for (const auto& c : cases) {
        std::wstring text = c.typed;
        NMLVDISPINFOW info = {};
        info.hdr = {view.m_hWnd, 0, LVN_ENDLABELEDITW};
        info.item.iItem = view.FindRow(id);
        info.item.pszText = text.data();
        EXPECT_EQ(view.SendViewMessage(OCM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)), c.kept) << c.typed;
        EXPECT_EQ(Task(id).GetName(), c.name) << c.typed;
        EXPECT_EQ(view.GetRowTask(view.FindRow(id))->GetName(), c.name) << c.typed;
    }
}

TEST_F(TaskListTest, ColumnClicksSortTiesByNameAndTheSameColumnReverses)
{
    struct Case {
        int column;
        std::vector<EString> expected;
    };
    AddTask(L"b late", kMonday + 9);
    AddTask(L"C early", kMonday + 2);
    AddShownTask(L"a early", kMonday + 2);
    const Case cases[] = {
        {6, {L"a early", L"C early", L"b late"}},
        {6, {L"b late", L"C early", L"a early"}},
        {0, {L"C early", L"b late", L"a early"}},
        {0, {L"a early", L"b late", L"C early"}},
    };
    // Only the tasks of this test are listed once the new plan's own are gone.
    for (int row = view.GetRowCount() - 1; row >= 0; --row) {
        const int id = view.GetRowTask(row)->GetId();
        const EString name = view.GetRowTask(row)->GetName();
        if (name != L"b late" && name != L"C early" && name != L"a early")
            document.DeleteTask(id);
    }
    document.Notify(nullptr, NotifyCode::kTasksChanged);
    for (const Case& test : cases) {
        view.SortByColumn(test.column);
        EXPECT_EQ(ShownNames(), test.expected) << "column " << test.column;
    }
    EXPECT_EQ(Options::GetSortField(0, 9), 0u);
}

TEST_F(TaskListOnFakeTest, ATaskWithoutADeadlineShowsNoDateAndSortsApartFromThoseDueToday)
{
    // Counted as due today, it showed today's date and sorted among today's tasks.
    AddTask(L"due today", kMonday);
    AddTask(L"b none", 0);
    AddTask(L"overdue", kMonday - 2);
    AddTask(L"a none", 0);
    AddTask(L"later", kMonday + 3);
    document.Notify(nullptr, NotifyCode::kTasksChanged);
    ASSERT_EQ(view.GetRowCount(), m_firstRows + 5);
    const auto cellOf = [&](const wchar_t* name) {
        for (int row = 0; row < view.GetRowCount(); ++row)
            if (view.GetRowTask(row)->GetName() == name)
                return Cell(row, 6);
        return EString(L"(no row)");
    };
    EXPECT_EQ(cellOf(L"a none"), L"");
    EXPECT_EQ(cellOf(L"b none"), L"");
    EXPECT_EQ(cellOf(L"due today"), TaskCard(L"", L"", 1, kMonday, 1, 0, 0, 0, -1).GetDeadlineText());
    const std::vector<EString> ascending = {L"a none", L"b none", L"overdue", L"due today", L"later"};
    view.SortByColumn(6);
    EXPECT_EQ(ShownNames(), ascending);
    view.SortByColumn(6);
    EXPECT_EQ(ShownNames(), (std::vector<EString>{L"later", L"due today", L"overdue", L"b none", L"a none"}));
}

TEST_F(TaskListTest, SpentAndPlannedTimesThatShowTheSameTextAreOrderedByNameBothWays)
{
    struct Entry {
        int start; // minutes into the day
        int minutes;
    };
    struct Timed {
        const wchar_t* name;
        std::vector<Entry> entries;
        const wchar_t* shown;
    };
    // The same minutes at other times of day differ in their last bits, here
    // against the order of the names.
    const Timed timed[] = {
        {L"Zest", {{60, 47}}, L"47m"},
        {L"apple", {{13 * 60 + 12, 48}}, L"48m"},
        {L"Bake", {{4 * 60 + 40, 48}}, L"48m"},
        {L"Cider", {{2 * 60 + 18, 24}, {3 * 60, 24}}, L"48m"},
        {L"damson", {{0, 48}}, L"48m"},
        {L"Elder", {{12 * 60 + 23, 48}}, L"48m"},
        {L"Almond", {{20 * 60, 49}}, L"49m"},
    };
    const struct {
        const char* name;
        int column;
        double day;
    } columns[] = {{"Spent", 2, kMonday - 1}, {"Planned", 3, kMonday + 1}};
    const std::wstring ascending = L"Zest apple Bake Cider damson Elder Almond";
    const std::wstring descending = L"Almond Elder damson Cider Bake apple Zest";

    for (const auto& column : columns) {
        SCOPED_TRACE(column.name);
        std::vector<EString> names;
        std::vector<int> ids;
        for (const Timed& task : timed) {
            const int id = AddTask(task.name);
            ids.push_back(id);
            for (const Entry& entry : task.entries) {
                const double start = entry.start / 1440.0;
                const double end = (entry.start + entry.minutes) / 1440.0;
                ASSERT_TRUE(document.AddPlanEntry(column.day, TaskPlanEntry(id, start, end, L"", task.name, 0, 0)));
            }
            names.push_back(task.name);
        }
        document.Notify(nullptr, NotifyCode::kTasksChanged);
        // The names of this test's rows in their order, the new plan's own left out.
        const auto shownOfOurs = [&] {
            std::wstring shown;
            for (const EString& name : ShownNames())
                if (std::find(names.begin(), names.end(), name) != names.end())
                    shown += (shown.empty() ? L"" : L" ") + std::wstring(name.c_str());
            return shown;
        };
        for (size_t i = 0; i < std::size(timed); ++i) {
            const int row = view.FindRow(ids[i]);
            ASSERT_GE(row, 0) << timed[i].name;
            EXPECT_EQ(Cell(row, column.column), timed[i].shown) << timed[i].name;
        }
        view.SortByColumn(column.column);
        if (!view.IsSortAscending())
            view.SortByColumn(column.column);
        EXPECT_EQ(shownOfOurs(), ascending) << "ascending";
        view.SortByColumn(column.column);
        ASSERT_FALSE(view.IsSortAscending());
        EXPECT_EQ(shownOfOurs(), descending) << "descending";
        // A refill sorts the rows anew.
        document.Notify(nullptr, NotifyCode::kTasksChanged);
        EXPECT_EQ(shownOfOurs(), descending) << "refilled";
        for (int row = view.GetRowCount() - 1; row >= 0; --row)
            document.DeleteTask(view.GetRowTask(row)->GetId());
        document.Notify(nullptr, NotifyCode::kTasksChanged);
    }
}

TEST_F(TaskListTest, TheRowsAndTheirIndexByTaskFollowTheDocumentThroughEachChange)
{
    std::vector<int> ids;
    for (const wchar_t* name : {L"d", L"b", L"e", L"a", L"c"})
        ids.push_back(AddTask(name, kMonday + static_cast<double>(ids.size() % 2)));
    // The one task that new tasks only leaves out.
    document.UpdateTask([&] {
        TaskCard task = Task(ids[2]);
        task.SetStatus(TaskCard::kInProgress);
        return task;
    }());
    int gone = -1;
    Category errands(L"Errands", L"", kMonday + 7, 0);
    ASSERT_TRUE(document.AddCategory(0, errands));
    const auto renameInPlace = [&](int id, const wchar_t* name) {
        std::wstring text = name;
        NMLVDISPINFOW info = {};
        info.hdr = {view.m_hWnd, 0, LVN_ENDLABELEDITW};
        info.item.iItem = view.FindRow(id);
        info.item.pszText = text.data();
        view.SendViewMessage(OCM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    };
    const auto chooseCategory = [&](int id) {
        document.SetCurrentCategoryId(id);
        document.Notify(nullptr, NotifyCode::kCategorySelected);
    };
    const auto editInDialog = [&](int id, const wchar_t* name, double deadline, int status) {
        Select({id});
        TaskDialogFields fields = Fields(name);
        fields.deadline = deadline;
        fields.status = status;
        dialogs.taskAnswers = {fields};
        Command(ID_TASK_EDIT);
    };
    const struct {
        const char* step;
        std::function<void()> act;
    } steps[] = {
        {"refill", [&] { document.Notify(nullptr, NotifyCode::kTasksChanged); }},
        {"add", [&] { ids.push_back(AddShownTask(L"bb", kMonday - 1)); }},
        {"rename in place", [&] { renameInPlace(ids[0], L"zz"); }},
        {"sort by name", [&] { view.SortByColumn(0); }},
        {"the same column again", [&] { view.SortByColumn(0); }},
        {"sort by deadline", [&] { view.SortByColumn(6); }},
        {"edit in the dialog, its place kept", [&] { editInDialog(ids[3], L"ab", kMonday + 1, TaskCard::kNew); }},
        {"edit in the dialog, moved last", [&] { editInDialog(ids[3], L"ab", kMonday + 9, TaskCard::kNew); }},
        {"delete",
         [&] {
             gone = ids[1];
             document.DeleteTask(gone);
             document.Notify(nullptr, NotifyCode::kAll);
         }},
        {"status filter", [&] { document.SetStatusFilter(2); }},
        {"edit in the dialog, let out by the filter",
         [&] { editInDialog(ids[3], L"ab", kMonday + 9, TaskCard::kCompleted); }},
        {"status filter back", [&] { document.SetStatusFilter(0); }},
        {"category with one task",
         [&] {
             document.MoveTasks(errands.GetId(), {ids[2]});
             chooseCategory(errands.GetId());
         }},
        {"the root again", [&] { chooseCategory(0); }},
    };
    for (const auto& step : steps) {
        step.act();
        std::vector<TaskCard> listed;
        document.SelectTasks(listed, true, true);
        SortTasks(listed, view.GetSortField(), view.IsSortAscending());
        ASSERT_EQ(view.GetRowCount(), static_cast<int>(listed.size())) << step.step;
        EXPECT_EQ(ListView_GetItemCount(view.m_hWnd), view.GetRowCount()) << step.step;
        for (int row = 0; row < view.GetRowCount(); ++row) {
            const TaskCard& task = listed[static_cast<size_t>(row)];
            EXPECT_EQ(view.FindRow(task.GetId()), row) << step.step << " task " << task.GetId();
            EXPECT_EQ(view.GetRowTask(row)->GetId(), task.GetId()) << step.step;
            EXPECT_EQ(Cell(row, 0), task.GetName()) << step.step << " row " << row;
            EXPECT_EQ(Cell(row, 6), task.GetDeadlineText()) << step.step << " row " << row;
            EXPECT_EQ(Cell(row, 7), task.GetStatusText()) << step.step << " row " << row;
            EXPECT_EQ(Cell(row, 8), task.GetCategoryPath()) << step.step << " row " << row;
        }
        EXPECT_EQ(view.FindRow(gone), -1) << step.step;
        EXPECT_EQ(view.FindRow(ids[2]) >= 0, std::find_if(listed.begin(), listed.end(), [&](const TaskCard& task) {
                                                  return task.GetId() == ids[2];
                                              }) != listed.end())
            << step.step << ": a task let out by a filter or in another category";
    }
}

TEST_F(TaskListTest, SelectAllThenAFilterChangeKeepsTheSelectedTasksThatRemainTellingEachOnce)
{
    const int done = AddTask(L"Done already", kMonday, TaskCard::kCompleted);
    AddTask(L"Open");
    AddShownTask(L"Also open");
    int told = 0;
    view.SetRowSelectedHandler([&](int) { ++told; });
    const auto selected = [&] {
        std::vector<int> ids;
        document.GetSelectedTaskIds(ids);
        return ids;
    };
    const auto listedIds = [&] {
        std::vector<int> ids;
        for (int row = 0; row < view.GetRowCount(); ++row)
            ids.push_back(view.GetRowTask(row)->GetId());
        return ids;
    };

    Command(ID_EDIT_SELECT_ALL);
    ASSERT_TRUE(WaitFor([&] { return selected() == listedIds(); }));
    EXPECT_EQ(told, 1) << "Select All is one change";

    told = 0;
    document.SetStatusFilter(2); // new tasks only
    ASSERT_EQ(view.FindRow(done), -1);
    EXPECT_EQ(ListView_GetSelectedCount(view.m_hWnd), static_cast<UINT>(view.GetRowCount()));
    EXPECT_EQ(selected(), listedIds()) << "the tasks that remain stay selected";
    EXPECT_EQ(told, 1) << "the restored selection is one change";

    document.SetStatusFilter(0);
    ASSERT_GE(view.FindRow(done), 0);
    EXPECT_EQ(ListView_GetItemState(view.m_hWnd, view.FindRow(done), LVIS_SELECTED), 0u);
    EXPECT_EQ(selected().size(), listedIds().size() - 1);
    view.SetRowSelectedHandler(nullptr);
}

// As at start-up: the list holds no rows yet when the plan opens, and draws them once they come.
TEST_F(TaskListTest, APlanOpenedOverAnEmptyListLeavesTheControlAsItWas)
{
    ::MoveWindow(view.m_hWnd, 0, 0, 400, 300, TRUE);
    document.Notify(nullptr, NotifyCode::kDocumentLoaded);
    ASSERT_EQ(ListView_GetItemCount(view.m_hWnd), 0);
    ::UpdateWindow(view.m_hWnd);
    document.Notify(nullptr, NotifyCode::kDocumentLoaded);
    RECT update = {};
    EXPECT_FALSE(::GetUpdateRect(view.m_hWnd, &update, FALSE));
    EXPECT_EQ(view.GetRowCount(), m_firstRows);
}

TEST_F(TaskListTest, ABurstOfNotificationsRefillsTheListOnce)
{
    class SortCounter : public IObserver {
    public:
        void Update(ISubject*, DocNotifyCode code) override { count += code == NotifyCode::kTasksSorted ? 1 : 0; }
        void OnAttach(ITabOrderProvider*) override {}
        int count = 0;
    } sorted;
    document.Attach(&sorted);
    AddTask(L"Listed by the burst");
    for (DocNotifyCode code : {NotifyCode::kDocumentLoaded, NotifyCode::kCategorySelected, NotifyCode::kAll,
                               NotifyCode::kCategorySelected})
        document.Notify(nullptr, code);
    // Left to the message loop, as after a user's command.
    ASSERT_TRUE(WaitFor([&] { return sorted.count > 0; }));
    EXPECT_EQ(view.GetRowCount(), m_firstRows + 1);
    EXPECT_EQ(sorted.count, 1);
    document.Detach(&sorted);
}

TEST(TaskOrder, TasksWithTheSameValueAndNameTie)
{
    const TaskCard a(L"Same", L"", 2, kMonday, 1, 0, 0, 0, -1);
    const TaskCard b(L"same", L"", 2, kMonday, 1, 0, 0, 0, -1);
    for (int column = 0; column < CPelquornView::kColumnCount; ++column)
        EXPECT_EQ(CompareTasks(a, b, column, true), 0) << column;
}

TEST(TaskOrder, SortingByKeysGivesTheOrderOfTheComparisonsForEveryColumnBothWays)
{
    // Names and paths that a comparison of sort keys could order otherwise than the texts' comparison.
    const wchar_t* const names[] = {L"apple", L"Apple", L"\u00e4pfel", L"co-op", L"coop", L"Item 10", L"item 9",
                                    L"", L"Zebra", L"stra\u00dfe", L"strasse", L"a'b", L"ab", L"\u00c9t\u00e9", L"ete"};
    std::vector<TaskCard> tasks;
    int i = 0;
    for (const wchar_t* name : names) {
        // Numbers a hair apart, which show the same text, tie in both ways of sorting.
        const double hair = (i % 2) * 1e-9;
        TaskCard task(name, L"", i % 3 + hair, kMonday + i % 2, i % 4, 0, 0.8 * (i % 3) + hair, 0.4 * (i % 2) + hair,
                      i % 4 == 0 ? -1 : 0.8 + (i % 2) * 1e-3);
        task.SetStatus(i % 3);
        task.SetCategoryPath(names[(i * 7) % std::size(names)]);
        tasks.push_back(task);
        ++i;
    }
    const auto idsOf = [](const std::vector<TaskCard>& list) {
        std::vector<int> ids;
        for (const TaskCard& task : list)
            ids.push_back(task.GetId());
        return ids;
    };
    for (int column = 0; column < CPelquornView::kColumnCount; ++column) {
        for (const bool ascending : {true, false}) {
            std::vector<TaskCard> compared = tasks;
            std::stable_sort(compared.begin(), compared.end(), [&](const TaskCard& a, const TaskCard& b) {
                return CompareTasks(a, b, column, ascending) < 0;
            });
            std::vector<TaskCard> keyed = tasks;
            SortTasks(keyed, column, ascending);
            EXPECT_EQ(idsOf(keyed), idsOf(compared)) << "column " << column << (ascending ? " ascending" : " descending");
        }
    }
}

TEST(TaskOrder, AReminderIsDueWhenItsDayAndTimeTogetherHaveComeAtNineOnMonday)
{
    struct Case {
        const char* name;
        double date;
        double time;
        bool due;
    };
    const double now = kMonday + kNineAm;
    const Case cases[] = {
        {"yesterday 18:00", kMonday - 1, 18.0 / 24, true},
        {"today 08:59", kMonday, 8.0 / 24 + 59.0 / 1440, true},
        {"today 09:00", kMonday, kNineAm, true},
        {"today 09:01", kMonday, kNineAm + 1.0 / 1440, false},
        {"tomorrow 06:00", kMonday + 1, 6.0 / 24, false},
        {"last year, time only", kMonday - 365, 23.0 / 24, true},
    };
    for (const Case& test : cases)
        EXPECT_EQ(IsReminderDue(ReminderInfo(1, test.date, test.time), now), test.due) << test.name;
}

TEST_F(TaskListTest, OneDueReminderShowsAtATimeAndDismissingItShowsTheNext)
{
    const int first = AddTask(L"Call the bank");
    const int second = AddShownTask(L"Pay the rent");
    document.AddReminder(ReminderInfo(first, kMonday - 1, 18.0 / 24));
    document.AddReminder(ReminderInfo(second, kMonday, kNineAm));
    document.AddReminder(ReminderInfo(AddTask(L"Later"), kMonday + 1, kNineAm));

    document.Notify(nullptr, NotifyCode::kDocumentLoaded);
    ASSERT_EQ(dialogs.reminded.size(), 1u);
    EXPECT_EQ(dialogs.reminded[0].second, first);
    EXPECT_TRUE(view.IsReminderShown());

    view.DismissReminder(first);
    ReminderInfo gone;
    EXPECT_FALSE(document.GetReminder(first, gone));
    ASSERT_EQ(dialogs.reminded.size(), 2u) << "the next due one shows at once";
    EXPECT_EQ(dialogs.reminded[1].second, second);
}

TEST_F(TaskListTest, SnoozingForLessThanAMinuteWaitsOneMinute)
{
    const int id = AddShownTask(L"Stretch");
    document.AddReminder(ReminderInfo(id, kMonday, kNineAm));
    document.Notify(nullptr, NotifyCode::kDocumentLoaded);
    ASSERT_EQ(dialogs.reminded.size(), 1u);

    dialogs.snoozeMinutes = 0;
    view.SnoozeReminder(id, 0);
    ReminderInfo reminder;
    ASSERT_TRUE(document.GetReminder(id, reminder));
    EXPECT_NEAR(std::floor(reminder.GetAlarmDate()) + reminder.GetAlarmTime(), kMonday + kNineAm + 1.0 / 1440,
                1.0 / 86400);
    EXPECT_FALSE(view.IsReminderShown());
    EXPECT_EQ(dialogs.reminded.size(), 1u) << "not due again at once";
    EXPECT_EQ(Options::GetRemindMinutes(), 1u);
}

} // namespace
