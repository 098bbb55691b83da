#include <gtest/gtest.h>

#include "document/model/Category.h"
#include "document/model/ModelTestSupport.h"
#include "document/model/TaskCard.h"
#include "foundation/ComError.h"
#include "foundation/Options.h"

using TaskCardTest = ModelTest;

TEST_F(TaskCardTest, ShortNameCutsAfterTwentyCharacters)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* expected;
    } cases[] = {
        {L"", L""},
        {L"Call the bank", L"Call the bank"},
        {L"12345678901234567890", L"12345678901234567890"},
        {L"123456789012345678901", L"12345678901234567890..."},
        {L"Prepare the yearly tax declaration", L"Prepare the yearly t..."},
    };
    for (const Case& c : cases) {
        NamedEntry entry(1, c.name, L"");
        EXPECT_EQ(entry.GetShortName(), c.expected) << c.name;
    }
}

TEST_F(TaskCardTest, SingleLineDescriptionTurnsEachBreakIntoOneSpace)
{
    NamedEntry entry(1, L"n", L"a\r\nb\tc\nd\re");
    EXPECT_EQ(entry.GetSingleLineDescription(), L"a  b c d e");
}

TEST_F(TaskCardTest, DeadlineIsAWholeDayAndTodayWhenUnset)
{
    EstimatedCard card;
    EXPECT_EQ(card.GetDeadline(), Date(2024, 5, 15));
    card.SetDeadline(3.75);
    EXPECT_EQ(card.GetDeadline(), 3.0);
    card.SetDeadline(DateTime(2024, 6, 1, 23, 59));
    EXPECT_EQ(card.GetDeadline(), Date(2024, 6, 1));
}

TEST_F(TaskCardTest, DeadlineXmlTextRoundTrips)
{
    EstimatedCard card;
    card.SetDeadline(Date(2024, 2, 29));
    EXPECT_EQ(card.GetDeadlineXmlText(), L"2024-02-29");

    EstimatedCard read;
    read.SetDeadlineXmlText(L"2024-02-29");
    EXPECT_EQ(read, card);

    read.SetDeadlineXmlText(L"");
    EXPECT_EQ(read.GetDeadlineXmlText(), L"1899-12-30"); // no deadline
    EXPECT_EQ(read.GetDeadline(), Date(2024, 5, 15));
    read.SetDeadlineXmlText(card.GetDeadlineXmlText());
    EXPECT_EQ(read, card);
}

TEST_F(TaskCardTest, DefaultTaskTakesItsColourFromImportanceAndKeepsIt)
{
    TaskCard task;
    EXPECT_FALSE(task.HasOriginalEstimation());
    EXPECT_EQ(task.GetColorDef(), -1);
    EXPECT_EQ(task.GetColor(), 0xDDDDFFu);
    EXPECT_EQ(task.GetColorDef(), 0xDDDDFF);

    // The computed colour stays when the importance changes later.
    task.SetImportance(2);
    EXPECT_EQ(task.GetColor(), 0xDDDDFFu);
    task.SetColor(-1);
    EXPECT_EQ(task.GetColor(), 0xDDFFDDu);
}

TEST_F(TaskCardTest, DefaultColourByImportance)
{
    struct Case {
        int importance;
        COLORREF color;
    } cases[] = {{0, 0xDDDDFF}, {1, 0xFFFFFF}, {2, 0xDDFFDD}, {3, 0xFFDDDD}, {4, 0xFFFFFF}, {7, 0xFFFFFF}, {-1, 0xFFFFFF}};
    for (const Case& c : cases) {
        TaskCard task;
        task.SetImportance(c.importance);
        EXPECT_EQ(task.GetDefaultColor(), c.color) << c.importance;
        EXPECT_EQ(task.GetColor(), c.color) << c.importance;
    }
}

TEST_F(TaskCardTest, ToggleCompleted)
{
    struct Case {
        int status;
        int toggled;
    } cases[] = {{0, 2}, {1, 2}, {2, 1}, {5, 2}};
    for (const Case& c : cases) {
        TaskCard task;
        task.SetStatus(c.status);
        task.ToggleCompleted();
        EXPECT_EQ(task.GetStatus(), c.toggled) << c.status;
    }
}

TEST_F(TaskCardTest, RemainingEstimationIsNeverNegativeAndRoundedToHundredths)
{
    struct Case {
        double estimation, done, planned, remaining;
    } cases[] = {
        {3, 1.5, 2, 0},
        {1, 0.333, 0, 0.67},
        {8, 2, 1, 5},
        {2, 0, 0.125, 1.88},
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        TaskCard task(L"t", L"", c.estimation, 0, 0, 0, c.done, c.planned, -1);
        EXPECT_DOUBLE_EQ(task.GetRemainingEstimation(), c.remaining) << c.estimation << " " << c.done;
        EXPECT_DOUBLE_EQ(task.GetScheduledTime(), c.done + c.planned);
    }
}

