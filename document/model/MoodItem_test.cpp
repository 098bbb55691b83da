#include <gtest/gtest.h>

#include "document/model/Goal.h"
#include "document/model/ModelTestSupport.h"
#include "document/model/MoodItem.h"
#include "document/model/MoodState.h"

using MoodItemTest = ModelTest;

TEST_F(MoodItemTest, ColourTextIsRedGreenBlue)
{
    struct Case {
        COLORREF color;
        const wchar_t* text;
    } cases[] = {
        {0x0080FF, L"ff8000"}, {0x000000, L"000000"}, {0xFFFFFF, L"ffffff"},
        {0x123456, L"563412"}, {0x00000A, L"0a0000"}, {0x0A0000, L"00000a"},
    };
    for (const Case& c : cases) {
        MoodItem mood(L"m", c.color);
        EXPECT_EQ(mood.GetColorText(), c.text) << c.color;
        MoodItem read;
        read.SetColorText(mood.GetColorText());
        EXPECT_EQ(read.GetColor(), c.color) << c.text;
    }
}

TEST_F(MoodItemTest, ColourTextReadsWhatItCan)
{
    struct Case {
        const wchar_t* text;
        COLORREF color;
    } cases[] = {
        {L"abc", RGB(0xAB, 0x0C, 0)},
        {L"FF8000", 0x0080FF},
        {L"", 0},
        {L"f", RGB(0x0F, 0, 0)},
        {L"zz80ff", RGB(0, 0x80, 0xFF)},
        {L"1g2h3i", RGB(1, 2, 3)},
        {L"ffffffff", 0xFFFFFF},
        {L"-1 0x1", RGB(0, 0, 0)},
        {L" 1 2 3", RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        MoodItem mood;
        mood.SetColor(0x777777);
        mood.SetColorText(c.text);
        EXPECT_EQ(mood.GetColor(), c.color) << c.text;
    }
}

TEST_F(MoodItemTest, NewRecordsDrawIdsFromTheirOwnCounters)
{
    MoodItem::SetIdCounter(3);
    MoodState::SetIdCounter(30);
    Goal::SetIdCounter(300);
    const MoodItem mood(L"Calm", 0x00FF00);
    const MoodState state(mood.GetId());
    const Goal goal(L"Run a marathon", L"", Date(2025, 4, 1));
    EXPECT_EQ(mood.GetId(), 4);
    EXPECT_TRUE(mood.GetDescription().empty());
    EXPECT_EQ(state.GetId(), 31);
    EXPECT_EQ(state.GetMoodId(), 4);
    EXPECT_EQ(state.GetStartTime(), Time(10, 30));
    EXPECT_EQ(goal.GetId(), 301);
    EXPECT_EQ(goal.GetDeadlineXmlText(), L"2025-04-01");
}
