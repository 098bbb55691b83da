#include <gtest/gtest.h>

#include <functional>

#include "document/PelquornDocTestSupport.h"
#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/Options.h"
#include "testing/TestSupport.h"

namespace {

using Codes = std::vector<DocNotifyCode>;

class PlanListsTest : public PlanDocTest {
protected:
    void SetUp() override
    {
        PlanDocTest::SetUp();
        StartNew();
    }
    void ClearMark()
    {
        document.SetModified(0);
        TakeCodes();
        prompts.errors.clear();
    }
    XmlNodeList Nodes(const wchar_t* xpath) { return document.GetDataManager().GetDocument(true).SelectNodes(xpath); }
};

} // namespace

TEST_F(PlanListsTest, EveryChangeMarksTheDocumentAndTellsWhomItShould)
{
    MoodItem mood(L"Calm", RGB(1, 2, 3));
    Person person(0, L"carol", L"", L"Carol", L"carol@example.org", 0);
    RecurrenceInfo rule;
    ReminderInfo reminder(0, 0, 0);
    TaskCard task(L"Task", L"", 1, 0, 0, 0, 0, 0, -1);
    Category category(L"Home", L"", 0, 0);
    const struct {
        const char* name;
        std::function<void()> change;
        Codes codes;
    } cases[] = {
        {"add a task", [&] { document.AddTask(task); }, {}},
        {"rename it", [&] { document.RenameTask(L"Renamed task", task.GetId()); }, {NotifyCode::kTasksChanged}},
        {"add a category", [&] { document.AddCategory(0, category); }, {}},
        {"update the category", [&] { document.UpdateCategory(category); }, {}},
        {"add a mood", [&] { document.AddMood(mood); }, {NotifyCode::kMoodsChanged}},
        {"update it", [&] { document.UpdateMood(mood); }, {NotifyCode::kMoodsChanged}},
        {"record a mood", [&] { document.SetMoodState(Date(2024, 5, 15), mood.GetId()); }, {}},
        {"add a person", [&] { document.AddPerson(0, person); }, {}},
        {"update the person", [&] { document.UpdatePerson(person); }, {}},
        {"set a recurrence", [&] { document.SetRecurrence(rule, task.GetId()); }, {NotifyCode::kTasksChanged}},
        {"delete it", [&] { document.DeleteRecurrence(task.GetId()); }, {}},
        {"add a reminder",
         [&] {
             reminder.SetId(task.GetId());
             document.AddReminder(reminder);
         },
         {}},
        {"delete it", [&] { document.DeleteReminder(task.GetId()); }, {}},
        {"store the selected category", [&] { document.SetSelectedCategory(category.GetId()); }, {}},
        {"store the expanded categories", [&] { document.SaveCategoryTreeState({category.GetId()}); }, {}},
        {"store the expanded people", [&] { document.SavePeopleTreeState({person.GetId()}); }, {}},
        {"delete the person", [&] { document.DeletePerson(person.GetId()); }, {}},
        {"delete the mood", [&] { document.DeleteMood(mood.GetId()); }, {NotifyCode::kMoodsChanged}},
        {"delete the category", [&] { document.DeleteCategory(category.GetId()); }, {}},
        {"delete the task", [&] { document.DeleteTask(task.GetId()); }, {}},
    };
    for (const auto& c : cases) {
        ClearMark();
        c.change();
        EXPECT_EQ(document.IsModified(), 1) << c.name;
        EXPECT_EQ(mainWindow.Title(), L"Untitled* - Quorvane") << c.name;
        EXPECT_EQ(TakeCodes(), c.codes) << c.name;
        EXPECT_TRUE(prompts.errors.empty()) << c.name;
    }
    EXPECT_EQ(Nodes(L"//TASK").GetNodes().size(), 0u);
    EXPECT_EQ(Nodes(L"//RECURRENCE").GetNodes().size(), 0u);
    EXPECT_EQ(Nodes(L"//REMINDER").GetNodes().size(), 0u);
}

