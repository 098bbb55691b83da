#include <gtest/gtest.h>

#include "document/xml/DataManagerTestSupport.h"

namespace {

class DataManagerTasksTest : public DataManagerTest {
protected:
    void SetUp() override
    {
        DataManagerTest::SetUp();
        Open(kSmallPlan);
    }

    EString Ids(int categoryId, const FilterInfo& filter, bool subtree, bool includeFuture)
    {
        std::vector<TaskCard> tasks;
        m_doc.SelectTasks(categoryId, tasks, filter, subtree, includeFuture, false);
        EString ids;
        for (const TaskCard& task : tasks)
            ids += EString::Formatted(ids.empty() ? L"%d" : L" %d", task.GetId());
        return ids;
    }

    int Count(const EString& xpath) { return m_doc.GetDocument(false).SelectNodes(xpath).GetLength(); }
    EString ParentId(int taskId) { return Attribute(m_doc.FindTask(taskId).GetParent(), L"ID"); }
};

struct SelectionCase {
    const char* name;
    int categoryId;
    FilterInfo filter;
    bool subtree;
    bool includeFuture;
    const wchar_t* ids;
};

const SelectionCase kSelections[] = {
    {"the whole tree", 0, FilterInfo(0, 0, 0, 0), true, true, L"1 2 3 4 5"},
    {"the top's own tasks", 0, FilterInfo(0, 0, 0, 0), false, true, L"5"},
    {"a category's branch", 10, FilterInfo(0, 0, 0, 10), true, true, L"1 2 3 4"},
    {"a category's own tasks", 10, FilterInfo(0, 0, 0, 10), false, true, L"1 2"},
    {"without future tasks", 10, FilterInfo(0, 0, 0, 10), true, false, L"1 2 3"},
    {"to do", 0, FilterInfo(1, 0, 0, 0), true, true, L"1 2 4 5"},
    {"completed", 11, FilterInfo(4, 0, 0, 11), true, true, L"3"},
    {"urgent and important only, at the top", 0, FilterInfo(0, 0, 1, 0), true, true, L"1"},
    {"priorities do not filter inside a category", 10, FilterInfo(0, 0, 1, 10), true, true, L"1 2 3 4"},
    {"due today, at the top", 0, FilterInfo(0, 1, 0, 0), true, true, L"5"},
};

} // namespace

TEST_F(DataManagerTasksTest, TasksAreSelectedByCategoryAndFilterInDocumentOrder)
{
    for (const SelectionCase& c : kSelections) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Ids(c.categoryId, c.filter, c.subtree, c.includeFuture), c.ids);
    }
    EXPECT_EQ(RaisedError([&] { Ids(99, FilterInfo(0, 0, 0, 99), true, true); }).Error(), E_POINTER);
}

TEST_F(DataManagerTasksTest, SelectedTasksCarryTheirPathTimesAndRecurrence)
{
    Open(L"<ROOT><CATEGORY ID=\"1\" NAME=\"A\"><CATEGORY ID=\"2\" NAME=\"\"><CATEGORY ID=\"3\" NAME=\"C\">"
         L"<TASK ID=\"1\" NAME=\"deep\" ESTIMATION=\"3.0\"/></CATEGORY><TASK ID=\"2\"/></CATEGORY></CATEGORY>"
         L"<DAILY><DAY DATE=\"2024-05-14\"><PLANENTRY ID=\"1\" TASKID=\"1\" STARTTIME=\"09:00\" ENDTIME=\"10:00\"/>"
         L"</DAY><DAY DATE=\"2024-05-16\"><PLANENTRY ID=\"2\" TASKID=\"1\" STARTTIME=\"09:00\" ENDTIME=\"09:30\"/>"
         L"</DAY></DAILY><RECURRENCESECTION><RECURRENCE ID=\"1\" PATTERNPERIOD=\"0\"/><RECURRENCE ID=\"2\" "
         L"PATTERNPERIOD=\"1\"/></RECURRENCESECTION></ROOT>");
    for (const int category : {1, 2, 3}) {
        SCOPED_TRACE(category);
        std::vector<TaskCard> tasks;
        m_doc.SelectCategoryTasks(category, tasks, 0, true, true);
        TaskCard expected;
        m_doc.GetTask(1, expected);
        ASSERT_GE(tasks.size(), 1u);
        EXPECT_EQ(tasks[0].GetCategoryPath(), expected.GetCategoryPath());
        EXPECT_EQ(tasks[0].GetCategoryPath(), L"A//C");
        EXPECT_NEAR(tasks[0].GetDoneTime(), 1.0, 1e-9);
        EXPECT_NEAR(tasks[0].GetPlannedTime(), 0.5, 1e-9);
        EXPECT_TRUE(tasks[0].HasRecurrence());
        EXPECT_TRUE(tasks[0].IsDailyRecurrence());
        if (tasks.size() > 1) {
            EXPECT_EQ(tasks[1].GetCategoryPath(), L"A");
            EXPECT_TRUE(tasks[1].HasRecurrence());
            EXPECT_FALSE(tasks[1].IsDailyRecurrence());
        }
    }
}

