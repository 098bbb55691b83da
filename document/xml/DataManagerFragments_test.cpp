#include <gtest/gtest.h>

#include <set>

#include "document/xml/DataManagerTestSupport.h"

namespace {

const double kToday = Date(2024, 5, 15);

// Names and descriptions the DOM's text of a node escapes or lays out.
const wchar_t kPlan[] =
    L"<ROOT><CATEGORY ID=\"10\" NAME=\"Caf\u00e9 &amp; co\" STATUS=\"0\" DEADLINE=\"2024-06-30\">"
    L"<DESCRIPTION>  indented\nsecond \u20ac line\n</DESCRIPTION>"
    L"<TASK ID=\"1\" NAME=\"\u00dcber &lt;alles&gt;\" STATUS=\"2\" IMPORTANCE=\"0\" DEADLINE=\"2024-05-20\" "
    L"ESTIMATION=\"4.0\"><DESCRIPTION>first\n  second \"quoted\"</DESCRIPTION></TASK>"
    L"<CATEGORY ID=\"11\" NAME=\"Sub\" STATUS=\"0\" DEADLINE=\"2024-06-30\"><DESCRIPTION/>"
    L"<TASK ID=\"2\" NAME=\"Plain\" STATUS=\"1\" IMPORTANCE=\"1\" DEADLINE=\"2024-05-22\" ESTIMATION=\"2.5\">"
    L"<DESCRIPTION/></TASK></CATEGORY></CATEGORY>"
    L"<CATEGORY ID=\"20\" NAME=\"Elsewhere\" STATUS=\"0\" DEADLINE=\"2024-06-30\"><DESCRIPTION/>"
    L"<TASK ID=\"3\" NAME=\"Other\" STATUS=\"0\" IMPORTANCE=\"1\" DEADLINE=\"2024-05-22\" ESTIMATION=\"1.0\"/>"
    L"</CATEGORY><CATEGORY ID=\"30\" NAME=\"Empty\" STATUS=\"0\" DEADLINE=\"2024-06-30\"/>"
    L"<DAILY><DAY DATE=\"2024-05-21\"><PLANENTRY ID=\"5\" TASKID=\"2\" STARTTIME=\"09:00\" ENDTIME=\"10:00\">"
    L"<DESCRIPTION>on the 21st</DESCRIPTION></PLANENTRY>"
    L"<PLANENTRY ID=\"6\" TASKID=\"3\" STARTTIME=\"10:00\" ENDTIME=\"11:00\"/></DAY>"
    L"<DAY DATE=\"2024-05-16\"><PLANENTRY ID=\"7\" TASKID=\"1\" STARTTIME=\"14:00\" ENDTIME=\"15:30\"/>"
    L"<PLANENTRY ID=\"8\" TASKID=\"2\" STARTTIME=\"16:00\" ENDTIME=\"16:30\"/></DAY></DAILY></ROOT>";

class DataManagerFragmentsTest : public DataManagerTest {
protected:
    void SetUp() override
    {
        DataManagerTest::SetUp();
        Open(kPlan);
    }

    int Count(const EString& xpath) { return m_doc.GetDocument(false).SelectNodes(xpath).GetLength(); }

    std::vector<TaskCard> TasksOf(int categoryId, bool subtree = false)
    {
        std::vector<TaskCard> tasks;
        m_doc.SelectTasks(categoryId, tasks, FilterInfo(0, 0, 0, categoryId), subtree, true, true);
        return tasks;
    }

    int CategoryNamed(const EString& name, int parentId)
    {
        std::vector<Category> categories;
        m_doc.GetSubCategories(parentId, categories);
        for (const Category& category : categories)
            if (category.GetName() == name)
                return category.GetId();
        return -1;
    }
};

} // namespace

TEST_F(DataManagerFragmentsTest, CopiedTasksPasteBackWithTheirTextsUnderNewIds)
{
    const EString fragment = m_doc.GetTasksXml({1, 2});
    EXPECT_EQ(fragment.compare(0, 6, L"<ROOT>"), 0);
    m_doc.InsertXml(20, fragment, false);

    const std::vector<TaskCard> pasted = TasksOf(20);
    ASSERT_EQ(pasted.size(), 3u);
    std::vector<TaskCard> originals = TasksOf(10, true);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const TaskCard& copy = pasted[i + 1];
        EXPECT_GT(copy.GetId(), 3);
        EXPECT_EQ(copy.GetName(), originals[i].GetName());
        EXPECT_EQ(copy.GetDescription(), originals[i].GetDescription());
        EXPECT_EQ(copy.GetEstimation(), originals[i].GetEstimation());
        EXPECT_EQ(copy.GetDeadline(), originals[i].GetDeadline());
        EXPECT_EQ(copy.GetStatus(), TaskCard::kNew); // a clipboard paste starts the work afresh
        EXPECT_EQ(copy.GetScheduledTime(), 0);
    }
    EXPECT_EQ(pasted[1].GetName(), L"\u00dcber <alles>");
    EXPECT_EQ(pasted[1].GetDescription(), L"first\r\n  second \"quoted\"");
}