TEST_F(TaskCardTest, EstimationTextsUseAPointWhateverTheLocale)
{
    TaskCard task;
    task.SetEstimation(2.5);
    EXPECT_EQ(task.GetEstimationText(), L"2.5");
    task.SetEstimation(3);
    EXPECT_EQ(task.GetEstimationText(), L"3.0");
    EXPECT_EQ(task.GetOriginalEstimationText(), L"-1.0");

    struct Case {
        const wchar_t* text;
        double expected;
    } cases[] = {
        {L"1.5", 1.5}, {L"4", 4}, {L"2.5h", 2.5}, {L"  3.0", 3}, {L"abc", 0}, {L"0.25e1", 2.5},
    };
    for (const Case& c : cases) {
        TaskCard read;
        read.SetEstimationText(c.text);
        EXPECT_DOUBLE_EQ(read.GetEstimation(), c.expected) << c.text;
        read.SetOriginalEstimationText(c.text);
        EXPECT_DOUBLE_EQ(read.GetOriginalEstimation(), c.expected) << c.text;
    }
}

TEST_F(TaskCardTest, EstimationTextWithoutANumberChangesNothing)
{
    for (const wchar_t* text : {L"", L"nan", L"inf", L"1e999"}) {
        TaskCard task;
        task.SetEstimation(6);
        task.SetEstimationText(text);
        EXPECT_EQ(task.GetEstimation(), 6) << text;
        task.SetOriginalEstimationText(text);
        EXPECT_FALSE(task.HasOriginalEstimation()) << text;
    }
}

TEST_F(TaskCardTest, StatusAndImportanceTextsFallBackToTheirKeys)
{
    struct Case {
        int status;
        const wchar_t* text;
    } statuses[] = {{0, L"NEW_STATUS"}, {1, L"INPROGRESS"}, {2, L"COMPLETED_STATUS"}, {9, L"NEW_STATUS"}, {-1, L"NEW_STATUS"}};
    for (const Case& c : statuses) {
        TaskCard task;
        task.SetStatus(c.status);
        EXPECT_EQ(task.GetStatusText(), c.text) << c.status;
    }
    struct ImportanceCase {
        int importance;
        const wchar_t* text;
    } importances[] = {{0, L"URGENT_AND_IMPORTANT"}, {1, L"IMPORTANT"}, {2, L"URGENT"}, {3, L"FUTURE_TASK"}, {8, L"FUTURE_TASK"}};
    for (const ImportanceCase& c : importances) {
        TaskCard task;
        task.SetImportance(c.importance);
        EXPECT_EQ(task.GetImportanceText(), c.text) << c.importance;
    }
}

TEST_F(TaskCardTest, EqualityIgnoresImportanceAndCategoryPath)
{
    TaskCard a(L"Write", L"report", 4, Date(2024, 6, 1), 0, 1, 1, 2, 3);
    TaskCard b(a);
    b.SetImportance(3);
    b.SetCategoryPath(L"Work/Reports");
    EXPECT_EQ(a, b);

    const auto differs = [&a](auto change) {
        TaskCard c(a);
        change(c);
        return !(c == a);
    };
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetId(t.GetId() + 1); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetName(L"Read"); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetDescription(L""); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetDeadline(0); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetEstimation(5); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetDoneTime(0); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetPlannedTime(0); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetStatus(2); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetOriginalEstimation(-1); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetDailyRecurrence(true); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetHasRecurrence(true); }));
    EXPECT_TRUE(differs([](TaskCard& t) { t.SetColor(0x123456); }));
}

TEST_F(TaskCardTest, ValueConstructorsDrawIdsAboveTheSeededCounter)
{
    TaskCard::SetIdCounter(41);
    Category::SetIdCounter(7);
    const TaskCard first(L"a", L"", 1, 0, 0, 0, 0, 0, -1);
    const TaskCard second(L"b", L"", 1, 0, 0, 0, 0, 0, -1);
    const Category category(L"Home", L"", 0, 0);
    EXPECT_EQ(first.GetId(), 42);
    EXPECT_EQ(second.GetId(), 43);
    EXPECT_EQ(category.GetId(), 8);

    // Copies and defaults draw nothing.
    const TaskCard copy(first);
    EXPECT_EQ(copy.GetId(), 42);
    EXPECT_EQ(TaskCard().GetId(), 0);
    EXPECT_EQ(TaskCard::NextId(), 44);
}

TEST_F(TaskCardTest, FindTaskById)
{
    std::vector<TaskCard> tasks(3);
    tasks[0].SetId(5);
    tasks[1].SetId(9);
    tasks[2].SetId(9);
    tasks[2].SetName(L"second nine");
    EXPECT_EQ(&FindTaskById(tasks, 9), &tasks[1]);
    EXPECT_EQ(&FindTaskById(tasks, 5), &tasks[0]);

    try {
        FindTaskById(tasks, 6);
        FAIL() << "no error for a missing id";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Error(), E_FAIL);
    }
    const std::vector<TaskCard> none;
    EXPECT_THROW(FindTaskById(none, 0), ComError);
}