TEST_F(PlanListsTest, AChangeOfManyTasksMarksTheDocumentOnceAndNotifiesNobody)
{
    std::vector<TaskCard> tasks;
    for (const wchar_t* name : {L"Call Ann", L"Pay the rent", L"Water the plants"}) {
        TaskCard task(name, L"", 1, 0, 1, 0, 0, 0, -1);
        ASSERT_TRUE(document.AddTask(task));
        tasks.push_back(task);
    }
    const std::vector<int> ids = {tasks[0].GetId(), tasks[1].GetId(), tasks[2].GetId()};
    const struct {
        const char* name;
        std::function<void()> change;
        size_t tasksLeft;
        int importance;
    } cases[] = {
        {"update them",
         [&] {
             for (TaskCard& task : tasks)
                 task.SetImportance(0);
             document.UpdateTasks(tasks);
         },
         3, 0},
        {"delete them", [&] { document.DeleteTasks(ids); }, 0, 0},
    };
    for (const auto& c : cases) {
        ClearMark();
        mainWindow.titleSets = 0;
        c.change();
        EXPECT_EQ(mainWindow.titleSets, 1) << c.name;
        EXPECT_EQ(mainWindow.Title(), L"Untitled* - Quorvane") << c.name;
        EXPECT_TRUE(TakeCodes().empty()) << c.name << ": the caller notifies once";
        const std::vector<XmlNode> left = Nodes(L"//TASK").GetNodes();
        EXPECT_EQ(left.size(), c.tasksLeft) << c.name;
        for (const XmlNode& task : left)
            EXPECT_EQ(XmlDoc::GetTextAttribute(task, L"IMPORTANCE"), std::to_wstring(c.importance)) << c.name;
    }
}

TEST_F(PlanListsTest, AFailedChangeIsShownOnceAndStillMarksTheDocument)
{
    const struct {
        const char* name;
        std::function<bool()> change;
    } cases[] = {
        {"delete a task that is gone",
         [&] {
             document.DeleteTask(404);
             return true;
         }},
        {"update a task that is gone", [&] {
             TaskCard task;
             task.SetId(404);
             document.UpdateTask(task);
             return true;
         }},
        {"delete tasks of which two are gone",
         [&] {
             TaskCard task(L"Kept apart", L"", 1, 0, 0, 0, 0, 0, -1);
             document.AddTask(task);
             document.DeleteTasks({404, task.GetId(), 405});
             TaskCard gone;
             return !document.GetTask(task.GetId(), gone, false);
         }},
        {"update tasks of which two are gone",
         [&] {
             TaskCard task(L"Kept apart", L"", 1, 0, 0, 0, 0, 0, -1);
             document.AddTask(task);
             TaskCard missing;
             missing.SetId(404);
             TaskCard renamed = task;
             renamed.SetName(L"Renamed apart");
             document.UpdateTasks({missing, renamed, missing});
             TaskCard read;
             return document.GetTask(task.GetId(), read, false) && read.GetName() == L"Renamed apart";
         }},
        {"add a person to a group that is gone",
         [&] {
             Person person(0, L"dan", L"", L"", L"", 0);
             return !document.AddPerson(404, person);
         }},
        {"delete a person who is gone",
         [&] {
             document.DeletePerson(404);
             return true;
         }},
    };
    for (const auto& c : cases) {
        ClearMark();
        EXPECT_TRUE(c.change()) << c.name << ": the failure value";
        EXPECT_EQ(document.IsModified(), 1) << c.name;
        ASSERT_EQ(prompts.errors.size(), 1u) << c.name;
        EXPECT_TRUE(TakeCodes().empty()) << c.name;
    }
    const EString log = NewLogText();
    EXPECT_NE(log.find(L"CATCH 0x80004003: "), EString::npos) << testing::PrintToString(log);
    EXPECT_EQ(session.synced.size() + session.removed.size(), 0u);
    EXPECT_TRUE(document.GetSyncQueue().GetPendingNames().empty()) << "a person who is gone is not queued";
}