TEST_F(DataManagerFragmentsTest, ACategoryBranchComesBackWithItsPlanEntriesOnTheirDays)
{
    m_doc.InsertXml(20, m_doc.GetCategoryXml(10), true);
    const int copy = CategoryNamed(L"Caf\u00e9 & co", 20);
    ASSERT_GT(copy, 30);
    Category category;
    m_doc.GetCategory(copy, category);
    EXPECT_EQ(category.GetDescription(), L"  indented\r\nsecond \u20ac line\r\n");
    const int sub = CategoryNamed(L"Sub", copy);
    ASSERT_GT(sub, copy);

    const std::vector<TaskCard> tasks = TasksOf(copy, true);
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].GetCategoryPath(), L"Elsewhere/Caf\u00e9 & co");
    EXPECT_EQ(tasks[1].GetCategoryPath(), L"Elsewhere/Caf\u00e9 & co/Sub");
    // With their activities the tasks keep their hours, and planning puts them in progress.
    EXPECT_NEAR(tasks[0].GetPlannedTime(), 1.5, 1e-9);
    EXPECT_NEAR(tasks[1].GetPlannedTime(), 1.5, 1e-9);
    EXPECT_EQ(tasks[0].GetStatus(), TaskCard::kInProgress);
    // Each copy goes in first among equal starts and pushes what it meets.
    EXPECT_EQ(Day(Date(2024, 5, 16)), L"14:00-15:30 15:30-17:00 17:00-17:30 17:30-18:00");
    EXPECT_EQ(Day(Date(2024, 5, 21)), L"09:00-10:00 10:00-11:00 11:00-12:00");

    std::vector<TaskPlanEntry> entries;
    m_doc.GetDayPlanEntries(Date(2024, 5, 21), entries);
    std::set<int> ids;
    for (const TaskPlanEntry& entry : entries)
        ids.insert(entry.GetId());
    EXPECT_EQ(ids.size(), 3u);
    EXPECT_EQ(entries[0].GetTaskId(), tasks[1].GetId());
    EXPECT_EQ(entries[0].GetDescription(), L"on the 21st");
    EXPECT_EQ(entries[1].GetId(), 5); // the copy is the newer one at the same start
}

TEST_F(DataManagerFragmentsTest, TheCategoryFragmentHoldsTheBranchAndItsEntriesByDay)
{
    const EString xml = m_doc.GetCategoryXml(10);
    XmlDoc fragment;
    fragment.LoadXml(xml);
    EXPECT_EQ(fragment.GetDocument(false).SelectNodes(L"/ROOT/CATEGORY//TASK").GetLength(), 2);
    const XmlNodeList days = fragment.GetDocument(false).SelectNodes(L"/ROOT/DAILY/DAY");
    ASSERT_EQ(days.GetLength(), 2);
    EXPECT_EQ(Attribute(days.GetItem(0), L"DATE"), L"2024-05-16");
    EXPECT_EQ(days.GetItem(0).SelectNodes(L"PLANENTRY").GetLength(), 2);
    EXPECT_EQ(days.GetItem(1).SelectNodes(L"PLANENTRY").GetLength(), 1);

    EXPECT_EQ(m_doc.GetCategoryXml(30).find(L"DAILY"), EString::npos); // no tasks, no plan
    EXPECT_EQ(m_doc.GetCategoryXml(99), L"<ROOT></ROOT>");
    // Copying three tasks of which one is gone gives two.
    m_doc.DeleteTask(2);
    XmlDoc tasks;
    tasks.LoadXml(m_doc.GetTasksXml({1, 2, 3}));
    EXPECT_EQ(tasks.GetDocument(false).SelectNodes(L"/ROOT/TASK").GetLength(), 2);
}

