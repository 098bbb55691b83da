#include <gtest/gtest.h>

#include "document/model/TaskPlanEntry.h"
#include "document/xml/ElementsTestSupport.h"
#include "foundation/Options.h"

namespace {

class XmlDataElementsTest : public ElementsTest {
protected:
    void Open(const EString& xml)
    {
        m_doc.LoadXml(xml);
        m_doc.AfterLoad();
    }

    static TaskCard NewTask(const wchar_t* name, int status = TaskCard::kNew)
    {
        return TaskCard(name, L"", 1.0, 0, 1, status, 0, 0, -1);
    }

    int Count(const wchar_t* xpath) { return m_doc.GetDocument(false).SelectNodes(xpath).GetLength(); }

    TestElements m_doc;
};

// Categories A > B > C, all completed, none with a deadline; task 5 at the top.
const wchar_t kTree[] = L"<ROOT><CATEGORY ID=\"1\" NAME=\"A\" STATUS=\"1\"><CATEGORY ID=\"2\" NAME=\"B\" STATUS=\"1\">"
                        L"<CATEGORY ID=\"3\" NAME=\"C\" STATUS=\"1\"/></CATEGORY></CATEGORY>"
                        L"<CATEGORY ID=\"4\" NAME=\"D\" STATUS=\"1\"/><TASK ID=\"5\" NAME=\"top\"/></ROOT>";

} // namespace

TEST_F(XmlDataElementsTest, TasksAreAddedReadUpdatedAndDeletedWithTheirCategoryPath)
{
    Open(kTree);
    TaskCard task = NewTask(L"deep");
    task.SetDescription(L"two\r\nlines");
    m_doc.AddTask(3, task);

    TaskCard read;
    m_doc.GetTask(task.GetId(), read);
    EXPECT_EQ(read.GetName(), L"deep");
    EXPECT_EQ(read.GetDescription(), L"two\r\nlines");
    EXPECT_EQ(read.GetCategoryPath(), L"A/B/C");
    EXPECT_EQ(m_doc.GetTaskCategory(task.GetId()), 3);

    m_doc.GetTask(5, read);
    EXPECT_EQ(read.GetCategoryPath(), L"");
    EXPECT_EQ(m_doc.GetTaskCategory(5), 0);

    task.SetName(L"renamed");
    m_doc.UpdateTask(task);
    m_doc.GetTask(task.GetId(), read);
    EXPECT_EQ(read.GetName(), L"renamed");

    m_doc.DeleteTask(task.GetId());
    EXPECT_TRUE(m_doc.FindTask(task.GetId()).IsEmpty());
    for (const auto& call : std::vector<std::function<void()>>{
             [&] { m_doc.GetTask(task.GetId(), read); }, [&] { m_doc.UpdateTask(task); },
             [&] { m_doc.DeleteTask(task.GetId()); }, [&] { m_doc.GetTaskCategory(task.GetId()); }})
        EXPECT_EQ(RaisedError(call).Error(), E_POINTER);
}

TEST_F(XmlDataElementsTest, AddingUnderAParentThatDoesNotExistRaisesAndStoresNothing)
{
    Open(kTree);
    const EString before = SavedText(m_doc);
    const TaskCard task = NewTask(L"lost");
    const Category category(L"lost", L"", 0, 0);
    const Person person(0, L"lost", L"", L"", L"", 0);
    EXPECT_EQ(RaisedError([&] { m_doc.AddTask(99, task); }).Error(), E_POINTER);
    EXPECT_EQ(RaisedError([&] { m_doc.AddCategory(99, category); }).Error(), E_POINTER);
    EXPECT_EQ(RaisedError([&] { m_doc.AddPerson(99, person); }).Error(), E_POINTER);
    EXPECT_EQ(SavedText(m_doc), before);
}

TEST_F(XmlDataElementsTest, AnOpenTaskReopensTheCompletedCategoriesAboveIt)
{
    Open(kTree);
    m_doc.AddTask(3, NewTask(L"done", TaskCard::kCompleted));
    EXPECT_EQ(Count(L"//CATEGORY[@STATUS=\"1\"]"), 4);

    m_doc.AddTask(3, NewTask(L"open"));
    EXPECT_EQ(Count(L"//CATEGORY[@STATUS=\"1\"]"), 1); // D is not above it
    // Only the status changed: no deadline was fixed on the way.
    EXPECT_EQ(Count(L"//CATEGORY[@DEADLINE]"), 0);

    EXPECT_FALSE(m_doc.ReopenCategories(3));
    TaskCard top;
    m_doc.GetTask(5, top);
    EXPECT_FALSE(m_doc.ReopenTaskCategories(5));
}

