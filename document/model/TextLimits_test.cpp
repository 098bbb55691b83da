#include <gtest/gtest.h>

#include "document/model/ModelTestSupport.h"
#include "document/model/TextCuts.h"
#include "document/model/TextLimits.h"

using TextLimitsTest = ModelTest;

TEST_F(TextLimitsTest, ACutKeepsWholeCharactersUpToTheLimit)
{
    const EString smile = L"\xD83D\xDE00";
    const struct {
        const char* name;
        EString text;
        size_t limit;
        EString kept;
        bool cut;
    } cases[] = {
        {"shorter", L"abc", 4, L"abc", false},
        {"as long", L"abcd", 4, L"abcd", false},
        {"longer", L"abcde", 4, L"abcd", true},
        {"a pair that ends at the limit", L"ab" + smile + L"e", 4, L"ab" + smile, true},
        {"a pair across the limit", L"abc" + smile, 4, L"abc", true},
        {"a lone high half at the limit", EString(L"abc\xD83D") + L"e", 4, EString(L"abc\xD83D"), true},
        {"a lone low half after the limit", EString(L"abcd\xDE00"), 4, L"abcd", true},
        {"nothing kept", L"abc", 0, L"", true},
    };
    for (const auto& c : cases) {
        EString text = c.text;
        EXPECT_EQ(TextLimits::Cut(text, c.limit), c.cut) << c.name;
        EXPECT_EQ(text, c.kept) << c.name;
    }
}

TEST_F(TextLimitsTest, CutsCountEachKindWithTheFirstRecordAsItIsKept)
{
    TextCuts cuts;
    TaskCard shortTask(L"Short", L"Fine", 1, 0, 1, 0, 0, 0, -1);
    cuts.Fit(shortTask);
    EXPECT_FALSE(cuts.Any());

    TaskCard first(EString(TextLimits::kTaskName + 5, L'a'), EString(TextLimits::kDescription + 1, L'd'), 1, 0, 1, 0,
                   0, 0, -1);
    TaskCard second(EString(TextLimits::kTaskName + 1, L'b'), L"", 1, 0, 1, 0, 0, 0, -1);
    Category category(EString(TextLimits::kCategoryName + 1, L'c'), L"", 0, 0);
    TaskPlanEntry entry(second.GetId(), 0.25, 0.5, EString(TextLimits::kDescription + 1, L'e'), L"", 0, 0);
    cuts.Fit(first);
    cuts.Fit(second);
    cuts.Fit(category);
    cuts.Fit(entry, L"Owner");

    EXPECT_EQ(first.GetName(), EString(TextLimits::kTaskName, L'a'));
    EXPECT_EQ(first.GetDescription().size(), TextLimits::kDescription);
    EXPECT_EQ(category.GetName(), EString(TextLimits::kCategoryName, L'c'));
    EXPECT_EQ(entry.GetDescription().size(), TextLimits::kDescription);
    EXPECT_EQ(cuts.Of(TextCuts::kTaskNames).count, 2);
    EXPECT_EQ(cuts.Of(TextCuts::kTaskNames).first, first.GetName());
    EXPECT_EQ(cuts.Of(TextCuts::kCategoryNames).count, 1);
    EXPECT_EQ(cuts.Of(TextCuts::kDescriptions).count, 2);
    EXPECT_EQ(cuts.Of(TextCuts::kDescriptions).first, first.GetName()) << "named by its task, as kept";
}