TEST_F(PlanListsTest, RenamingChangesOnlyARealChangeOfName)
{
    TaskCard task(L"Call Ann", L"", 1, 0, 0, 0, 0, 0, -1);
    document.AddTask(task);
    document.SetSelectedTaskIds({task.GetId()});
    const struct {
        const char* name;
        EString newName;
        int id;
        EString stored;
        Codes codes;
    } cases[] = {
        {"letter case alone", L"CALL ANN", task.GetId(), L"Call Ann", {}},
        {"the first selected task", L"Call Bob", 0, L"Call Bob", {NotifyCode::kTasksChanged}},
        {"blanks are no name", L"  \t", task.GetId(), L"Call Bob", {}},
        {"nor is nothing", L"", task.GetId(), L"Call Bob", {}},
        {"a task that is gone", L"Other", 404, L"Call Bob", {}},
    };
    for (const auto& c : cases) {
        ClearMark();
        document.RenameTask(c.newName, c.id);
        TaskCard stored;
        ASSERT_TRUE(document.GetTask(task.GetId(), stored)) << c.name;
        EXPECT_EQ(stored.GetName(), c.stored) << c.name;
        EXPECT_EQ(TakeCodes(), c.codes) << c.name;
    }
    EXPECT_EQ(document.GetSelectedTaskName(), L"Call Bob");
    EXPECT_EQ(prompts.errors.size(), 1u) << "reading the task that is gone";
    TaskCard missing;
    prompts.errors.clear();
    EXPECT_FALSE(document.GetTask(404, missing, false));
    EXPECT_TRUE(prompts.errors.empty()) << "a silent read";
}

TEST_F(PlanListsTest, TasksGoUnderTheCurrentCategory)
{
    Category work(L"Work", L"", 0, 0);
    ASSERT_TRUE(document.AddCategory(0, work));
    Category sub(L"Offers", L"", 0, 0);
    ASSERT_TRUE(document.AddCategory(work.GetId(), sub));
    mainWindow.messages.clear();
    document.SetCurrentCategoryId(sub.GetId());
    TaskCard task(L"Write offer", L"", 2, 0, 0, 0, 0, 0, -1);
    ASSERT_TRUE(document.AddTask(task));
    EXPECT_EQ(document.GetTaskCategory(task.GetId()), sub.GetId());
    EXPECT_EQ(document.GetCategoryPath(sub.GetId()), L"Work");
    Category current;
    ASSERT_TRUE(document.GetCurrentCategory(current));
    EXPECT_EQ(current.GetName(), L"Offers");
    std::vector<Category> top;
    document.GetSubCategories(0, top);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].GetName(), L"Work");

    document.SetCurrentCategoryId(0);
    EXPECT_FALSE(document.GetCurrentCategory(current));
    ASSERT_EQ(mainWindow.messages.size(), 2u);
    EXPECT_EQ(mainWindow.messages[0].message, WM_MAINFRAME_ENABLE_FILTERS);
    EXPECT_EQ(mainWindow.messages[0].wParam, 0u);
    EXPECT_EQ(mainWindow.messages[1].wParam, 1u) << "no category: the frame enables its filters";
    EXPECT_EQ(document.GetTaskCategory(404), 0);
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(PlanListsTest, TheTopCategoryIsNamedInTheUserLanguage)
{
    Category root;
    ASSERT_TRUE(document.GetCategory(0, root));
    EXPECT_EQ(root.GetId(), 0);
    EXPECT_EQ(root.GetName(), L"ROOT_NAME");
    Resource::Dictionary().Parse(L"ROOT_NAME=Alle Kategorien");
    ASSERT_TRUE(document.GetCategory(-3, root));
    EXPECT_EQ(root.GetName(), L"Alle Kategorien");
    Resource::Dictionary().Clear();
}

TEST_F(PlanListsTest, TheTaskListsReadHoldsOnlyUntilAChangeIsToldOrTheListShowsOther)
{
    const TaskCard listed(L"Report", L"", 1, 0, 0, 0, 0, 0, -1);
    const DWORD sortField = Options::GetSortField(0, 0);
    const struct {
        const char* name;
        std::function<void()> then;
        bool holds;
    } cases[] = {
        {"the order told again", [&] { document.Notify(nullptr, NotifyCode::kTasksSorted); }, true},
        {"a change told", [&] { document.Notify(nullptr, NotifyCode::kAll); }, false},
        {"a filter changed", [&] { document.SetStatusFilter(1); }, false},
        {"another category", [&] { document.SetCurrentCategoryId(document.GetCurrentCategoryId() + 1); }, false},
        {"another order", [&] { Options::SetSortField(0, sortField + 1); }, false},
    };
    for (const auto& c : cases) {
        document.SetListedTasks({listed});
        c.then();
        const auto held = document.GetListedTasks();
        EXPECT_EQ(held != nullptr, c.holds) << c.name;
        if (held) {
            EXPECT_EQ(held->front().GetName(), L"Report") << c.name;
        }
        Options::SetSortField(0, sortField);
    }
}

