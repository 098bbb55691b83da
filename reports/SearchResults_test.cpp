#include "reports/SearchResults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/xml/XmlDoc.h"
#include "foundation/ComError.h"
#include "reports/ResultsParser.h"

namespace {

// Shown in name order: Attic (2) with its sub-category Cat boxes (3), then
// Garden (1); Zoo (4) holds no task.
constexpr const wchar_t* kPlan =
    L"<ROOT>"
    L"<CATEGORY ID=\"1\" NAME=\"Garden\" STATUS=\"0\"><DESCRIPTION/>"
    L"<TASK ID=\"11\" NAME=\"Water the plants\" STATUS=\"0\" ESTIMATION=\"9\"><DESCRIPTION/></TASK>"
    L"<TASK ID=\"12\" NAME=\"Buy cat food\" STATUS=\"0\" ESTIMATION=\"2.5\"><DESCRIPTION/></TASK>"
    L"<TASK ID=\"13\" NAME=\"Sort the category labels\" STATUS=\"1\" ESTIMATION=\"10\"><DESCRIPTION/></TASK>"
    L"</CATEGORY>"
    L"<CATEGORY ID=\"4\" NAME=\"Zoo\" STATUS=\"0\"><DESCRIPTION>cat house</DESCRIPTION></CATEGORY>"
    L"<CATEGORY ID=\"2\" NAME=\"Attic\" STATUS=\"0\"><DESCRIPTION>Where the Cat sleeps</DESCRIPTION>"
    L"<TASK ID=\"21\" NAME=\"axb plan\" STATUS=\"0\"><DESCRIPTION/></TASK>"
    L"<TASK ID=\"22\" NAME=\"Catalogue\" STATUS=\"2\"><DESCRIPTION/></TASK>"
    L"<CATEGORY ID=\"3\" NAME=\"Cat boxes\" STATUS=\"1\"><DESCRIPTION/>"
    L"<TASK ID=\"31\" NAME=\"cat toys\" STATUS=\"2\"><DESCRIPTION/></TASK>"
    L"</CATEGORY></CATEGORY>"
    L"</ROOT>";

class SearchResultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_plan.LoadXml(kPlan);
        m_search.SetDocument(m_plan.GetDocument(false));
        m_search.SetCriteria(L"cat");
    }

    // The hit as "category 2", "task 22 in 2", or "none".
    std::string Hit()
    {
        if (!m_search.Run())
            return "none";
        const std::string category = std::to_string(m_search.GetFoundCategoryId());
        return m_search.IsTaskFound() ? "task " + std::to_string(m_search.GetFoundTaskId()) + " in " + category
                                      : "category " + category;
    }

    // Find Next as the document runs it: each hit becomes the selection.
    std::vector<std::string> Walk(int steps)
    {
        std::vector<std::string> hits;
        for (int step = 0; step < steps; ++step) {
            hits.push_back(Hit());
            m_search.SetSelection(m_search.GetFoundCategoryId(), m_search.IsTaskFound() ? m_search.GetFoundTaskId() : 0);
        }
        return hits;
    }

    XmlDoc m_plan;
    SearchResults m_search;
};

using Hits = std::vector<std::string>;

} // namespace

TEST_F(SearchResultsTest, FindNextWalksTheHitsInTheOrderThePanesShowThemAndWrapsRound)
{
    EXPECT_EQ(Walk(8), (Hits{"category 2", "task 22 in 2", "category 3", "task 31 in 3", "task 12 in 1",
                             "task 13 in 1", "category 4", "category 2"}));
}

TEST_F(SearchResultsTest, BackwardGoesToTheHitBeforeTheSelectionAndWrapsRound)
{
    const struct {
        const char* name;
        int category, task;
        const char* expected;
    } cases[] = {
        {"from the first task of a category", 1, 12, "task 31 in 3"},
        {"from a later task", 1, 13, "task 12 in 1"},
        {"from a task past its category's own hit", 3, 31, "task 22 in 2"},
        {"from the selected category", 1, 0, "task 31 in 3"},
        {"from the first hit", 2, 0, "category 4"},
        {"from nothing selected", 0, 0, "category 4"},
    };
    m_search.SetOptions({.up = true});
    for (const auto& test : cases) {
        m_search.SetSelection(test.category, test.task);
        EXPECT_EQ(Hit(), test.expected) << test.name;
    }
}

TEST_F(SearchResultsTest, TheSelectedCategorysOwnHitIsNotTheAnswer)
{
    m_search.SetCriteria(L"sleeps");
    m_search.SetSelection(2, 0);
    EXPECT_EQ(Hit(), "none") << "finding it again would leave the search standing";
    m_search.SetSelection(1, 12);
    EXPECT_EQ(Hit(), "category 2");
}

