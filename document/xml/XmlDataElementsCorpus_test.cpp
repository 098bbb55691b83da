#include <gtest/gtest.h>

#include "document/model/TaskPlanEntry.h"
#include "document/xml/ElementsTestSupport.h"
#include "document/xml/XmlFileText.h"
#include "testing/TestSupport.h"

namespace {

constexpr HRESULT kLoadFailed = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

class CorpusTest : public ElementsTest {
protected:
    void Open(const wchar_t* name)
    {
        m_doc.Load(TestFile(name));
        m_doc.AfterLoad();
    }

    // The file as a save writes it back: without its declaration, line ends read as LF.
    static EString AsSaved(const wchar_t* name)
    {
        EString text = XmlFileText::Read(TestFile(name));
        if (text.compare(0, 5, L"<?xml") == 0)
            text.erase(0, text.find(L'\n') + 1);
        text.Replace(L"\r\n", L"\n");
        return text;
    }

    TestElements m_doc;
};

} // namespace

TEST_F(CorpusTest, FullPlanReadsEveryKindOfElement)
{
    Open(L"full.qvr");
    TaskCard task;
    m_doc.GetTask(1, task);
    EXPECT_EQ(task.GetName(), L"Angebot schreiben");
    EXPECT_EQ(task.GetStatus(), 1);
    EXPECT_EQ(task.GetImportance(), 0);
    EXPECT_EQ(task.GetDeadline(), Date(2024, 5, 20));
    EXPECT_EQ(task.GetEstimation(), 2.5);
    EXPECT_EQ(task.GetColorDef(), 14540287);
    EXPECT_EQ(task.GetOriginalEstimation(), 3.0);
    EXPECT_EQ(task.GetDescription(), L"first line\r\nsecond line");
    EXPECT_EQ(task.GetCategoryPath(), L"Arbeit \u2013 B\u00FCro");
    m_doc.GetTask(2, task);
    EXPECT_EQ(task.GetCategoryPath(), L"Arbeit \u2013 B\u00FCro/Projekte/\u65E5\u672C\u8A9E");
    EXPECT_FALSE(task.HasOriginalEstimation());
    m_doc.GetTask(3, task);
    EXPECT_EQ(task.GetDescription(), L"Old & new <3");
    EXPECT_EQ(task.GetCategoryPath(), L"");

    Category category;
    m_doc.GetCategory(1, category);
    EXPECT_EQ(category.GetDescription(), L"Zwei Zeilen\r\nmit Umlauten: \u00E4\u00F6\u00FC");
    m_doc.GetCategory(3, category);
    EXPECT_EQ(category.GetDescription(), L"  ");
    EXPECT_EQ(category.GetStatus(), 1);
    EXPECT_EQ(m_doc.GetCategoryPathText(3), L"Arbeit \u2013 B\u00FCro\\Projekte");

    EXPECT_EQ(m_doc.SelectTaskPlanEntries(3).GetLength(), 1);
    EXPECT_EQ(XmlDataElements::GetEntryDay(m_doc.SelectTaskPlanEntries(3).GetItem(0)), Date(2024, 5, 15));
    EXPECT_EQ(m_doc.GetCurrentMoodId(), 2);
    std::vector<MoodItem> moods;
    m_doc.GetMoods(moods);
    ASSERT_EQ(moods.size(), 2u);
    EXPECT_EQ(moods[1].GetName(), L"M\u00FCde");
    EXPECT_EQ(moods[1].GetColor(), RGB(0x87, 0x38, 0x76));

    std::vector<Goal> goals;
    m_doc.GetGoals(goals);
    ASSERT_EQ(goals.size(), 1u);
    EXPECT_EQ(goals[0].GetDescription(), L"Every day\r\na little");
    EXPECT_EQ(goals[0].GetDeadline(), Date(2025, 1, 1));

    std::vector<Person> people;
    m_doc.GetPeople(0, people);
    ASSERT_EQ(people.size(), 2u);
    EXPECT_TRUE(people[0].IsGroup());
    people.clear();
    m_doc.GetPeople(1, people);
    ASSERT_EQ(people.size(), 1u);
    EXPECT_EQ(people[0].GetDescription(), L"Line one\r\nline two");
    EXPECT_EQ(people[0].GetFullName(), L"Ann \u00C4rmel");
    EXPECT_EQ(m_doc.GetSelectedPerson(), 2);

    std::vector<int> ids;
    m_doc.LoadCategoryTreeState(ids);
    EXPECT_EQ(ids, (std::vector<int>{1, 2}));
    m_doc.LoadPeopleTreeState(ids);
    EXPECT_EQ(ids, std::vector<int>{1});
    EXPECT_EQ(m_doc.GetSelectedCategory(), 2);

    RecurrenceInfo rule;
    EXPECT_TRUE(m_doc.GetRecurrence(3, rule));
    EXPECT_EQ(rule.GetPatternPeriod(), RecurrenceInfo::kWeekly);
    EXPECT_EQ(rule.GetEveryWeekIndex(), 1);
    EXPECT_EQ(rule.GetMonday() + rule.GetWednesday() + rule.GetFriday(), 3);
    EXPECT_EQ(rule.GetEndDate(), Date(2024, 12, 31));
    EXPECT_EQ(rule.GetEndTime(), Time(11, 45));
    EXPECT_TRUE(rule.Contains(Date(2009, 1, 1)));
    EXPECT_TRUE(m_doc.IsPlanCompleted(3, 2));
    ReminderInfo reminder;
    EXPECT_TRUE(m_doc.GetReminder(1, reminder));
    EXPECT_EQ(reminder.GetAlarmDate(), Date(2024, 5, 20));
    EXPECT_EQ(reminder.GetAlarmTime(), Time(8, 30));
    std::vector<double> holidays;
    m_doc.GetHolidays(holidays);
    EXPECT_EQ(holidays, (std::vector<double>{39814, 45444}));
    DocProperties properties;
    m_doc.GetProperties(properties);
    EXPECT_EQ(properties.GetAuthor(), L"Zo\u00EB");
    EXPECT_EQ(properties.GetAddress(), L"Street 1\r\nTown");

    EXPECT_EQ(TaskCard::NextId(), 4);
    EXPECT_EQ(Category::NextId(), 4);
    EXPECT_EQ(TaskPlanEntry::NextId(), 3);
    EXPECT_EQ(MoodItem::NextId(), 3);
    EXPECT_EQ(MoodState::NextId(), 3);
    EXPECT_EQ(Goal::NextId(), 2);
    EXPECT_EQ(Person::NextId(), 4);
}

