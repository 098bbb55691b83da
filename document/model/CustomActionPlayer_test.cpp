#include <gtest/gtest.h>

#include "document/model/CustomActionPlayer.h"
#include "document/model/ModelTestSupport.h"
#include "foundation/Options.h"

using CustomActionPlayerTest = ModelTest;

TEST_F(CustomActionPlayerTest, PlaysWhileTheRangeRuns)
{
    const TimeRange range(Time(9, 0), Time(10, 0), L"Standup", L"", 0);
    struct Case {
        double now;
        bool plays;
    } cases[] = {
        {DateTime(2024, 5, 15, 8, 59), false},
        {DateTime(2024, 5, 15, 9, 0), true},
        {DateTime(2024, 5, 15, 9, 59), true},
        {DateTime(2024, 5, 15, 10, 0), false},
        {DateTime(2024, 5, 16, 9, 30), true}, // any day: times of day only
    };
    // A file that cannot be played is not reported.
    Options::SetPlanSound(L"Z:\\nowhere\\chime.wav");
    for (const Case& c : cases) {
        SetNow(c.now);
        EXPECT_EQ(CustomActionPlayer::Play(range), c.plays) << c.now;
    }
    Options::SetPlanSound(L"");
    for (const Case& c : cases) {
        SetNow(c.now);
        EXPECT_FALSE(CustomActionPlayer::Play(range)) << c.now;
    }
}