TEST_F(PlanListsTest, TheDaysSpannedByTheSelectedTasksAreThoseOfTheirCategorysTasks)
{
    Category work(L"Work", L"", 0, 0);
    ASSERT_TRUE(document.AddCategory(0, work));
    Category sub(L"Offers", L"", 0, 0);
    ASSERT_TRUE(document.AddCategory(work.GetId(), sub));
    const double today = Clock::Today();
    document.SetCurrentCategoryId(sub.GetId());
    TaskCard distant(L"Far offer", L"", 2, today + 90, 0, 0, 0, 0, -1);
    ASSERT_TRUE(document.AddTask(distant));
    ASSERT_TRUE(document.AddPlanEntry(today - 30, TaskPlanEntry(distant.GetId(), 0.4, 0.5, L"", L"Far offer", 0, 0)));
    document.SetCurrentCategoryId(work.GetId());
    TaskCard soon(L"Call", L"", 1, today + 2, 0, 0, 0, 0, -1);
    ASSERT_TRUE(document.AddTask(soon));
    // Shown alone, a category's own tasks are fewer than the subtree the days count.
    for (const char* transparency : {"subcategories' tasks shown", "own tasks only"}) {
        std::vector<TaskCard> selected;
        document.SelectTasks(selected, true, true);
        double first = 0, last = 0, readFirst = 0, readLast = 0;
        document.GetTaskDateRange(first, last, true, true, &selected);
        document.GetTaskDateRange(readFirst, readLast, true, true);
        EXPECT_EQ(first, today - 30) << transparency;
        EXPECT_EQ(last, today + 90) << transparency;
        EXPECT_EQ(readFirst, first) << transparency;
        EXPECT_EQ(readLast, last) << transparency;
        LRESULT result = 0;
        document.ProcessWindowMessage(mainWindow.Handle(), WM_COMMAND, ID_TRANSPARENT_CATEGORIES, 0, result);
    }
}

TEST_F(PlanListsTest, FiltersAreKeptAndEveryoneReloads)
{
    document.SetStatusFilter(1);
    document.SetDeadlineFilter(2);
    document.SetPriorityFilter(3);
    EXPECT_EQ(TakeCodes(), (Codes{NotifyCode::kAll, NotifyCode::kAll, NotifyCode::kAll}));
    const FilterInfo all = document.MakeFilter(true, true);
    EXPECT_EQ(all.GetStatusFilter(), 1);
    EXPECT_EQ(all.GetDeadlineFilter(), 2);
    EXPECT_EQ(all.GetPriorityFilter(), 3);
    const FilterInfo some = document.MakeFilter(false, false);
    EXPECT_EQ(some.GetStatusFilter(), 0);
    EXPECT_EQ(some.GetDeadlineFilter(), 0);
    EXPECT_EQ(some.GetPriorityFilter(), 3) << "always passed";
    EXPECT_EQ(Options::GetFilterField(), 0u) << "the frame writes the settings";

    Category completed(L"Done", L"", 0, 1);
    const struct {
        int statusFilter;
        bool shown;
    } cases[] = {{0, true}, {1, false}, {2, false}, {3, false}, {4, true}};
    for (const auto& c : cases) {
        document.SetStatusFilter(c.statusFilter);
        EXPECT_EQ(document.IsCategoryShown(completed), c.shown) << c.statusFilter;
        EXPECT_TRUE(document.IsCategoryShown(Category(L"Open", L"", 0, 0))) << c.statusFilter;
    }
}