TEST_F(XmlDataElementsTest, CompletingOrDeletingATaskTakesItsRecurrenceAndDeletingItsReminder)
{
    Open(L"<ROOT><TASK ID=\"1\" NAME=\"a\"/><TASK ID=\"2\" NAME=\"b\"/>"
         L"<DAILY><DAY DATE=\"2024-05-15\"><PLANENTRY ID=\"1\" TASKID=\"2\"/></DAY></DAILY>"
         L"<RECURRENCESECTION><RECURRENCE ID=\"1\"/><RECURRENCE ID=\"2\"><COMPLETEDPLAN ID=\"1\"/></RECURRENCE>"
         L"</RECURRENCESECTION><REMINDERSECTION><REMINDER ID=\"1\"/><REMINDER ID=\"2\"/></REMINDERSECTION></ROOT>");
    TaskCard task;
    m_doc.GetTask(1, task);
    task.SetStatus(TaskCard::kCompleted);
    m_doc.UpdateTask(task);
    EXPECT_FALSE(m_doc.HasRecurrence(1));
    EXPECT_FALSE(m_doc.FindReminder(1).IsEmpty());

    m_doc.DeleteTask(2);
    EXPECT_FALSE(m_doc.HasRecurrence(2));
    EXPECT_TRUE(m_doc.FindReminder(2).IsEmpty());
    EXPECT_EQ(Count(L"//COMPLETEDPLAN"), 0);
    EXPECT_EQ(m_doc.SelectTaskPlanEntries(2).GetLength(), 1);
}

TEST_F(XmlDataElementsTest, DeletingACategoryTakesItsTasksWithTheirRecurrencesAndReminders)
{
    Open(L"<ROOT><CATEGORY ID=\"1\"><TASK ID=\"1\"/><CATEGORY ID=\"2\"><TASK ID=\"2\"/></CATEGORY></CATEGORY>"
         L"<TASK ID=\"3\"/><RECURRENCESECTION><RECURRENCE ID=\"2\"/><RECURRENCE ID=\"3\"/></RECURRENCESECTION>"
         L"<REMINDERSECTION><REMINDER ID=\"1\"/><REMINDER ID=\"3\"/></REMINDERSECTION></ROOT>");
    m_doc.DeleteCategory(1);
    for (const int id : {1, 2}) {
        EXPECT_TRUE(m_doc.FindCategory(id).IsEmpty()) << id;
        EXPECT_TRUE(m_doc.FindTask(id).IsEmpty()) << id;
        EXPECT_FALSE(m_doc.HasRecurrence(id)) << id;
        EXPECT_TRUE(m_doc.FindReminder(id).IsEmpty()) << id;
    }
    EXPECT_TRUE(m_doc.HasRecurrence(3));
    EXPECT_FALSE(m_doc.FindReminder(3).IsEmpty());
}

TEST_F(XmlDataElementsTest, TheTopsOfTheTreesAreNeitherDeletedNorOverwritten)
{
    Open(L"<ROOT><CATEGORY ID=\"1\"/><PEOPLESECTION ID=\"7\"><PERSON ID=\"7\"/></PEOPLESECTION></ROOT>");
    const EString before = SavedText(m_doc);
    EXPECT_EQ(RaisedError([&] { m_doc.DeleteCategory(0); }).Error(), E_INVALIDARG);
    EXPECT_EQ(RaisedError([&] { m_doc.DeletePerson(0); }).Error(), E_INVALIDARG);
    Category top;
    top.SetName(L"renamed");
    m_doc.UpdateCategory(top);
    Person topPerson;
    topPerson.SetName(L"renamed");
    m_doc.UpdatePerson(topPerson);
    EXPECT_EQ(SavedText(m_doc), before);

    m_doc.GetCategory(0, top);
    EXPECT_EQ(top.GetName(), L"");
    EXPECT_EQ(top.GetStatus(), 0);
    m_doc.GetPersonById(0, topPerson);
    EXPECT_EQ(topPerson.GetId(), 0);
    EXPECT_EQ(m_doc.GetSelectedPerson(), 7);

    Category missing(L"m", L"", 0, 0);
    EXPECT_EQ(RaisedError([&] { m_doc.UpdateCategory(missing); }).Error(), E_POINTER);
}

