#include <gtest/gtest.h>

#include <random>

#include "document/xml/ElementsTestSupport.h"

namespace {

constexpr int kMaxId = 30;
const wchar_t* const kDates[] = {L"2024-05-15", L"2024-05-16", L"2024-05-17", L"2024-05-18"};

// Namesakes in and out of each kind's scope, shared ids and ids the XPath never matches.
const wchar_t kMixed[] =
    L"<ROOT>"
    L"<CATEGORY ID=\"1\" NAME=\"one\"><TASK ID=\"5\"/><TASK ID=\"6\"/><CATEGORY ID=\"2\"><TASK ID=\"7\"/></CATEGORY>"
    L"<!-- note --><PLANENTRY ID=\"3\"/></CATEGORY>"
    L"<CATEGORY ID=\"2\" NAME=\"twin\"><TASK ID=\"5\"/></CATEGORY>"
    L"<TASK ID=\"07\"/><TASK ID=\" 8\"/><TASK ID=\"9\"/>"
    L"<DAILY><DAY DATE=\"2024-05-15\"><PLANENTRY ID=\"1\" TASKID=\"5\"/><PLANENTRY ID=\"2\" TASKID=\"5\"/></DAY>"
    L"<DAY DATE=\"2024-05-16\"><PLANENTRY ID=\"2\" TASKID=\"6\"/><X><PLANENTRY ID=\"4\"/></X></DAY>"
    L"<DAY DATE=\"2024-05-16\"/><X><DAY DATE=\"2024-05-17\"/></X></DAILY>"
    L"<DAILY><DAY DATE=\"2024-05-18\"><PLANENTRY ID=\"5\"/></DAY></DAILY>"
    L"<MOODSDAILY><DAY DATE=\"2024-05-17\"/></MOODSDAILY>"
    L"<AVAILABLEGOALS><TASK ID=\"10\"/></AVAILABLEGOALS>"
    L"<PEOPLESECTION><PERSON ID=\"1\"><PERSON ID=\"2\"/></PERSON><PERSON ID=\"2\"/></PEOPLESECTION>"
    L"<RECURRENCESECTION><RECURRENCE ID=\"5\"/><RECURRENCE ID=\"5\"/><RECURRENCE ID=\"6\"><RECURRENCE ID=\"9\"/>"
    L"</RECURRENCE></RECURRENCESECTION><RECURRENCESECTION><RECURRENCE ID=\"7\"/></RECURRENCESECTION>"
    L"<REMINDERSECTION><REMINDER ID=\"6\"><REMINDER ID=\"7\"/></REMINDER></REMINDERSECTION>"
    L"</ROOT>";

class ElementIndexTest : public ElementsTest {
protected:
    void Open(const EString& xml)
    {
        m_doc.LoadXml(xml);
        m_doc.AfterLoad();
    }

    XmlNode Section(const wchar_t* name) { return m_doc.GetRoot().SelectSingleNode(name); }

    static XmlNode ByXPath(const XmlNode& context, const EString& xpath)
    {
        return context ? context.SelectSingleNode(xpath) : XmlNode();
    }

    static void ExpectSame(const XmlNode& indexed, const XmlNode& selected, const char* what, const EString& key)
    {
        if (!selected) {
            EXPECT_TRUE(indexed.IsEmpty()) << what << " " << testing::PrintToString(key);
            return;
        }
        ASSERT_FALSE(indexed.IsEmpty()) << what << " " << testing::PrintToString(key);
        EXPECT_TRUE(indexed.IsSameNode(selected)) << what << " " << testing::PrintToString(key);
    }

    // Every lookup of the index against the XPath it stands for.
    void ExpectIndexAnswersAsXPath()
    {
        const XmlNode document(m_doc.GetDocument(false).Get());
        const XmlNode daily = Section(L"DAILY");
        const XmlNode recurrences = Section(L"RECURRENCESECTION");
        const XmlNode reminders = Section(L"REMINDERSECTION");
        ElementIndex& index = m_doc.Index();
        for (int id = 0; id <= kMaxId; ++id) {
            const EString predicate = EString::Formatted(L"[@ID=\"%d\"]", id);
            ExpectSame(index.Find(ElementIndex::kTasks, id), ByXPath(document, L"//TASK" + predicate), "task", predicate);
            ExpectSame(index.Find(ElementIndex::kCategories, id), ByXPath(document, L"//CATEGORY" + predicate),
                       "category", predicate);
            ExpectSame(index.Find(ElementIndex::kPeople, id), ByXPath(document, L"//PERSON" + predicate), "person",
                       predicate);
            ExpectSame(index.Find(ElementIndex::kPlanEntries, id), ByXPath(daily, L".//PLANENTRY" + predicate),
                       "plan entry", predicate);
            ExpectSame(index.Find(ElementIndex::kRecurrences, id), ByXPath(recurrences, L"RECURRENCE" + predicate),
                       "recurrence", predicate);
            ExpectSame(index.Find(ElementIndex::kReminders, id), ByXPath(reminders, L"REMINDER" + predicate),
                       "reminder", predicate);
        }
        for (const wchar_t* date : kDates)
            ExpectSame(index.FindPlanDay(date), ByXPath(daily, EString(L"DAY[@DATE=\"") + date + L"\"]"), "day",
                       date);
    }

    TaskCard Task(int id)
    {
        TaskCard task;
        task.SetId(id);
        task.SetStatus(TaskCard::kCompleted); // leaves the categories' status alone
        return task;
    }