TEST_F(PlanListsTest, CompletingACategoryIsAskedUnlessSwitchedOff)
{
    Category category(L"Move house", L"", 0, 0);
    const struct {
        const char* name;
        DWORD promptSetting;
        bool answer;
        bool tick;
        bool completes;
        bool asked;
        DWORD settingAfter;
    } cases[] = {
        {"switched off", 0, true, false, false, false, 0},
        {"yes", 1, true, false, true, true, 1},
        {"no", 1, false, false, false, true, 1},
        {"no, and do not ask again", 1, false, true, false, true, 0},
    };
    for (const auto& c : cases) {
        Options::SetPromptForCompletingCategory(c.promptSetting);
        dialogs.asked.clear();
        dialogs.completeMessages.clear();
        dialogs.completeAnswers = {c.answer};
        dialogs.doNotAskAgain = c.tick;
        EXPECT_EQ(document.PromptCategoryCompletion(category), c.completes) << c.name;
        EXPECT_EQ(!dialogs.asked.empty(), c.asked) << c.name;
        EXPECT_EQ(Options::GetPromptForCompletingCategory(), c.settingAfter) << c.name;
        if (c.asked) {
            EXPECT_NE(dialogs.completeMessages.at(0).find(L"Move house"), EString::npos) << c.name;
        }
    }
}

TEST_F(PlanListsTest, AddingAMoodMakesItTheCurrentMood)
{
    MoodItem mood(L"Focused", RGB(10, 20, 30));
    document.AddMood(mood);
    EXPECT_EQ(document.GetCurrentMoodId(), mood.GetId());
    EXPECT_EQ(Nodes(L"//MOODSDAILY/DAY[@DATE=\"2024-05-15\"]/MOODSTATE").GetNodes().size(), 1u);
    MoodItem read;
    ASSERT_TRUE(document.GetMood(mood.GetId(), read));
    EXPECT_EQ(read.GetName(), L"Focused");

    // The cache is read from the document only while it is 0.
    document.GetDataManager().SetMoodState(Date(2024, 5, 15) + Time(11, 0), 999);
    EXPECT_EQ(document.GetCurrentMoodId(), mood.GetId());
}

TEST_F(PlanListsTest, MoodsAndPeopleGetTheirDefaultsOnlyWhenThereAreNone)
{
    ClearMark();
    std::vector<MoodItem> moods;
    document.GetMoods(moods);
    EXPECT_EQ(moods.size(), 20u);
    EXPECT_EQ(document.IsModified(), 1);
    ClearMark();
    moods.clear();
    document.GetMoods(moods);
    EXPECT_EQ(moods.size(), 20u);
    EXPECT_EQ(document.IsModified(), 0) << "moods there: nothing written";

    std::vector<Person> members;
    ASSERT_TRUE(document.GetPeople(404, members) == false);
    prompts.errors.clear();
    ClearMark();
    std::vector<Person> people;
    ASSERT_TRUE(document.GetPeople(0, people));
    ASSERT_EQ(people.size(), 1u);
    EXPECT_TRUE(people[0].IsGroup());
    EXPECT_EQ(document.IsModified(), 1);
    ClearMark();
    members.clear();
    ASSERT_TRUE(document.GetPeople(people[0].GetId(), members));
    EXPECT_EQ(members.size(), 1u);
    Category empty(L"Group without members", L"", 0, 0);
    Person group(1, L"Empty group", L"", L"", L"", 0);
    ASSERT_TRUE(document.AddPerson(0, group));
    ClearMark();
    members.clear();
    ASSERT_TRUE(document.GetPeople(group.GetId(), members));
    EXPECT_TRUE(members.empty());
    EXPECT_EQ(document.IsModified(), 0) << "a group's members never get defaults";
}

TEST_F(PlanListsTest, PeopleChangesReachTheSessionOnlyWhileLoggedIn)
{
    Person ann(0, L"ann", L"", L"Ann", L"", 0);
    Person bob(0, L"bob", L"", L"Bob", L"", 0);
    document.AddPerson(0, ann);
    bob.SetName(L"bob");
    document.AddPerson(0, bob);
    document.DeletePerson(bob.GetId());
    EXPECT_EQ(document.GetSyncQueue().GetPendingIds(), (std::deque<int>{ann.GetId(), bob.GetId()}));
    EXPECT_EQ(document.GetSyncQueue().GetPendingNames(), std::deque<EString>{L"bob"});

    session.loggedIn = true;
    ann.SetFullName(L"Ann Smith");
    document.UpdatePerson(ann);
    document.DeletePerson(ann.GetId());
    EXPECT_EQ(session.synced, std::vector<EString>{L"ann"});
    EXPECT_EQ(session.removed, std::vector<EString>{L"ann"});
    Person gone;
    EXPECT_FALSE(document.GetPerson(ann.GetId(), gone));
}