TEST_F(XmlDataElementsTest, CategoryPathTextNamesTheAncestorsOnly)
{
    Open(kTree);
    EXPECT_EQ(m_doc.GetCategoryPathText(3), L"A\\B");
    EXPECT_EQ(m_doc.GetCategoryPathText(2), L"A");
    EXPECT_EQ(m_doc.GetCategoryPathText(1), L"");
    EXPECT_EQ(m_doc.GetParentCategoryId(3), 2);
    EXPECT_EQ(m_doc.GetParentCategoryId(1), 0);
    EXPECT_EQ(m_doc.GetParentCategoryId(0), 0);
    std::vector<Category> subCategories;
    m_doc.GetSubCategories(0, subCategories);
    ASSERT_EQ(subCategories.size(), 2u);
    EXPECT_EQ(subCategories[1].GetName(), L"D");
    EXPECT_EQ(RaisedError([&] { m_doc.GetCategoryPathText(9); }).Error(), E_POINTER);
}

TEST_F(XmlDataElementsTest, NewIdsNeverTakeOneThatIsStillPointedAt)
{
    // Task 41 is gone, but a plan entry still books it; category 9 is gone but
    // still selected and expanded; and so on for every counted kind.
    Open(L"<ROOT><TASK ID=\"1\"/><CATEGORY ID=\"2\"/>"
         L"<DAILY><DAY DATE=\"2024-05-15\"><PLANENTRY ID=\"3\" TASKID=\"41\"/></DAY></DAILY>"
         L"<STATESECTION SELECTEDCATEGORY=\"9\"><CATEGORYSTATE ID=\"8\"/></STATESECTION>"
         L"<PEOPLESECTION ID=\"6\"><PERSON ID=\"1\"/></PEOPLESECTION><PEOPLESTATE><CATEGORYSTATE ID=\"5\"/></PEOPLESTATE>"
         L"<RECURRENCESECTION><RECURRENCE ID=\"43\"><COMPLETEDPLAN ID=\"12\"/></RECURRENCE></RECURRENCESECTION>"
         L"<REMINDERSECTION><REMINDER ID=\"42\"/></REMINDERSECTION>"
         L"<MOODSDAILY MOODID=\"4\"><DAY DATE=\"2024-05-15\"><MOODSTATE ID=\"2\" MOODID=\"3\"/></DAY></MOODSDAILY>"
         L"</ROOT>");
    EXPECT_EQ(TaskCard::NextId(), 44);
    EXPECT_EQ(TaskPlanEntry::NextId(), 13);
    EXPECT_EQ(Category::NextId(), 10);
    EXPECT_EQ(Person::NextId(), 7);
    EXPECT_EQ(MoodItem::NextId(), 5);
    EXPECT_EQ(MoodState::NextId(), 3);
    EXPECT_EQ(Goal::NextId(), 1);
}

TEST_F(XmlDataElementsTest, CountersStartAboveTheLargestIdAfterEveryLoadAndNewDocument)
{
    Open(L"<ROOT><TASK ID=\"1\"/><CATEGORY ID=\"3\"><TASK ID=\"41\"/></CATEGORY></ROOT>");
    EXPECT_EQ(m_doc.GetMaxId(L"TASK"), 41);
    EXPECT_EQ(TaskCard::NextId(), 42);

    // A deleted task's id is not taken again after saving and reloading.
    TaskCard task = NewTask(L"latest");
    m_doc.AddTask(3, task);
    m_doc.DeleteTask(task.GetId());
    TestElements reloaded;
    SaveAndReload(m_doc, reloaded, L"elements-counters");
    reloaded.AfterLoad();
    EXPECT_EQ(TaskCard::NextId(), 42);

    m_doc.New();
    m_doc.AfterLoad();
    EXPECT_EQ(TaskCard::NextId(), 1);
    EXPECT_EQ(Category::NextId(), 1);
}

