// Texts with characters a plan's file cannot hold, through every operation that stores a text.
#include <gtest/gtest.h>

#include <functional>

#include "document/PelquornDocTestSupport.h"
#include "foundation/FileSystem.h"
#include "resources/DocumentCommandIds.h"
#include "testing/TestSupport.h"

namespace {

constexpr double kDay = 46083.0;

// What a text keeps around the left-out character: tab, bare LF, CR LF, the
// replacement character, a private-use one and an astral pair.
const EString kKept = L"\t1\n2\r\n3\xFFFD\xE000\xD83D\xDE00";

// A long text gives a bare LF back as CR LF, as every description does.
EString AsLongText(const EString& text)
{
    EString lines;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r'))
            lines += L'\r';
        lines += text[i];
    }
    return lines;
}

// Puts a text into the plan and gives the id of the record that holds it.
using Put = std::function<int(const EString& text)>;
using Read = std::function<EString(int id)>;

class PlanTextsTest : public PlanDocTest {
protected:
    bool SaveAndReopen(const char* where)
    {
        const EString path = FileSystem::JoinPath(folder, L"texts.qvr");
        prompts.paths = {path};
        prompts.errors.clear();
        const bool reopened = document.SaveAs() && document.OpenPath(path);
        EXPECT_TRUE(reopened) << where << ": " << (prompts.errors.empty() ? L"" : prompts.errors.back().c_str());
        return reopened;
    }
    int AddTask(const EString& name, const EString& description)
    {
        TaskCard task(name, description, 1, kDay, 1, TaskCard::kNew, 0, 0, -1);
        document.AddTask(task);
        return task.GetId();
    }
    // The record of that id as the document reads it.
    template <class Record>
    Record Stored(bool (CPelquornDoc::*get)(int, Record&), int id)
    {
        Record record;
        (document.*get)(id, record);
        return record;
    }
    Category CategoryOf(int id) { return Stored(&CPelquornDoc::GetCategory, id); }
    TaskPlanEntry Entry(int id) { return Stored(&CPelquornDoc::GetPlanEntry, id); }
    Person PersonOf(int id) { return Stored(&CPelquornDoc::GetPerson, id); }
    MoodItem Mood(int id) { return Stored(&CPelquornDoc::GetMood, id); }
    TaskCard Task(int id)
    {
        TaskCard task;
        document.GetTask(id, task, false);
        return task;
    }
    int AddCategory(const EString& name, const EString& description)
    {
        Category category(name, description, kDay, 0);
        document.AddCategory(0, category);
        return category.GetId();
    }
    int AddEntry(const EString& description)
    {
        TaskPlanEntry entry(m_host, 0.375, 0.5, description, L"", 0, 0);
        document.AddPlanEntry(kDay, entry);
        return entry.GetId();
    }
    int AddPerson(bool isGroup, const EString& name, const EString& description, const EString& fullName,
                  const EString& email)
    {
        Person person(isGroup ? 1 : 0, name, description, fullName, email, 0);
        document.AddPerson(isGroup ? 0 : m_group, person);
        if (isGroup)
            m_group = person.GetId();
        return person.GetId();
    }
    int AddGoal(const EString& name, const EString& description)
    {
        const Goal goal(name, description, kDay);
        document.GetDataManager().AddGoal(goal);
        return goal.GetId();
    }
    Goal GoalOf(int id)
    {
        std::vector<Goal> goals;
        document.DownloadGoals(goals);
        for (const Goal& goal : goals)
            if (goal.GetId() == id)
                return goal;
        return Goal();
    }
    // The only category under "Goals".
    EString ChosenGoalCategoryName()
    {
        std::vector<Category> goals;
        document.GetSubCategories(document.GetDataManager().FindGoalsCategoryId(), goals);
        return goals.size() == 1 ? goals.front().GetName() : EString(L"(not one goal category)");
    }
    // A copied task with this description pasted into a category of its own; the category's id.
    int PasteTask(const EString& description)
    {
        const int category = AddCategory(L"Pasted", L"");
        document.SetCurrentCategoryId(category);
        document.PasteXml(L"<ROOT><TASK ID=\"3\" NAME=\"Copied\" STATUS=\"0\" IMPORTANCE=\"1\" ESTIMATION=\"1.0\">"
                          L"<DESCRIPTION>" + description + L"</DESCRIPTION></TASK></ROOT>");
        document.SetCurrentCategoryId(0);
        return category;
    }
    TaskCard OnlyTaskOf(int categoryId)
    {
        document.SetCurrentCategoryId(categoryId);
        std::vector<TaskCard> tasks;
        document.SelectTasks(tasks, false, false);
        document.SetCurrentCategoryId(0);
        return tasks.size() == 1 ? tasks.front() : TaskCard();
    }
    DocProperties Properties()
    {
        DocProperties properties;
        document.GetDataManager().GetProperties(properties);
        return properties;
    }
    // A text of the plan's properties, through the Properties command and its
    // dialog; the properties are one record, with no id.
    Put PropertiesPut(void (DocProperties::*set)(const EString&))
    {
        return [this, set](const EString& text) {
            DocProperties properties = Properties();
            (properties.*set)(text);
            dialogs.properties = {properties};
            LRESULT result = 0;
            document.ProcessWindowMessage(mainWindow.Handle(), WM_COMMAND, ID_PROPERTIES, 0, result);
            return 0;
        };
    }
    // A new plan with a task to plan. Recurrences, reminders and holidays
    // hold dates and times only, none of the user's texts: the task has one
    // of each, to show that a plan holding them reopens whole.
    void StartPlan()
    {
        StartNew();
        m_host = AddTask(L"Host", L"");
        document.SetRecurrence(RecurrenceInfo(), m_host);
        document.AddReminder(ReminderInfo(m_host, kDay, 0.5));
        document.ToggleHoliday(kDay + 1);
    }
    void ExpectDatedRecordsKept(const char* where)
    {
        EXPECT_TRUE(document.HasRecurrence(m_host)) << where;
        ReminderInfo reminder;
        EXPECT_TRUE(document.GetReminder(m_host, reminder)) << where;
        std::vector<double> holidays;
        document.GetHolidays(holidays);
        EXPECT_EQ(holidays, std::vector<double>{kDay + 1}) << where;
    }

private:
    int m_host = 0;
    int m_group = 0;
};

} // namespace

