#include <gtest/gtest.h>

#include "document/model/DateFunctions.h"
#include "document/model/ModelTestSupport.h"
#include "foundation/Options.h"

using DateFunctionsTest = ModelTest;

TEST_F(DateFunctionsTest, FloorAndFraction)
{
    struct Case {
        double date, floor, fraction;
    } cases[] = {
        {45427.75, 45427, 0.75},
        {45427, 45427, 0},
        {0.5, 0, 0.5},
        {-1.25, -2, 0.25}, // 29 December 1899, 06:00: the time counts forwards
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OleDateFloor(c.date), c.floor) << c.date;
        EXPECT_DOUBLE_EQ(OleDateFraction(c.date), c.fraction) << c.date;
    }
}

TEST_F(DateFunctionsTest, ClampToDayEnd)
{
    struct Case {
        double time, clamped;
        int result;
    } cases[] = {
        {Time(23, 59), Time(23, 59), 1},
        {Time(23, 59, 30), Time(23, 59), 0},
        {Time(12, 0), Time(12, 0), 1},
        {0, 0, 1},
        {1.25, Time(23, 59), 0}, // a day part is past the day's end
    };
    for (const Case& c : cases) {
        double time = c.time;
        EXPECT_EQ(ClampToDayEnd(time), c.result) << c.time;
        EXPECT_DOUBLE_EQ(time, c.clamped) << c.time;
    }
    EXPECT_DOUBLE_EQ(EndOfDayTime(), 1439.0 / 1440.0);
}

TEST_F(DateFunctionsTest, TruncateToMinute)
{
    struct Case {
        double time, truncated;
    } cases[] = {
        {Time(9, 1), Time(9, 1)},
        {541.0 / 1440.0, Time(9, 1)},
        {Time(9, 1, 59), Time(9, 1)},
        {Time(23, 59, 59), Time(23, 59)},
        {0.99999999, Time(23, 59)},
        {DateTime(2024, 5, 15, 7, 45) + Time(0, 0, 30), Time(7, 45)},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(TruncateToMinute(c.time), c.truncated) << c.time;
}

TEST_F(DateFunctionsTest, TimeOfDayTextFollowsTheClockSetting)
{
    const double evening = DateTime(2024, 5, 15, 21, 5);
    EXPECT_EQ(FormatTimeOfDay(evening), L"21:05");
    Options::SetTimeFormat(2);
    EXPECT_EQ(FormatTimeOfDay(evening), L"09:05 PM");
    EXPECT_EQ(FormatTimeOfDay(Time(0, 30)), L"12:30 AM");
}

TEST_F(DateFunctionsTest, CurrentTimeOfDayEqualsTheTimeItShows)
{
    // The fraction of a whole date is off in its last digits; times of day must compare exactly.
    for (int hour : {0, 9, 10, 17, 23}) {
        for (int minute : {0, 1, 59}) {
            SetNow(DateTime(2024, 5, 15, hour, minute));
            EXPECT_EQ(CurrentTimeOfDay(), Time(hour, minute)) << hour << ":" << minute;
        }
    }
}