TEST_F(CorpusTest, EveryFileRoundTripsUnchanged)
{
    for (const wchar_t* name : {L"full.qvr", L"legacy.qvr", L"empty_sections.qvr", L"references.qvr"}) {
        Open(name);
        EXPECT_EQ(SavedText(m_doc), AsSaved(name)) << testing::PrintToString(EString(name));
    }
}

TEST_F(CorpusTest, RecordsReadAndWrittenBackUnchangedLeaveTheFileAsItWas)
{
    Open(L"full.qvr");
    for (int id = 1; id <= 3; ++id) {
        TaskCard task;
        m_doc.GetTask(id, task);
        m_doc.UpdateTask(task);
        Category category;
        m_doc.GetCategory(id, category);
        m_doc.UpdateCategory(category);
        Person person;
        m_doc.GetPersonById(id, person);
        m_doc.UpdatePerson(person);
    }
    for (int id = 1; id <= 2; ++id) {
        MoodItem mood;
        m_doc.GetMood(id, mood);
        m_doc.UpdateMood(mood);
    }
    for (const XmlNode& state : m_doc.GetDocument(false).SelectNodes(L"//MOODSTATE").GetNodes()) {
        MoodState record;
        m_doc.ReadMoodState(state, record);
        m_doc.WriteMoodState(state, record);
    }
    const XmlNode goal = Select(m_doc, L"//GOAL");
    Goal goalRecord;
    m_doc.ReadGoal(goal, goalRecord);
    m_doc.WriteGoal(goal, goalRecord);
    RecurrenceInfo rule;
    m_doc.GetRecurrence(3, rule);
    m_doc.SetRecurrence(rule, false);
    ReminderInfo reminder;
    m_doc.GetReminder(1, reminder);
    m_doc.AddReminder(reminder);
    DocProperties properties;
    m_doc.GetProperties(properties);
    m_doc.SetProperties(properties);
    EXPECT_EQ(SavedText(m_doc), AsSaved(L"full.qvr"));
}