    TestElements m_doc;
};

} // namespace

TEST_F(ElementIndexTest, LookupsAnswerAsTheXPathDoesWithNamesakesAndSharedIds)
{
    Open(kMixed);
    ExpectIndexAnswersAsXPath();
    // The comparison itself tells elements apart.
    EXPECT_FALSE(m_doc.FindTask(5).IsSameNode(Select(m_doc, L"/ROOT/CATEGORY[2]/TASK")));
}

TEST_F(ElementIndexTest, LookupsFollowAddsDeletesMovesAndRewrites)
{
    Open(kMixed);
    const std::vector<std::function<void()>> steps = {
        [&] { m_doc.AddTask(2, Task(5)); },               // a third task 5, in the first category 2
        [&] { m_doc.DeleteTask(5); },                     // the first of them in document order
        [&] { m_doc.AddTask(0, Task(11)); },
        [&] { m_doc.FindCategory(1).AppendChild(m_doc.FindTask(11)); }, // a move needs no telling
        [&] { m_doc.DeleteCategory(1); },                 // with tasks 6, 7, 11 and the twin's namesake 2
        [&] { m_doc.DeleteTask(5); },
        [&] { m_doc.AddCategory(0, Category()); },        // id 0 written
        [&] { m_doc.GetPlanDay(0); },
        [&] { m_doc.RemoveElement(Select(m_doc, L"/ROOT/DAILY/DAY[2]")); },  // one of the two days 2024-05-16
        [&] {                                              // a plan entry placed by a derived class
            const XmlNode entry = XmlDoc::AddChildElement(m_doc.GetPlanDay(45432), L"PLANENTRY");
            XmlDoc::SetAttribute(entry, L"ID", L"2");
            m_doc.IndexElement(entry);
        },
        [&] { m_doc.RemoveElement(m_doc.GetRoot().SelectSingleNode(L"DAILY//PLANENTRY[@ID=\"2\"]")); },
        [&] { m_doc.WriteTask(m_doc.FindTask(9), Task(12)); }, // the id itself rewritten
        [&] { m_doc.DeletePerson(1); },
        [&] { m_doc.DeleteRecurrence(5); },
        [&] { m_doc.DeleteReminder(6); },
        [&] { m_doc.LoadXml(SavedText(m_doc)); },
    };
    for (size_t step = 0; step < steps.size(); ++step) {
        SCOPED_TRACE(testing::Message() << "step " << step);
        steps[step]();
        ExpectIndexAnswersAsXPath();
    }
}

TEST_F(ElementIndexTest, ElementsRemovedBehindItsBackAreNotReturned)
{
    Open(kMixed);
    Select(m_doc, L"//TASK[@ID=\"9\"]").RemoveFromParent();
    Select(m_doc, L"//CATEGORY[@ID=\"1\"]").RemoveFromParent();
    XmlDoc::SetAttribute(Select(m_doc, L"//PERSON[@ID=\"1\"]"), L"ID", L"renamed");
    EXPECT_TRUE(m_doc.FindTask(9).IsEmpty());
    EXPECT_TRUE(m_doc.FindTask(6).IsEmpty());
    EXPECT_TRUE(m_doc.FindPerson(1).IsEmpty());
    ExpectIndexAnswersAsXPath();
}

TEST_F(ElementIndexTest, RandomEditsKeepTheIndexInStep)
{
    Open(L"<ROOT><CATEGORY ID=\"1\"/><CATEGORY ID=\"2\"/></ROOT>");
    std::mt19937 random(20240515);
    auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    for (int step = 0; step < 300; ++step) {
        const int id = pick(1, kMaxId);
        try {
            switch (pick(0, 6)) {
            case 0:
            case 1:
                m_doc.AddTask(pick(0, 8), Task(id)); // shared ids now and then
                break;
            case 2:
                m_doc.DeleteTask(id);
                break;
            case 3: {
                Category category;
                category.SetId(pick(3, 8));
                m_doc.AddCategory(pick(0, 8), category);
                break;
            }
            case 4:
                m_doc.DeleteCategory(pick(1, 8));
                break;
            case 5:
                if (const XmlNode task = m_doc.FindTask(id))
                    m_doc.FindCategory(pick(0, 8)).AppendChild(task);
                break;
            default:
                m_doc.SetRecurrence([&] {
                    RecurrenceInfo rule;
                    rule.SetId(id);
                    return rule;
                }(), false);
                break;
            }
        } catch (const ComError& error) {
            ASSERT_TRUE(error.Error() == E_POINTER || error.Error() == E_INVALIDARG) << step;
        }
        if (step % 25 == 0) {
            SCOPED_TRACE(testing::Message() << "step " << step);
            ExpectIndexAnswersAsXPath();
        }
    }
    ExpectIndexAnswersAsXPath();
}

TEST_F(ElementIndexTest, AFailedLoadKeepsTheIndexOfTheDocumentInUse)
{
    Open(kMixed);
    EXPECT_TRUE(FAILED(RaisedError([&] { m_doc.LoadXml(L"<ROOT><TASK ID=\"x\"/></ROOT>"); }).Error()));
    EXPECT_TRUE(FAILED(RaisedError([&] { m_doc.LoadXml(L"<ROOT><TASK"); }).Error()));
    ExpectIndexAnswersAsXPath();
    EXPECT_FALSE(m_doc.FindTask(9).IsEmpty());
}