TEST_F(DataManagerFragmentsTest, TwoPastesOfOneFragmentNeverShareAnId)
{
    // The fragment's ids lie below the document's: taken as counters they would be reused.
    const EString fragment = L"<ROOT><CATEGORY ID=\"1\" NAME=\"a\"><TASK ID=\"1\" NAME=\"t\"/></CATEGORY>"
                             L"<DAILY><DAY DATE=\"2024-05-20\"><PLANENTRY ID=\"1\" TASKID=\"1\" STARTTIME=\"09:00\" "
                             L"ENDTIME=\"09:30\"/></DAY></DAILY></ROOT>";
    m_doc.InsertXml(30, fragment, true);
    m_doc.InsertXml(30, fragment, true);
    for (const wchar_t* kind : {L"CATEGORY", L"TASK", L"PLANENTRY"}) {
        SCOPED_TRACE(kind);
        std::set<EString> ids;
        const XmlNodeList nodes = m_doc.GetDocument(false).SelectNodes(EString(L"//") + kind + L"/@ID");
        for (const XmlNode& node : nodes.GetNodes())
            EXPECT_TRUE(ids.insert(node.GetValue().ToString()).second) << testing::PrintToString(node.GetValue().ToString());
    }
    EXPECT_EQ(Day(Date(2024, 5, 20)), L"09:00-09:30 09:30-10:00");
}

TEST_F(DataManagerFragmentsTest, ABranchPastedIntoItsOwnSubCategoryLeavesTheSourceAsItWas)
{
    const EString before = SavedText(m_doc);
    m_doc.InsertXml(11, m_doc.GetCategoryXml(10), false);
    EXPECT_EQ(Count(L"//CATEGORY[@ID=\"11\"]/CATEGORY"), 1);
    EXPECT_EQ(Count(L"//CATEGORY[@ID=\"11\"]/CATEGORY/CATEGORY/TASK"), 1);
    EXPECT_EQ(Count(L"//TASK"), 5);
    EXPECT_EQ(Count(L"//PLANENTRY"), 4);
    m_doc.DeleteCategory(CategoryNamed(L"Caf\u00e9 & co", 11));
    EXPECT_EQ(SavedText(m_doc), before);
}

TEST_F(DataManagerFragmentsTest, WithActivitiesACompletedTaskWithoutEntriesStaysCompleted)
{
    m_doc.InsertXml(30, L"<ROOT><TASK ID=\"1\" NAME=\"done\" STATUS=\"2\"/></ROOT>", true);
    EXPECT_EQ(TasksOf(30).at(0).GetStatus(), TaskCard::kCompleted);
}

// An import that stops half way would leave part of a file in the plan.
TEST_F(DataManagerFragmentsTest, ARecordThatCannotBeReadPastesNothingAtAll)
{
    const EString before = SavedText(m_doc);
    const wchar_t* const texts[] = {
        L"<ROOT><CATEGORY ID=\"1\" NAME=\"New\"><TASK ID=\"1\" NAME=\"fine\"/></CATEGORY>"
        L"<TASK ID=\"2\" NAME=\"bad\" STATUS=\"done\"/></ROOT>",
        L"<ROOT><TASK ID=\"1\" NAME=\"fine\"/><CATEGORY ID=\"1\" NAME=\"New\">"
        L"<TASK ID=\"2\" NAME=\"bad\" IMPORTANCE=\"high\"/></CATEGORY></ROOT>",
    };
    for (const wchar_t* text : texts) {
        EXPECT_EQ(RaisedError([&] { m_doc.InsertXml(10, text, true); }).Error(), DISP_E_TYPEMISMATCH) << text;
        EXPECT_EQ(SavedText(m_doc), before) << text;
    }
}

// An import script marks each record with its row; the user mends the row.
TEST_F(DataManagerFragmentsTest, ARefusedRecordOfAnImportScriptNamesItsRow)
{
    const ComError error = RaisedError(
        [&] { m_doc.InsertXml(10, L"<ROOT><TASK ID=\"1\" ROW=\"7\" NAME=\"bad\" IMPORTANCE=\"high\"/></ROOT>", true); });
    EXPECT_EQ(error.Error(), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(error.Description().find(L"Row 7: The IMPORTANCE attribute"), 0u) << error.Description().c_str();
}

TEST_F(DataManagerFragmentsTest, TextsThatAreNoFragmentPasteNothing)
{
    const EString before = SavedText(m_doc);
    for (const wchar_t* text : {L"", L"<ROOT></ROOT>", L"<ROOT><TASK ID=\"1\"", L"plain words", L"<ROOT><X/></ROOT>"})
        m_doc.InsertXml(10, text, true);
    // Ids that are no numbers are refused with the reason.
    EXPECT_EQ(RaisedError([&] { m_doc.InsertXml(10, L"<ROOT><TASK ID=\"one\"/></ROOT>", false); }).Error(),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(SavedText(m_doc), before);
}