TEST_F(PlanTextsTest, EveryStoredTextLeavesOutWhatTheFileCannotHoldAndReadsBackAfterTheSave)
{
    const struct {
        const char* name;
        EString left;
    } characters[] = {
        {"U+0001", EString(1, L'\x01')},
        {"escape", EString(1, L'\x1B')},
        {"form feed", EString(1, L'\x0C')},
        {"NUL", EString(1, L'\0')},
        {"U+FFFE", EString(1, L'\xFFFE')},
        {"U+FFFF", EString(1, L'\xFFFF')},
        {"unpaired high surrogate", EString(1, L'\xD800')},
        {"unpaired low surrogate", EString(1, L'\xDC00')},
        {"reversed pair", EString(L"\xDE00\xD83D")},
    };
    // Each text goes in through one operation, which gives the id its record
    // is read back by; a long text is a description or an address.
    const struct {
        const char* name;
        bool isLong;
        Put put;
        Read read;
    } texts[] = {
        {"task name", false, [&](const EString& t) { return AddTask(t, L""); },
         [&](int id) { return Task(id).GetName(); }},
        {"task description", true, [&](const EString& t) { return AddTask(L"Notes", t); },
         [&](int id) { return Task(id).GetDescription(); }},
        {"task name, edited", false,
         [&](const EString& t) {
             TaskCard task = Task(AddTask(L"Before", L""));
             task.SetName(t);
             document.UpdateTask(task);
             return task.GetId();
         },
         [&](int id) { return Task(id).GetName(); }},
        {"task renamed in place", false,
         [&](const EString& t) {
             const int id = AddTask(L"Old", L"");
             document.RenameTask(t, id);
             return id;
         },
         [&](int id) { return Task(id).GetName(); }},
        {"category name", false, [&](const EString& t) { return AddCategory(t, L""); },
         [&](int id) { return CategoryOf(id).GetName(); }},
        {"category description", true, [&](const EString& t) { return AddCategory(L"Home", t); },
         [&](int id) { return CategoryOf(id).GetDescription(); }},
        {"category name, edited", false,
         [&](const EString& t) {
             Category category = CategoryOf(AddCategory(L"Before", L""));
             category.SetName(t);
             document.UpdateCategory(category);
             return category.GetId();
         },
         [&](int id) { return CategoryOf(id).GetName(); }},
        {"plan entry comment", true, [&](const EString& t) { return AddEntry(t); },
         [&](int id) { return Entry(id).GetDescription(); }},
        {"plan entry comment, edited", true,
         [&](const EString& t) {
             TaskPlanEntry entry = Entry(AddEntry(L""));
             entry.SetDescription(t);
             document.UpdatePlanEntry(entry);
             return entry.GetId();
         },
         [&](int id) { return Entry(id).GetDescription(); }},
        {"group name", false, [&](const EString& t) { return AddPerson(true, t, L"", L"", L""); },
         [&](int id) { return PersonOf(id).GetName(); }},
        {"group description", false, [&](const EString& t) { return AddPerson(true, L"Team", t, L"", L""); },
         [&](int id) { return PersonOf(id).GetDescription(); }},
        {"person name", false, [&](const EString& t) { return AddPerson(false, t, L"", L"", L""); },
         [&](int id) { return PersonOf(id).GetName(); }},
        {"person description", false, [&](const EString& t) { return AddPerson(false, L"ann", t, L"", L""); },
         [&](int id) { return PersonOf(id).GetDescription(); }},
        {"person full name", false, [&](const EString& t) { return AddPerson(false, L"ann", L"", t, L""); },
         [&](int id) { return PersonOf(id).GetFullName(); }},
        {"person e-mail, edited", false,
         [&](const EString& t) {
             Person person = PersonOf(AddPerson(false, L"bob", L"", L"", L"bob@example.org"));
             person.SetEmail(t);
             document.UpdatePerson(person);
             return person.GetId();
         },
         [&](int id) { return PersonOf(id).GetEmail(); }},
        {"mood name", false,
         [&](const EString& t) {
             MoodItem mood(t, RGB(1, 2, 3));
             document.AddMood(mood);
             return mood.GetId();
         },
         [&](int id) { return Mood(id).GetName(); }},
        {"mood name, edited", false,
         [&](const EString& t) {
             MoodItem mood(L"Calm", RGB(1, 2, 3));
             document.AddMood(mood);
             mood.SetName(t);
             document.UpdateMood(mood);
             return mood.GetId();
         },
         [&](int id) { return Mood(id).GetName(); }},
        {"goal name", false, [&](const EString& t) { return AddGoal(t, L""); },
         [&](int id) { return GoalOf(id).GetName(); }},
        {"goal description", true, [&](const EString& t) { return AddGoal(L"Fit", t); },
         [&](int id) { return GoalOf(id).GetDescription(); }},
        {"category of a chosen goal", false,
         [&](const EString& t) {
             document.AddGoalTasks({Goal(t, L"", kDay)});
             return 0;
         },
         [&](int) { return ChosenGoalCategoryName(); }},
        {"description of a pasted task", true, [&](const EString& t) { return PasteTask(t); },
         [&](int category) { return OnlyTaskOf(category).GetDescription(); }},
        {"title", false, PropertiesPut(&DocProperties::SetTitle), [&](int) { return Properties().GetTitle(); }},
        {"author", false, PropertiesPut(&DocProperties::SetAuthor), [&](int) { return Properties().GetAuthor(); }},
        {"company", false, PropertiesPut(&DocProperties::SetCompany), [&](int) { return Properties().GetCompany(); }},
        {"manager", false, PropertiesPut(&DocProperties::SetManager), [&](int) { return Properties().GetManager(); }},
        {"address", true, PropertiesPut(&DocProperties::SetAddress), [&](int) { return Properties().GetAddress(); }},
    };
    for (const auto& c : characters) {
        StartPlan();
        const EString dirty = L"a" + c.left + kKept + c.left + L"b" + c.left;
        const EString clean = L"a" + kKept + L"b";
        std::vector<int> ids;
        for (const auto& text : texts) {
            ids.push_back(text.put(dirty));
            EXPECT_EQ(text.read(ids.back()), text.isLong ? AsLongText(clean) : clean) << c.name << ", " << text.name;
        }
        if (!SaveAndReopen(c.name))
            continue;
        for (size_t i = 0; i < std::size(texts); ++i)
            EXPECT_EQ(texts[i].read(ids[i]), texts[i].isLong ? AsLongText(clean) : clean)
                << c.name << ", " << texts[i].name << ", reopened";
        ExpectDatedRecordsKept(c.name);
    }
}