TEST_F(CorpusTest, EditsAreSavedInTheDocumentsFormsAndReloadAsMade)
{
    Open(L"full.qvr");
    TaskCard task(L"Neu \u2013 \u00DF", L"x\r\ny", 1.5, Date(2024, 6, 3), 2, 0, 0, 0, -1);
    m_doc.AddTask(3, task);
    const Category category(L"Sub", L"", Date(2024, 8, 1), 0);
    m_doc.AddCategory(2, category);
    m_doc.SetMoodState(Date(2024, 5, 16), 1);
    m_doc.SetSelectedCategory(category.GetId());

    const EString saved = SavedText(m_doc);
    const struct {
        const wchar_t* text;
    } expected[] = {
        {L"<TASK ID=\"4\" NAME=\"Neu \u2013 \u00DF\" STATUS=\"0\" IMPORTANCE=\"2\" DEADLINE=\"2024-06-03\" "
         L"ESTIMATION=\"1.5\" COLORDEF=\"14548957\"><DESCRIPTION>x\ny</DESCRIPTION></TASK>"},
        {L"<CATEGORY ID=\"4\" NAME=\"Sub\" STATUS=\"0\" DEADLINE=\"2024-08-01\"><DESCRIPTION/></CATEGORY>"},
        {L"<CATEGORY ID=\"2\" NAME=\"Projekte\" STATUS=\"0\" DEADLINE=\"2024-07-01\">"},
        {L"<CATEGORY ID=\"3\" NAME=\"\u65E5\u672C\u8A9E\" STATUS=\"0\" DEADLINE=\"2024-07-02\">"},
        {L"<MOODSDAILY MOODID=\"1\">"},
        {L"<DAY DATE=\"2024-05-16\"><MOODSTATE ID=\"3\" STARTTIME=\"10:30\" MOODID=\"1\"/></DAY></MOODSDAILY>"},
        {L"<STATESECTION SELECTEDCATEGORY=\"4\">"},
    };
    for (const auto& e : expected)
        EXPECT_NE(saved.find(e.text), EString::npos) << testing::PrintToString(EString(e.text));

    TestElements reloaded;
    SaveAndReload(m_doc, reloaded, L"corpus-edits");
    TaskCard read;
    reloaded.GetTask(task.GetId(), read);
    EXPECT_EQ(read.GetDescription(), L"x\r\ny");
    EXPECT_EQ(read.GetCategoryPath(), L"Arbeit \u2013 B\u00FCro/Projekte/\u65E5\u672C\u8A9E");
    EXPECT_EQ(reloaded.GetParentCategoryId(category.GetId()), 2);
}

TEST_F(CorpusTest, OlderAndSparseFilesReadWithTheDefaults)
{
    Open(L"legacy.qvr");
    TaskCard task;
    m_doc.GetTask(7, task);
    EXPECT_EQ(task.GetImportance(), 1);
    EXPECT_FALSE(task.HasOriginalEstimation());
    EXPECT_EQ(task.GetEstimation(), 4.0);
    EXPECT_EQ(task.GetColorDef(), -1);
    EXPECT_EQ(task.GetCategoryPath(), L"Old");
    m_doc.GetTask(8, task);
    EXPECT_EQ(task.GetName(), L"");
    EXPECT_EQ(task.GetStatus(), 0);
    std::vector<MoodItem> moods;
    m_doc.GetMoods(moods);
    ASSERT_EQ(moods.size(), 3u);
    EXPECT_EQ(moods[0].GetColor(), 0u);
    EXPECT_EQ(moods[1].GetColor(), RGB(0x1E, 0, 0));
    EXPECT_EQ(moods[2].GetColor(), RGB(0, 0x80, 0));
    std::vector<double> holidays;
    m_doc.GetHolidays(holidays);
    EXPECT_EQ(holidays, (std::vector<double>{0, 0}));
    RecurrenceInfo rule;
    EXPECT_TRUE(m_doc.GetRecurrence(8, rule));
    EXPECT_EQ(rule.GetStartDate(), 0.0);
    ReminderInfo reminder;
    EXPECT_TRUE(m_doc.GetReminder(7, reminder));
    EXPECT_EQ(reminder.GetAlarmDate(), 0.0);
    Person person;
    m_doc.GetPersonById(4, person);
    EXPECT_FALSE(person.IsGroup());
    EXPECT_EQ(TaskCard::NextId(), 9);
    EXPECT_EQ(Goal::NextId(), 3);
}