TEST_F(XmlDataElementsTest, RemindersAndRecurrencesWithoutARuleGiveTheDefaults)
{
    Open(L"<ROOT><TASK ID=\"1\" NAME=\"call\"/></ROOT>");
    ReminderInfo reminder;
    EXPECT_FALSE(m_doc.GetReminder(1, reminder));
    EXPECT_EQ(reminder.GetId(), 1);
    EXPECT_EQ(reminder.GetAlarmDate(), DateTime(2024, 5, 15, 10, 30));
    EXPECT_EQ(reminder.GetAlarmTime(), Time(9, 0));

    RecurrenceInfo rule;
    EXPECT_FALSE(m_doc.GetRecurrence(1, rule));
    EXPECT_EQ(rule.GetId(), 1);
    EXPECT_EQ(rule.GetName(), L"call");
    EXPECT_EQ(rule.GetStartTime(), Time(9, 0));
    EXPECT_EQ(rule.GetEndTime(), Time(9, 30));

    Options::SetDayBegin(L"07:45");
    EXPECT_FALSE(m_doc.GetReminder(1, reminder));
    EXPECT_EQ(reminder.GetAlarmTime(), Time(7, 45));
    EXPECT_EQ(RaisedError([&] { m_doc.GetRecurrence(2, rule); }).Error(), E_POINTER);
}

TEST_F(XmlDataElementsTest, RecurrencesAndRemindersAreAddedOrReplacedOnlyForExistingTasks)
{
    Open(L"<ROOT><TASK ID=\"1\" NAME=\"gym\" DEADLINE=\"2024-01-01\"/>"
         L"<HOLIDAYS><HOLIDAY DATE=\"45432\"/></HOLIDAYS></ROOT>"); // 45432 is Monday 2024-05-20
    RecurrenceInfo weekly;
    weekly.SetId(1);
    weekly.SetPatternPeriod(RecurrenceInfo::kWeekly);
    weekly.SetMonday(1);
    weekly.SetStartDate(Date(2024, 5, 1));
    m_doc.SetRecurrence(weekly, false);
    weekly.SetEveryWeekIndex(0);
    m_doc.SetRecurrence(weekly, true);
    EXPECT_EQ(Count(L"//RECURRENCE"), 1);
    RecurrenceInfo read;
    EXPECT_TRUE(m_doc.GetRecurrence(1, read));
    EXPECT_TRUE(read.IsHoliday(Date(2024, 5, 20)));
    TaskCard task;
    m_doc.GetTask(1, task);
    EXPECT_EQ(task.GetDeadline(), Date(2024, 5, 20));

    m_doc.AddReminder(ReminderInfo(1, Date(2024, 5, 20), Time(8, 0)));
    m_doc.AddReminder(ReminderInfo(1, Date(2024, 5, 21), Time(8, 0)));
    EXPECT_EQ(Count(L"//REMINDER"), 1);
    ReminderInfo reminder;
    EXPECT_TRUE(m_doc.GetReminder(1, reminder));
    EXPECT_EQ(reminder.GetAlarmDate(), Date(2024, 5, 21));
    std::vector<ReminderInfo> reminders;
    m_doc.GetReminders(reminders);
    EXPECT_EQ(reminders.size(), 1u);

    // A rule or an alarm for no task would plan or fire for nothing.
    weekly.SetId(9);
    EXPECT_EQ(RaisedError([&] { m_doc.SetRecurrence(weekly, false); }).Error(), E_POINTER);
    EXPECT_EQ(RaisedError([&] { m_doc.AddReminder(ReminderInfo(9, 0, 0)); }).Error(), E_POINTER);
    EXPECT_EQ(Count(L"//RECURRENCE"), 1);
    EXPECT_EQ(Count(L"//REMINDER"), 1);

    EXPECT_TRUE(m_doc.DeleteRecurrence(1));
    EXPECT_FALSE(m_doc.DeleteRecurrence(1));
    m_doc.DeleteReminder(1);
    m_doc.DeleteReminder(1);
    EXPECT_TRUE(m_doc.FindReminder(1).IsEmpty());
}