TEST_F(SearchResultsTest, TheSwitchesAndTheStatusFilterChooseTheHits)
{
    const struct {
        const char* name;
        const wchar_t* criteria;
        FindOptions options;
        int statusFilter;
        Hits expected;
    } cases[] = {
        {"whole word", L"cat", {.wholeWord = true}, 0,
         {"category 2", "category 3", "task 31 in 3", "task 12 in 1", "category 4", "category 2"}},
        {"match case", L"Cat", {.matchCase = true}, 0, {"category 2", "task 22 in 2", "category 3", "category 2"}},
        {"a dot as text", L"a.b", {}, 0, {"none"}},
        {"a dot in an expression", L"a.b", {.regularExpression = true}, 0, {"task 21 in 2", "none"}},
        {"completed tasks, categories of any status", L"cat", {}, 4,
         {"category 2", "task 22 in 2", "category 3", "task 31 in 3", "category 4", "category 2"}},
        {"tasks to do in categories to do", L"cat", {}, 1,
         {"category 2", "task 12 in 1", "task 13 in 1", "category 4", "category 2"}},
    };
    for (const auto& test : cases) {
        m_search.SetCriteria(test.criteria);
        m_search.SetOptions(test.options);
        m_search.SetStatusFilter(test.statusFilter);
        m_search.SetSelection(0, 0);
        EXPECT_EQ(Walk(static_cast<int>(test.expected.size())), test.expected) << test.name;
    }
}

TEST_F(SearchResultsTest, TasksComeInTheTaskListsSortWithinTheirCategory)
{
    m_search.SetCriteria(L"t");
    m_search.SetSelection(1, 0);
    m_search.SetSort(1, 0); // estimation, descending
    EXPECT_EQ(Walk(3), (Hits{"task 13 in 1", "task 11 in 1", "task 12 in 1"}));
    m_search.SetSelection(1, 0);
    m_search.SetSort(0, 1); // name, ascending
    EXPECT_EQ(Walk(3), (Hits{"task 12 in 1", "task 13 in 1", "task 11 in 1"}));
}

TEST_F(SearchResultsTest, NoTextFindsNothingAndABadExpressionIsReportedKeepingTheLastHit)
{
    m_search.SetSelection(1, 12);
    ASSERT_EQ(Hit(), "task 13 in 1");
    m_search.SetCriteria(L"");
    EXPECT_EQ(Hit(), "none");
    m_search.SetCriteria(L"(cat");
    m_search.SetOptions({.regularExpression = true});
    EXPECT_THROW(m_search.Run(), ComError);
    EXPECT_EQ(m_search.GetFoundTaskId(), 13);
}

// A task added while the tree's top item was chosen lies outside every category.
TEST(SearchResults, TasksOutsideEveryCategoryAreFoundUnderTheTopItemFirst)
{
    XmlDoc plan;
    plan.LoadXml(L"<ROOT>"
                 L"<TASK ID=\"5\" NAME=\"Call the cat vet\" STATUS=\"0\"><DESCRIPTION/></TASK>"
                 L"<CATEGORY ID=\"1\" NAME=\"Garden\" STATUS=\"0\"><DESCRIPTION/>"
                 L"<TASK ID=\"11\" NAME=\"Buy cat food\" STATUS=\"0\"><DESCRIPTION/></TASK>"
                 L"</CATEGORY>"
                 L"<TASK ID=\"6\" NAME=\"Brush the cat\" STATUS=\"0\"><DESCRIPTION/></TASK>"
                 L"</ROOT>");
    SearchResults search;
    search.SetDocument(plan.GetDocument(false));
    search.SetCriteria(L"cat");
    std::vector<std::string> hits;
    for (int step = 0; step < 4; ++step) {
        ASSERT_TRUE(search.Run());
        ASSERT_TRUE(search.IsTaskFound());
        hits.push_back(std::to_string(search.GetFoundTaskId()) + " in " + std::to_string(search.GetFoundCategoryId()));
        search.SetSelection(search.GetFoundCategoryId(), search.GetFoundTaskId());
    }
    EXPECT_EQ(hits, (Hits{"6 in 0", "5 in 0", "11 in 1", "6 in 0"})) << "by name, as the list shows them";
}

TEST(SearchResults, ThePlansTextIsSearchedWhenNoDocumentIsHanded)
{
    SearchResults search;
    search.SetXml(kPlan);
    search.SetCriteria(L"toys");
    ASSERT_TRUE(search.Run());
    EXPECT_EQ(search.GetFoundTaskId(), 31);
}
