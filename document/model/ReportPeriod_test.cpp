#include <gtest/gtest.h>

#include "document/model/ModelTestSupport.h"
#include "document/model/ReportPeriod.h"
#include "foundation/Options.h"

using ReportPeriodTest = ModelTest;

TEST_F(ReportPeriodTest, KeepsWholeDays)
{
    ReportPeriod period;
    period.SetDays(DateTime(2024, 3, 1, 9, 0), DateTime(2024, 3, 7, 23, 59));
    EXPECT_EQ(period.GetFirstDay(), Date(2024, 3, 1));
    EXPECT_EQ(period.GetLastDay(), Date(2024, 3, 7));

    ReportPeriod same;
    same.SetDays(Date(2024, 3, 1), Date(2024, 3, 7));
    EXPECT_EQ(period, same);
    same.SetDays(Date(2024, 3, 1), Date(2024, 3, 8));
    EXPECT_FALSE(period == same);
}

TEST_F(ReportPeriodTest, TextUsesTheShortDateFormEvenWhenLongDatesAreChosen)
{
    ReportPeriod period;
    period.SetDays(Date(2024, 3, 1), Date(2024, 3, 7));
    Options::SetIsLongDateFormat(1);
    // Wine's locale is US English.
    EXPECT_EQ(period.GetText(), L"3/1/2024-3/7/2024");
}