TEST_F(XmlDataElementsTest, EveryDayRulesAndCompletedOccurrences)
{
    Open(L"<ROOT><TASK ID=\"1\"/><TASK ID=\"2\"/><TASK ID=\"3\"/><RECURRENCESECTION>"
         L"<RECURRENCE ID=\"1\" PATTERNPERIOD=\"0\" DAYWORKDAY=\"1\" EVERYDAYINDEX=\"0\" ENDTYPE=\"0\"/>"
         L"<RECURRENCE ID=\"2\" PATTERNPERIOD=\"1\"/></RECURRENCESECTION></ROOT>");
    EXPECT_TRUE(m_doc.IsEveryDayRecurrence(1));
    EXPECT_FALSE(m_doc.IsEveryDayRecurrence(2));
    EXPECT_FALSE(m_doc.IsEveryDayRecurrence(3));
    EXPECT_FALSE(m_doc.DeleteEveryDayRecurrence(2));

    m_doc.AddCompletedPlan(1, 7);
    m_doc.AddCompletedPlan(1, 7);
    m_doc.AddCompletedPlan(3, 7); // no rule: nothing
    EXPECT_EQ(Count(L"//COMPLETEDPLAN"), 1);
    EXPECT_TRUE(m_doc.IsPlanCompleted(1, 7));
    EXPECT_FALSE(m_doc.IsPlanCompleted(3, 7));
    m_doc.RemoveCompletedPlan(1, 7);
    m_doc.RemoveCompletedPlan(1, 7);
    EXPECT_FALSE(m_doc.IsPlanCompleted(1, 7));

    std::vector<RecurrenceInfo> rules;
    m_doc.GetRecurrences(rules);
    EXPECT_EQ(rules.size(), 2u);
    EXPECT_TRUE(m_doc.DeleteEveryDayRecurrence(1));
    EXPECT_FALSE(m_doc.HasRecurrence(1));
}

TEST_F(XmlDataElementsTest, TreeStatesAreRewrittenWholeAndKeepTheSelection)
{
    Open(L"<ROOT/>");
    m_doc.SetSelectedCategory(4);
    m_doc.SaveCategoryTreeState({1, 4, 2});
    std::vector<int> ids{99};
    m_doc.LoadCategoryTreeState(ids);
    EXPECT_EQ(ids, (std::vector<int>{1, 4, 2}));

    m_doc.SaveCategoryTreeState({});
    EXPECT_EQ(Count(L"/ROOT/STATESECTION/*"), 0);
    EXPECT_EQ(m_doc.GetSelectedCategory(), 4);

    m_doc.SavePeopleTreeState({3});
    m_doc.SetSelectedPerson(3);
    m_doc.LoadPeopleTreeState(ids);
    EXPECT_EQ(ids, std::vector<int>{3});
    EXPECT_EQ(m_doc.GetSelectedPerson(), 3);
}

TEST_F(XmlDataElementsTest, MoodsAreRecordedWithTheirTimeInTheirDay)
{
    Open(L"<ROOT><AVAILABLEMOODS><MOOD ID=\"1\" NAME=\"calm\" COLOR=\"000000\"/></AVAILABLEMOODS></ROOT>");
    EXPECT_EQ(m_doc.GetCurrentMoodId(), 0);
    m_doc.SetMoodState(Date(2024, 5, 14) + Time(23, 0), 1);
    m_doc.SetMoodState(Date(2024, 5, 14), 2);
    EXPECT_EQ(m_doc.GetCurrentMoodId(), 2);
    const XmlNodeList states = m_doc.GetDocument(false).SelectNodes(L"//MOODSDAILY/DAY[@DATE=\"2024-05-14\"]/MOODSTATE");
    ASSERT_EQ(states.GetLength(), 2);
    MoodState first, second;
    m_doc.ReadMoodState(states.GetItem(0), first);
    m_doc.ReadMoodState(states.GetItem(1), second);
    EXPECT_EQ(second.GetId(), first.GetId() + 1);
    EXPECT_EQ(first.GetMoodId(), 1);
    EXPECT_EQ(first.GetStartTime(), Time(10, 30)); // the time of the call
    EXPECT_EQ(XmlDataElements::GetEntryDay(states.GetItem(0)), Date(2024, 5, 14));

    MoodItem mood(L"glad", RGB(1, 2, 3));
    m_doc.AddMood(mood);
    EXPECT_EQ(m_doc.HasMoods(), 2);
    mood.SetName(L"happy");
    m_doc.UpdateMood(mood);
    MoodItem read;
    m_doc.GetMood(mood.GetId(), read);
    EXPECT_EQ(read, mood);
    m_doc.DeleteMood(mood.GetId());
    EXPECT_EQ(RaisedError([&] { m_doc.GetMood(mood.GetId(), read); }).Error(), E_POINTER);
    EXPECT_EQ(RaisedError([&] { m_doc.UpdateMood(mood); }).Error(), E_POINTER);
}