TEST_F(CorpusTest, EmptySectionsInAnyOrderAreUsedAndNeverDoubled)
{
    Open(L"empty_sections.qvr");
    std::vector<MoodItem> moods;
    m_doc.GetMoods(moods);
    EXPECT_TRUE(moods.empty());
    std::vector<Person> people;
    m_doc.GetPeople(0, people);
    EXPECT_TRUE(people.empty());
    std::vector<int> ids{1};
    m_doc.LoadCategoryTreeState(ids);
    EXPECT_TRUE(ids.empty());
    DocProperties properties;
    m_doc.GetProperties(properties);
    EXPECT_EQ(properties.GetTitle(), L"");

    m_doc.AddMood(MoodItem(L"m", 0));
    m_doc.AddTask(0, TaskCard(L"t", L"", 1, 0, 1, 0, 0, 0, -1));
    m_doc.AddReminder(ReminderInfo(TaskCard::NextId() - 1, 0, 0));
    m_doc.SetSelectedPerson(0);
    m_doc.SaveCategoryTreeState({1});
    EXPECT_EQ(SavedText(m_doc), L"<ROOT><HOLIDAYS/><REMINDERSECTION><REMINDER ID=\"1\" ALARMDATE=\"1899-12-30\" "
                                L"ALARMTIME=\"00:00\"/></REMINDERSECTION><PROPERTIES><ADDRESS/></PROPERTIES><DAILY/>"
                                L"<PEOPLESECTION ID=\"0\"/><STATESECTION><CATEGORYSTATE ID=\"1\"/></STATESECTION>"
                                L"<AVAILABLEMOODS><MOOD ID=\"1\" NAME=\"m\" COLOR=\"000000\"/></AVAILABLEMOODS>"
                                L"<MOODSDAILY/><RECURRENCESECTION/><AVAILABLEGOALS/><PEOPLESTATE/>"
                                L"<TASK ID=\"1\" NAME=\"t\" STATUS=\"0\" IMPORTANCE=\"1\" "
                                L"ESTIMATION=\"1.0\" COLORDEF=\"16777215\"><DESCRIPTION/></TASK></ROOT>\n");
}

TEST_F(CorpusTest, AFileThatCannotBeOpenedLeavesTheOpenDocumentAsItWas)
{
    Open(L"full.qvr");
    const EString before = SavedText(m_doc);
    const ComError badId = RaisedError([&] { m_doc.Load(TestFile(L"bad_id.qvr")); });
    EXPECT_EQ(badId.Error(), DISP_E_TYPEMISMATCH);
    EXPECT_NE(badId.Description().find(L"TASK \"x1\""), EString::npos) << testing::PrintToString(badId.Description());
    EXPECT_EQ(RaisedError([&] { m_doc.Load(TestFile(L"malformed.qvr")); }).Error(), kLoadFailed);
    EXPECT_EQ(RaisedError([&] { m_doc.Load(TestFile(L"missing.qvr")); }).Error(), kLoadFailed);
    EXPECT_EQ(RaisedError([&] { m_doc.Load(TestFile(L"doctype.qvr")); }).Error(), kLoadFailed);
    EXPECT_EQ(SavedText(m_doc), before);
    TaskCard task;
    m_doc.GetTask(1, task);
    EXPECT_EQ(task.GetName(), L"Angebot schreiben");
}

TEST_F(CorpusTest, CountersPassEveryIdStillPointedAt)
{
    Open(L"references.qvr");
    const struct {
        const char* kind;
        int next;
        int expected;
    } cases[] = {
        {"task", TaskCard::NextId(), 71},        {"plan entry", TaskPlanEntry::NextId(), 901},
        {"category", Category::NextId(), 42},    {"person", Person::NextId(), 32},
        {"mood", MoodItem::NextId(), 27},        {"mood state", MoodState::NextId(), 6},
        {"goal", Goal::NextId(), 18},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.next, c.expected) << c.kind;
}
