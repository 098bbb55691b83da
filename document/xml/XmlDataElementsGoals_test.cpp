#include <gtest/gtest.h>

#include "document/xml/DefaultLists.h"
#include "document/xml/ElementsTestSupport.h"
#include "foundation/Language.h"

namespace {

class DefaultListsTest : public ElementsTest {
protected:
    void TearDown() override
    {
        Resource::Dictionary().Clear();
        ElementsTest::TearDown();
    }

    void Open(const EString& xml)
    {
        m_doc.LoadXml(xml);
        m_doc.AfterLoad();
    }

    TestElements m_doc;
};

} // namespace

TEST_F(DefaultListsTest, DefaultMoodsComeInTableOrderWithTheirColoursAndIdsAboveTheLargest)
{
    Open(L"<ROOT><AVAILABLEMOODS><MOOD ID=\"7\" NAME=\"mine\" COLOR=\"000000\"/></AVAILABLEMOODS></ROOT>");
    Resource::Dictionary().Parse(L"Creative=Kreativ\n");
    m_doc.AddDefaultMoods();
    std::vector<MoodItem> moods;
    m_doc.GetMoods(moods);
    ASSERT_EQ(moods.size(), 21u);
    for (size_t i = 1; i < moods.size(); ++i)
        EXPECT_EQ(moods[i].GetId(), 7 + static_cast<int>(i));
    EXPECT_EQ(moods[1].GetName(), L"Kreativ");
    EXPECT_EQ(moods[11].GetName(), L"Anxious"); // no translation: the key
    EXPECT_EQ(moods[20].GetName(), L"Grand");
    const struct {
        size_t index;
        const wchar_t* color;
    } colors[] = {{1, L"11ee11"}, {10, L"c58b34"}, {11, L"f5f000"}, {16, L"00ffff"}, {20, L"be839d"}};
    const std::vector<XmlNode> elements = m_doc.GetAvailableMoodsSection().GetChildElements();
    for (const auto& c : colors)
        EXPECT_EQ(Attribute(elements[c.index], L"COLOR"), c.color) << c.index;
}

TEST_F(DefaultListsTest, DefaultPeopleAreASupportGroupWithOneContact)
{
    Open(L"<ROOT/>");
    m_doc.AddDefaultPeople();
    std::vector<Person> groups;
    m_doc.GetPeople(0, groups);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_TRUE(groups[0].IsGroup());
    EXPECT_EQ(groups[0].GetName(), L"Quorvane support");
    EXPECT_EQ(groups[0].GetDescription(), L"Quorvane support");
    EXPECT_EQ(groups[0].GetEmail(), L"");
    std::vector<Person> members;
    m_doc.GetPeople(groups[0].GetId(), members);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_FALSE(members[0].IsGroup());
    EXPECT_EQ(members[0].GetName(), L"QuorvaneSupport");
    EXPECT_EQ(members[0].GetFullName(), L"Quorvane assistant");
    EXPECT_EQ(members[0].GetDescription(), L"Quorvane assistant");
    EXPECT_EQ(members[0].GetEmail(), DefaultLists::SupportEmail());
}

TEST_F(DefaultListsTest, DefaultGoalsAreOfferedUntilGoalsAreStored)
{
    Open(L"<ROOT/>");
    std::vector<Goal> goals;
    m_doc.GetGoals(goals);
    ASSERT_EQ(goals.size(), 45u);
    EXPECT_EQ(goals.front().GetName(), L"BuyAHouse");
    EXPECT_EQ(goals.back().GetName(), L"FindAProfitableBusiness");
    EXPECT_EQ(goals[1].GetId(), goals[0].GetId() + 1);
    EXPECT_EQ(m_doc.GetAvailableGoalsSection().GetChildElements().size(), 0u);

    m_doc.AddGoals({goals[3], goals[4]});
    std::vector<Goal> stored;
    m_doc.GetGoals(stored);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].GetName(), L"ExerciseRegularly");
    EXPECT_EQ(stored[1].GetId(), goals[4].GetId());
    EXPECT_EQ(XmlDataElements::GetGoalsVersion(), 1000);
}

TEST_F(DefaultListsTest, ChosenGoalsBecomeCategoriesWithAFirstTask)
{
    Open(L"<ROOT><CATEGORY ID=\"1\" NAME=\"Work\"><CATEGORY ID=\"2\" NAME=\"Goals\"/></CATEGORY></ROOT>");
    const std::vector<Goal> goals = {Goal(L"Swim", L"in the sea", Date(2024, 9, 1)), Goal(L"Run", L"", 0)};
    m_doc.AddGoalTasks(goals);
    m_doc.AddGoalTasks({goals[1]});

    // A nested "Goals" is not the goals category; one is made at the top, once.
    const int goalsId = m_doc.FindGoalsCategoryId();
    ASSERT_NE(goalsId, 0);
    EXPECT_NE(goalsId, 2);
    EXPECT_EQ(XmlDataElements::GetGoalsCategoryName(), L"Goals");
    std::vector<Category> categories;
    m_doc.GetSubCategories(goalsId, categories);
    ASSERT_EQ(categories.size(), 3u);
    EXPECT_EQ(categories[0].GetName(), L"Swim");
    EXPECT_EQ(categories[0].GetDescription(), L"in the sea");
    EXPECT_EQ(categories[0].GetDeadline(), Date(2024, 9, 1));
    EXPECT_EQ(Attribute(m_doc.FindCategory(categories[1].GetId()), L"DEADLINE"), L"2024-05-15");

    const XmlNode first = m_doc.FindCategory(categories[0].GetId()).GetFirstChildElement().GetNextElement();
    TaskCard task;
    m_doc.ReadTask(first, task);
    EXPECT_EQ(task.GetName(), L"Thinking about: Swim");
    EXPECT_EQ(task.GetDescription(), L"in the sea");
    EXPECT_EQ(task.GetEstimation(), 1.0);
    EXPECT_EQ(task.GetImportance(), 1);
    EXPECT_EQ(task.GetStatus(), 0);
    EXPECT_EQ(task.GetDeadline(), Date(2024, 5, 15));
    EXPECT_FALSE(task.HasOriginalEstimation());
    EXPECT_EQ(task.GetColorDef(), 16777215);
    EXPECT_EQ(task.GetCategoryPath(), L"Goals/Swim");
}

TEST_F(DefaultListsTest, AGoalsCategoryInAnyLetterCaseIsUsedAndReopened)
{
    Open(L"<ROOT><CATEGORY ID=\"4\" NAME=\"gOALS\" STATUS=\"1\"/></ROOT>");
    m_doc.AddGoalTasks({Goal(L"Read", L"", 0)});
    EXPECT_EQ(m_doc.FindGoalsCategoryId(), 4);
    Category goalsCategory;
    m_doc.GetCategory(4, goalsCategory);
    EXPECT_EQ(goalsCategory.GetStatus(), 0);
    std::vector<Category> categories;
    m_doc.GetSubCategories(0, categories);
    EXPECT_EQ(categories.size(), 1u);
}