TEST_F(XmlDataElementsTest, PlanDaysAreCreatedOnceAndStay)
{
    Open(L"<ROOT><DAILY><DAY DATE=\"2024-05-15\"><PLANENTRY ID=\"1\" TASKID=\"4\"/></DAY></DAILY></ROOT>");
    const XmlNode day = m_doc.GetPlanDay(Date(2024, 5, 16) + Time(12, 0));
    EXPECT_EQ(Attribute(day, L"DATE"), L"2024-05-16");
    EXPECT_TRUE(m_doc.GetPlanDay(Date(2024, 5, 16)).IsSameNode(day));
    EXPECT_TRUE(m_doc.FindDay(m_doc.GetDailySection(), Date(2024, 5, 16)).IsSameNode(day));
    EXPECT_EQ(Count(L"//DAY"), 2);
    EXPECT_EQ(SavedContent(m_doc), L"<DAILY><DAY DATE=\"2024-05-15\"><PLANENTRY ID=\"1\" TASKID=\"4\"/></DAY>"
                                   L"<DAY DATE=\"2024-05-16\"/></DAILY>");

    EXPECT_EQ(m_doc.SelectTaskPlanEntries(4).GetLength(), 1);
    EXPECT_EQ(m_doc.SelectPlanEntries(L"").GetLength(), 0);
    EXPECT_EQ(m_doc.SelectPlanEntries(L"@ID=\"1\"").GetLength(), 1);
    EXPECT_EQ(XmlDataElements::GetEntryDay(Select(m_doc, L"//PLANENTRY")), Date(2024, 5, 15));
    EXPECT_EQ(XmlDataElements::GetEntryDay(XmlNode()), 0.0);
}

TEST_F(XmlDataElementsTest, LoopsOverChildrenPassOverComments)
{
    Open(L"<ROOT><!--c--><CATEGORY ID=\"1\"><!--c--><CATEGORY ID=\"2\"/><?pi x?></CATEGORY>"
         L"<AVAILABLEMOODS><!--c--><MOOD ID=\"1\"/><!--c--></AVAILABLEMOODS>"
         L"<AVAILABLEGOALS><!--c--><GOAL ID=\"1\" NAME=\"g\"/></AVAILABLEGOALS>"
         L"<PEOPLESECTION><!--c--><PERSON ID=\"1\"/></PEOPLESECTION>"
         L"<TASK ID=\"9\"/><RECURRENCESECTION><!--c--><RECURRENCE ID=\"9\"/></RECURRENCESECTION>"
         L"<REMINDERSECTION><!--c--><REMINDER ID=\"9\"/></REMINDERSECTION>"
         L"<HOLIDAYS><!--c--><HOLIDAY DATE=\"39814\"/></HOLIDAYS>"
         L"<STATESECTION><!--c--><CATEGORYSTATE ID=\"2\"/></STATESECTION></ROOT>");
    std::vector<Category> categories;
    m_doc.GetSubCategories(1, categories);
    EXPECT_EQ(categories.size(), 1u);
    std::vector<MoodItem> moods;
    m_doc.GetMoods(moods);
    EXPECT_EQ(moods.size(), 1u);
    EXPECT_EQ(m_doc.HasMoods(), 1);
    std::vector<Goal> goals;
    m_doc.GetGoals(goals);
    EXPECT_EQ(goals.size(), 1u);
    std::vector<Person> people;
    m_doc.GetPeople(0, people);
    EXPECT_EQ(people.size(), 1u);
    std::vector<RecurrenceInfo> rules;
    m_doc.GetRecurrences(rules);
    EXPECT_EQ(rules.size(), 1u);
    std::vector<ReminderInfo> reminders;
    m_doc.GetReminders(reminders);
    EXPECT_EQ(reminders.size(), 1u);
    std::vector<double> holidays;
    m_doc.GetHolidays(holidays);
    EXPECT_EQ(holidays, std::vector<double>{39814});
    std::vector<int> expanded;
    m_doc.LoadCategoryTreeState(expanded);
    EXPECT_EQ(expanded, std::vector<int>{2});
}