TEST_F(PlanListsTest, TreeStatesTravelWithTheFile)
{
    document.SetSelectedCategory(12);
    document.SaveCategoryTreeState({3, 5});
    document.SetSelectedPerson(7);
    document.SavePeopleTreeState({7, 8});
    EXPECT_EQ(document.GetSelectedCategory(), 12);
    EXPECT_EQ(document.GetSelectedPerson(), 7);
    std::vector<int> ids;
    document.LoadCategoryTreeState(ids);
    EXPECT_EQ(ids, (std::vector<int>{3, 5}));
    document.LoadPeopleTreeState(ids);
    EXPECT_EQ(ids, (std::vector<int>{7, 8}));

    // The views store their state again before every open: the same state is no change.
    ClearMark();
    document.SetSelectedCategory(12);
    document.SaveCategoryTreeState({3, 5});
    document.SavePeopleTreeState({7, 8});
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_EQ(mainWindow.Title(), L"Untitled - Quorvane");
}

TEST_F(PlanListsTest, RecurrencesAndRemindersAreKeyedByTheirTask)
{
    TaskCard task(L"Stand-up", L"", 0.25, 0, 0, 0, 0, 0, -1);
    document.AddTask(task);
    RecurrenceInfo rule;
    EXPECT_FALSE(document.GetRecurrence(task.GetId(), rule));
    document.SetRecurrence(rule, task.GetId());
    RecurrenceInfo read;
    EXPECT_TRUE(document.GetRecurrence(task.GetId(), read));
    EXPECT_EQ(read.GetId(), task.GetId());

    ReminderInfo reminder(task.GetId(), Date(2024, 5, 20), Time(8, 30));
    document.AddReminder(reminder);
    ReminderInfo readReminder;
    EXPECT_TRUE(document.GetReminder(task.GetId(), readReminder));
    EXPECT_EQ(readReminder.GetAlarmDate(), Date(2024, 5, 20));
    std::vector<ReminderInfo> reminders;
    document.GetReminders(reminders);
    EXPECT_EQ(reminders.size(), 1u);

    // Its alert dismissed once it is gone deletes nothing, so nothing is to save.
    document.DeleteReminder(task.GetId());
    EXPECT_FALSE(document.GetReminder(task.GetId(), readReminder));
    ClearMark();
    document.DeleteReminder(task.GetId());
    EXPECT_EQ(document.IsModified(), 0);
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(PlanListsTest, ChosenGoalsBecomeTasksInTheGoalsCategory)
{
    const struct {
        const char* name;
        std::optional<std::vector<int>> choice;
        size_t categories;
        bool notified;
    } cases[] = {
        {"cancelled", std::nullopt, 0, false},
        {"two goals", std::vector<int>{0, 2}, 2, true},
        {"none, but OK", std::vector<int>{}, 2, true},
    };
    for (const auto& c : cases) {
        ClearMark();
        dialogs.goalChoices = {c.choice};
        LRESULT result = 0;
        document.ProcessWindowMessage(mainWindow.Handle(), WM_COMMAND, ID_FIND_GOALS_WIZARD, 0, result);
        EXPECT_EQ(Nodes(L"/ROOT/CATEGORY/CATEGORY").GetNodes().size(), c.categories) << c.name;
        EXPECT_EQ(document.IsModified(), c.notified ? 1 : 0) << c.name;
        const Codes codes = TakeCodes();
        EXPECT_EQ(codes.size(), c.notified ? 1u : 0u) << c.name;
        if (c.notified) {
            Category goals;
            ASSERT_TRUE(document.GetCategory(codes.at(0), goals)) << c.name;
            EXPECT_EQ(goals.GetName(), L"Goals") << c.name;
        }
    }
    EXPECT_EQ(Nodes(L"//TASK[starts-with(@NAME, 'Thinking about: ')]").GetNodes().size(), 2u);
}