// A text of ten million characters, which the XML reader would refuse once
// saved, through the operations a script or a rename in place uses: held to
// the plan's limits, and the plan saves and opens again.
TEST_F(PlanTextsTest, EveryStoredTextIsHeldToWhatThePlanKeeps)
{
    const EString huge(10000001, L'x');
    const EString name200(200, L'x'), name100(100, L'x'), long1M(1000000, L'x');
    const struct {
        const char* name;
        Put put;
        Read read;
        EString kept;
    } texts[] = {
        {"task name", [&](const EString& t) { return AddTask(t, L""); }, [&](int id) { return Task(id).GetName(); },
         name200},
        {"task renamed in place",
         [&](const EString& t) {
             const int id = AddTask(L"Old", L"");
             document.RenameTask(t, id);
             return id;
         },
         [&](int id) { return Task(id).GetName(); }, name200},
        {"task description", [&](const EString& t) { return AddTask(L"Notes", t); },
         [&](int id) { return Task(id).GetDescription(); }, long1M},
        {"category name, edited",
         [&](const EString& t) {
             Category category = CategoryOf(AddCategory(L"Before", L""));
             category.SetName(t);
             document.UpdateCategory(category);
             return category.GetId();
         },
         [&](int id) { return CategoryOf(id).GetName(); }, name100},
        {"category description", [&](const EString& t) { return AddCategory(L"Home", t); },
         [&](int id) { return CategoryOf(id).GetDescription(); }, long1M},
        {"plan entry comment", [&](const EString& t) { return AddEntry(t); },
         [&](int id) { return Entry(id).GetDescription(); }, long1M},
        {"person description", [&](const EString& t) { return AddPerson(false, L"ann", t, L"", L""); },
         [&](int id) { return PersonOf(id).GetDescription(); }, long1M},
        {"title", PropertiesPut(&DocProperties::SetTitle), [&](int) { return Properties().GetTitle(); }, long1M},
    };
    StartPlan();
    std::vector<int> ids;
    for (const auto& text : texts) {
        ids.push_back(text.put(huge));
        EXPECT_EQ(text.read(ids.back()), text.kept) << text.name;
    }
    ASSERT_TRUE(SaveAndReopen("long texts"));
    for (size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(texts[i].read(ids[i]), texts[i].kept) << texts[i].name << ", reopened";
}