TEST_F(DataManagerTasksTest, CountsAndEstimationTotalsOfTheWholeBranch)
{
    EXPECT_EQ(m_doc.CountTasks(10, FilterInfo(0, 0, 0, 10)), 4);
    EXPECT_EQ(m_doc.GetTotalEstimation(10, FilterInfo(0, 0, 0, 10)), 11); // 10.5 rounded up
    EXPECT_EQ(m_doc.CountTasks(10, FilterInfo(4, 0, 0, 10)), 1);
    // Tenths that add up to a whole number, in binary just above it.
    Open(L"<ROOT><TASK ID=\"1\" ESTIMATION=\"0.1\"/><TASK ID=\"2\" ESTIMATION=\"2.7\"/><TASK ID=\"3\" "
         L"ESTIMATION=\"0.2\"/></ROOT>");
    EXPECT_EQ(m_doc.GetTotalEstimation(0, FilterInfo(0, 0, 0, 0)), 3);
}

TEST_F(DataManagerTasksTest, ATaskWithoutAStatusIsNotCompleted)
{
    Open(L"<ROOT><CATEGORY ID=\"1\"><TASK ID=\"1\" STATUS=\"2\"/><CATEGORY ID=\"2\"><TASK ID=\"2\"/></CATEGORY>"
         L"</CATEGORY><CATEGORY ID=\"3\"><TASK ID=\"3\" STATUS=\"2\"/><TASK ID=\"4\" STATUS=\"2.0\"/></CATEGORY>"
         L"<CATEGORY ID=\"4\"/></ROOT>");
    EXPECT_TRUE(m_doc.HasUncompletedTasks(1));
    EXPECT_TRUE(m_doc.HasUncompletedTasks(2));
    EXPECT_FALSE(m_doc.HasUncompletedTasks(3));
    EXPECT_FALSE(m_doc.HasUncompletedTasks(4));
    EXPECT_FALSE(m_doc.HasUncompletedTasks(99));
}

TEST_F(DataManagerTasksTest, MovedTasksGoLastInTheirCategoryAndReopenIt)
{
    Category deep;
    m_doc.GetCategory(11, deep);
    deep.SetStatus(1);
    m_doc.UpdateCategory(deep);
    m_doc.MoveTasks(11, {3, 5, 1});
    EXPECT_EQ(Ids(11, FilterInfo(0, 0, 0, 11), false, true), L"4 3 5 1");
    EXPECT_EQ(Attribute(m_doc.FindCategory(11), L"STATUS"), L"0");

    // Completed tasks alone leave the category completed.
    m_doc.UpdateCategory(deep);
    m_doc.MoveTasks(10, {3});
    m_doc.MoveTasks(11, {3});
    EXPECT_EQ(Attribute(m_doc.FindCategory(11), L"STATUS"), L"1");
}

TEST_F(DataManagerTasksTest, AMoveToACategoryOrOfATaskThatDoesNotExistMovesNothing)
{
    const EString before = SavedText(m_doc);
    EXPECT_EQ(RaisedError([&] { m_doc.MoveTasks(99, {1, 2}); }).Error(), E_POINTER);
    EXPECT_EQ(RaisedError([&] { m_doc.MoveTasks(11, {1, 99, 2}); }).Error(), E_POINTER);
    EXPECT_EQ(SavedText(m_doc), before);
    EXPECT_EQ(ParentId(1), L"10");
}

TEST_F(DataManagerTasksTest, ACategoryMovesUnderAnotherButNeverIntoItsOwnBranch)
{
    m_doc.MoveCategory(0, 11);
    EXPECT_EQ(m_doc.GetParentCategoryId(11), 0);
    m_doc.MoveCategory(11, 10);
    EXPECT_EQ(m_doc.GetParentCategoryId(10), 11);

    const EString before = SavedText(m_doc);
    EXPECT_EQ(RaisedError([&] { m_doc.MoveCategory(10, 10); }).Error(), E_INVALIDARG);
    EXPECT_EQ(RaisedError([&] { m_doc.MoveCategory(10, 11); }).Error(), E_INVALIDARG);
    EXPECT_EQ(RaisedError([&] { m_doc.MoveCategory(0, 0); }).Error(), E_INVALIDARG);
    EXPECT_EQ(RaisedError([&] { m_doc.MoveCategory(0, 99); }).Error(), E_POINTER);
    EXPECT_EQ(SavedText(m_doc), before);

    // A parent that does not exist leaves it last among its siblings.
    Open(kSmallPlan);
    m_doc.MoveTasks(10, {5});
    m_doc.MoveCategory(99, 11);
    EXPECT_EQ(Count(L"//CATEGORY[@ID=\"10\"]/*[last()][@ID=\"11\"]"), 1);
}

TEST_F(DataManagerTasksTest, ATaskBecomesACategoryHoldingIt)
{
    const int id = m_doc.ConvertTaskToCategory(2);
    Category category;
    m_doc.GetCategory(id, category);
    EXPECT_EQ(category.GetName(), L"Read");
    EXPECT_EQ(category.GetDeadlineXmlText(), L"2024-05-22");
    EXPECT_EQ(m_doc.GetParentCategoryId(id), 10);
    EXPECT_EQ(m_doc.GetTaskCategory(2), id);
}

TEST_F(DataManagerTasksTest, OriginalEstimationsAreResetToTheEstimations)
{
    m_doc.ResetOriginalEstimation(5);
    EXPECT_EQ(TaskAttribute(5, L"ORIGINALESTIMATION"), L"1.0");
    EXPECT_EQ(TaskAttribute(1, L"ORIGINALESTIMATION"), L"");
    m_doc.ResetOriginalEstimations(10);
    for (const int id : {1, 2, 3, 4})
        EXPECT_EQ(TaskAttribute(id, L"ORIGINALESTIMATION"), TaskAttribute(id, L"ESTIMATION")) << id;
    EXPECT_EQ(RaisedError([&] { m_doc.ResetOriginalEstimation(99); }).Error(), E_POINTER);
}