TEST_F(XmlDataElementsTest, PeopleAndGroupsNestAndGoTogether)
{
    Open(L"<ROOT/>");
    const Person group(1, L"team", L"", L"", L"", 0);
    const Person member(0, L"ann", L"", L"Ann", L"ann@example.org", 0);
    m_doc.AddPerson(0, group);
    m_doc.AddPerson(group.GetId(), member);
    std::vector<Person> people;
    m_doc.GetPeople(group.GetId(), people);
    ASSERT_EQ(people.size(), 1u);
    EXPECT_EQ(people[0], member);

    Person changed = member;
    changed.SetFullName(L"Ann B.");
    m_doc.UpdatePerson(changed);
    Person read;
    m_doc.GetPersonById(member.GetId(), read);
    EXPECT_EQ(read.GetFullName(), L"Ann B.");

    m_doc.DeletePerson(group.GetId());
    EXPECT_TRUE(m_doc.FindPerson(member.GetId()).IsEmpty());
    EXPECT_EQ(RaisedError([&] { m_doc.GetPersonById(member.GetId(), read); }).Error(), E_POINTER);
}

TEST_F(XmlDataElementsTest, PropertiesExistOnceSetAndReadEmptyBefore)
{
    Open(L"<ROOT/>");
    DocProperties properties;
    properties.SetTitle(L"stale");
    m_doc.GetProperties(properties);
    EXPECT_EQ(properties, DocProperties());
    EXPECT_EQ(Count(L"//PROPERTIES"), 0);

    properties.SetAuthor(L"me");
    properties.SetAddress(L"a\r\nb");
    m_doc.SetProperties(properties);
    m_doc.SetProperties(properties);
    EXPECT_EQ(Count(L"//PROPERTIES"), 1);
    DocProperties read;
    m_doc.GetProperties(read);
    EXPECT_EQ(read, properties);
}

TEST_F(XmlDataElementsTest, DescriptionsComeBackByteForByteAfterSaveAndReload)
{
    Open(L"<ROOT/>");
    const wchar_t* texts[] = {L"a\r\nb", L"a\r\n", L"\r\n", L"   ", L"\r\n  indented\r\n\r\n", L"<b> & \"q\""};
    std::vector<int> ids;
    for (const wchar_t* text : texts) {
        TaskCard task = NewTask(L"t");
        task.SetDescription(text);
        m_doc.AddTask(0, task);
        ids.push_back(task.GetId());
    }
    TestElements reloaded;
    SaveAndReload(m_doc, reloaded, L"elements-descriptions");
    for (size_t i = 0; i < ids.size(); ++i) {
        TaskCard task;
        reloaded.GetTask(ids[i], task);
        EXPECT_EQ(task.GetDescription(), texts[i]) << i;
        reloaded.UpdateTask(task);
    }
    EXPECT_EQ(SavedText(reloaded), SavedText(m_doc));
}

TEST_F(XmlDataElementsTest, TextFromOutsideWithADocumentTypeIsRefusedAndChangesNothing)
{
    Open(kTree);
    const EString before = SavedText(m_doc);
    const EString hostile = L"<!DOCTYPE ROOT [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>"
                            L"<ROOT><TASK ID=\"1\" NAME=\"&b;\"/></ROOT>";
    EXPECT_TRUE(FAILED(RaisedError([&] { m_doc.LoadXml(hostile); }).Error()));
    EXPECT_TRUE(FAILED(RaisedError([&] { m_doc.LoadXml(L"<ROOT><TASK ID=\"1\"></ROOT>"); }).Error()));
    EXPECT_EQ(SavedText(m_doc), before);
    EXPECT_FALSE(m_doc.FindCategory(3).IsEmpty());
    EXPECT_FALSE(m_doc.FindTask(5).IsEmpty());
}

TEST_F(XmlDataElementsTest, DeeplyNestedCategoriesWorkOrAreRefusedCleanly)
{
    auto nested = [](int depth) {
        EString xml = L"<ROOT>";
        for (int i = 1; i <= depth; ++i)
            xml += EString::Formatted(L"<CATEGORY ID=\"%d\" NAME=\"c\">", i);
        for (int i = 0; i < depth; ++i)
            xml += L"</CATEGORY>";
        return xml + L"</ROOT>";
    };
    Open(nested(200));
    EXPECT_EQ(m_doc.GetParentCategoryId(200), 199);
    EXPECT_EQ(m_doc.GetCategoryPathText(3), L"c\\c");
    m_doc.DeleteCategory(1);
    EXPECT_TRUE(m_doc.FindCategory(200).IsEmpty());

    // Deeper than the parser allows: an error, and the document stays.
    Open(kTree);
    EXPECT_TRUE(FAILED(RaisedError([&] { m_doc.LoadXml(nested(100000)); }).Error()));
    EXPECT_FALSE(m_doc.FindCategory(3).IsEmpty());
}
