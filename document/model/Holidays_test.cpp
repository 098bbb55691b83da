#include <gtest/gtest.h>

#include <cmath>

#include "document/model/Holidays.h"
#include "document/model/ModelTestSupport.h"
#include "foundation/Options.h"

using HolidaysTest = ModelTest;

TEST_F(HolidaysTest, ListedDatesInvertTheWeekendRule)
{
    const double friday = Date(2024, 5, 17);
    const double saturday = Date(2024, 5, 18);
    const double sunday = Date(2024, 5, 19);
    const double monday = Date(2024, 5, 20);
    Holidays holidays;
    holidays.SetDates({monday, saturday});
    struct Case {
        int autoSatSun;
        double day;
        bool holiday;
    } cases[] = {
        {1, friday, false}, {1, saturday, false}, {1, sunday, true},  {1, monday, true},
        {0, friday, false}, {0, saturday, true},  {0, sunday, false}, {0, monday, true},
    };
    for (const Case& c : cases) {
        Options::SetIsAutoSatSun(c.autoSatSun);
        EXPECT_EQ(holidays.IsHoliday(c.day), c.holiday) << c.autoSatSun << " " << c.day;
        EXPECT_EQ(holidays.IsHoliday(c.day, c.autoSatSun != 0), c.holiday) << c.autoSatSun << " " << c.day;
    }
}

TEST_F(HolidaysTest, ContainsMatchesExactly)
{
    Holidays holidays;
    holidays.SetDates({Date(2024, 12, 26), std::nan(""), Date(2024, 12, 25)});
    EXPECT_TRUE(holidays.Contains(Date(2024, 12, 25)));
    EXPECT_TRUE(holidays.Contains(Date(2024, 12, 26)));
    EXPECT_FALSE(holidays.Contains(Date(2024, 12, 25) + 0.5));
    EXPECT_FALSE(holidays.Contains(Date(2024, 12, 24)));
    holidays.SetDates({});
    EXPECT_FALSE(holidays.Contains(Date(2024, 12, 25)));
}
