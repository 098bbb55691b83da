#include <gtest/gtest.h>

#include <vector>

#include "document/model/ModelTestSupport.h"
#include "document/model/RecurrenceInfo.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

namespace {

using Days = std::vector<EString>;

// The occurrences from the first day through the last, as "%Y-%m-%d".
Days Occurrences(const RecurrenceInfo& rule, double first, double last)
{
    Days days;
    for (double day = first; day <= last; ++day)
        if (rule.OccursOn(day))
            days.push_back(DateParser::FormatDate(day));
    return days;
}

// The same found by stepping with NextOccurrence, which walks differently.
Days OccurrencesByNext(const RecurrenceInfo& rule, double first, double last)
{
    Days days;
    for (double day = rule.NextOccurrence(first); day != 0 && day <= last; day = rule.NextOccurrence(day + 1))
        days.push_back(DateParser::FormatDate(day));
    return days;
}

void ExpectOccurrences(const RecurrenceInfo& rule, double first, double last, const Days& expected, const char* what)
{
    EXPECT_EQ(Occurrences(rule, first, last), expected) << what;
    EXPECT_EQ(OccurrencesByNext(rule, first, last), expected) << what << " (by NextOccurrence)";
}

RecurrenceInfo Daily(double start, int everyDayIndex, int dayWorkday)
{
    RecurrenceInfo rule;
    rule.SetStartDate(start);
    rule.SetEveryDayIndex(everyDayIndex);
    rule.SetDayWorkday(dayWorkday);
    return rule;
}

RecurrenceInfo Weekly(double start, int everyWeekIndex, std::initializer_list<int> daysOfWeek)
{
    RecurrenceInfo rule;
    rule.SetPatternPeriod(RecurrenceInfo::kWeekly);
    rule.SetStartDate(start);
    rule.SetEveryWeekIndex(everyWeekIndex);
    for (int day : daysOfWeek) {
        switch (day) {
        case 1: rule.SetSunday(1); break;
        case 2: rule.SetMonday(1); break;
        case 3: rule.SetTuesday(1); break;
        case 4: rule.SetWednesday(1); break;
        case 5: rule.SetThursday(1); break;
        case 6: rule.SetFriday(1); break;
        case 7: rule.SetSaturday(1); break;
        }
    }
    return rule;
}

RecurrenceInfo MonthlyOnDay(double start, int monthDay, int everyDayOfMonth)
{
    RecurrenceInfo rule;
    rule.SetPatternPeriod(RecurrenceInfo::kMonthly);
    rule.SetMonthPattern(RecurrenceInfo::kDayOfMonth);
    rule.SetStartDate(start);
    rule.SetMonthDay(monthDay);
    rule.SetEveryDayOfMonth(everyDayOfMonth);
    return rule;
}

RecurrenceInfo MonthlyOnWeekday(double start, int weekNoMonth, int weekdayMonth, int everyWeekdayOfMonth)
{
    RecurrenceInfo rule;
    rule.SetPatternPeriod(RecurrenceInfo::kMonthly);
    rule.SetMonthPattern(RecurrenceInfo::kWeekdayOfMonth);
    rule.SetStartDate(start);
    rule.SetWeekNoMonth(weekNoMonth);
    rule.SetWeekdayMonth(weekdayMonth);
    rule.SetEveryWeekdayOfMonth(everyWeekdayOfMonth);
    return rule;
}

constexpr int kSunday = 1, kMonday = 2, kThursday = 5, kFriday = 6;

} // namespace

using RecurrenceInfoTest = ModelTest;

TEST_F(RecurrenceInfoTest, DefaultRuleIsEveryDayFromToday)
{
    const RecurrenceInfo rule;
    const double today = Date(2024, 5, 15);
    EXPECT_TRUE(rule.OccursOn(today));
    EXPECT_TRUE(rule.OccursOn(today + 0.5));
    EXPECT_FALSE(rule.OccursOn(today - 1));
    EXPECT_EQ(rule.NextOccurrence(0), today);
    EXPECT_EQ(rule.NextOccurrence(today - 30), today);
    EXPECT_TRUE(rule.IsEveryDay());
    EXPECT_EQ(rule.GetStartDateXmlText(), L"2024-05-15");
    EXPECT_EQ(rule.GetEndDateXmlText(), L"2024-05-15");
    EXPECT_EQ(rule.GetMonthDay(), 1);
    EXPECT_EQ(rule.GetWeekdayMonth(), 1);
    EXPECT_EQ(rule.GetOccurrencesNumber(), 1);
    EXPECT_EQ(rule.CountOccurrences(today + 9), 10);
}

TEST_F(RecurrenceInfoTest, DailyRules)
{
    const double friday = Date(2024, 5, 17);
    struct Case {
        const char* what;
        int everyDayIndex, dayWorkday;
        Days expected;
    } cases[] = {
        {"every day", 0, 0, {L"2024-05-17", L"2024-05-18", L"2024-05-19", L"2024-05-20", L"2024-05-21", L"2024-05-22", L"2024-05-23"}},
        {"every third day", 2, 0, {L"2024-05-17", L"2024-05-20", L"2024-05-23"}},
        {"working days", 0, 1, {L"2024-05-17", L"2024-05-20", L"2024-05-21", L"2024-05-22", L"2024-05-23"}},
        {"every second working day", 1, 1, {L"2024-05-17", L"2024-05-21", L"2024-05-23"}},
        {"weekends", 0, 2, {L"2024-05-18", L"2024-05-19"}},
        {"every second weekend day", 1, 2, {L"2024-05-18"}},
        {"no such day filter", 0, 3, {}},
    };
    for (const Case& c : cases)
        ExpectOccurrences(Daily(friday, c.everyDayIndex, c.dayWorkday), friday, friday + 6, c.expected, c.what);
}

TEST_F(RecurrenceInfoTest, EverySecondWorkingDayAcrossWeekendsAndHolidays)
{
    const double friday = Date(2024, 5, 17);
    RecurrenceInfo rule = Daily(friday, 1, 1);
    ExpectOccurrences(rule, friday, friday + 10, {L"2024-05-17", L"2024-05-21", L"2024-05-23", L"2024-05-27"},
                      "weekends only");

    // Whit Monday off: the cycle skips it without counting it.
    rule.SetDates({Date(2024, 5, 20)});
    ExpectOccurrences(rule, friday, friday + 11, {L"2024-05-17", L"2024-05-22", L"2024-05-24", L"2024-05-28"},
                      "with a holiday");

    // A listed Saturday is a working day while weekends are free.
    rule.SetDates({Date(2024, 5, 18)});
    ExpectOccurrences(rule, friday, friday + 6, {L"2024-05-17", L"2024-05-20", L"2024-05-22"}, "working Saturday");

    // Without free weekends the listed Saturday is the holiday.
    Options::SetIsAutoSatSun(0);
    ExpectOccurrences(rule, friday, friday + 6, {L"2024-05-17", L"2024-05-20", L"2024-05-22"},
                      "Saturday holiday, Sunday working");
    ExpectOccurrences(Daily(friday, 0, 2), friday, friday + 6, {}, "no weekends without the setting");
}

TEST_F(RecurrenceInfoTest, CopyHasNoHolidaysUntilTheyAreSet)
{
    const double friday = Date(2024, 5, 17);
    RecurrenceInfo rule = Daily(friday, 0, 1);
    rule.SetDates({Date(2024, 5, 20)});
    EXPECT_FALSE(rule.OccursOn(Date(2024, 5, 20)));

    RecurrenceInfo copy(rule);
    EXPECT_EQ(copy, rule);
    EXPECT_TRUE(copy.OccursOn(Date(2024, 5, 20)));
    copy.SetDates({Date(2024, 5, 20)});
    EXPECT_FALSE(copy.OccursOn(Date(2024, 5, 20)));
}

TEST_F(RecurrenceInfoTest, WeeklyRules)
{
    const double wednesday = Date(2024, 5, 15);
    const double monday = Date(2024, 5, 13);
    struct Case {
        const char* what;
        double start;
        int everyWeekIndex;
        std::initializer_list<int> days;
        Days expected;
    } cases[] = {
        {"Monday and Thursday from a Wednesday", wednesday, 0, {kMonday, kThursday},
         {L"2024-05-16", L"2024-05-20", L"2024-05-23", L"2024-05-27", L"2024-05-30", L"2024-06-03", L"2024-06-06",
          L"2024-06-10", L"2024-06-13", L"2024-06-17", L"2024-06-20", L"2024-06-24", L"2024-06-27"}},
        {"every second week on Monday", monday, 1, {kMonday},
         {L"2024-05-13", L"2024-05-27", L"2024-06-10", L"2024-06-24"}},
        {"every second week on Sunday and Friday", monday, 1, {kSunday, kFriday},
         {L"2024-05-17", L"2024-05-19", L"2024-05-31", L"2024-06-02", L"2024-06-14", L"2024-06-16", L"2024-06-28",
          L"2024-06-30"}},
        {"every third week across the month end", wednesday, 2, {kThursday},
         {L"2024-05-16", L"2024-06-06", L"2024-06-27"}},
        {"no day chosen", monday, 0, {}, {}},
    };
    for (const Case& c : cases)
        ExpectOccurrences(Weekly(c.start, c.everyWeekIndex, c.days), monday, Date(2024, 6, 30), c.expected, c.what);
}

TEST_F(RecurrenceInfoTest, EverySecondWeekMeansWeeksZeroTwoFourWhateverTheFirstDay)
{
    const double monday = Date(2024, 5, 13);
    const Days mondays = {L"2024-05-13", L"2024-05-27", L"2024-06-10", L"2024-06-24"};
    for (int startOfWeek : {2, 1}) {
        Options::SetStartOfWeek(startOfWeek);
        ExpectOccurrences(Weekly(monday, 1, {kMonday}), monday, Date(2024, 6, 30), mondays,
                          startOfWeek == 2 ? "weeks from Monday" : "weeks from Sunday");
    }
    // The week's first day itself, started mid-week.
    Options::SetStartOfWeek(1);
    ExpectOccurrences(Weekly(Date(2024, 5, 15), 1, {kSunday}), monday, Date(2024, 6, 30),
                      {L"2024-05-26", L"2024-06-09", L"2024-06-23"}, "Sundays with weeks from Sunday");
}

TEST_F(RecurrenceInfoTest, MonthlyOnADay)
{
    struct Case {
        const char* what;
        double start;
        int monthDay, everyDayOfMonth;
        double last;
        Days expected;
    } cases[] = {
        {"day 31 only in long months", Date(2024, 1, 1), 31, 0, Date(2024, 6, 30),
         {L"2024-01-31", L"2024-03-31", L"2024-05-31"}},
        {"day 1 every second month", Date(2024, 1, 1), 1, 1, Date(2024, 6, 30),
         {L"2024-01-01", L"2024-03-01", L"2024-05-01"}},
        {"day 15 every third month from mid-month", Date(2024, 1, 20), 15, 2, Date(2024, 12, 31),
         {L"2024-04-15", L"2024-07-15", L"2024-10-15"}},
        {"day 29 in February of leap years", Date(2023, 1, 1), 29, 0, Date(2024, 3, 31),
         {L"2023-01-29", L"2023-03-29", L"2023-04-29", L"2023-05-29", L"2023-06-29", L"2023-07-29", L"2023-08-29",
          L"2023-09-29", L"2023-10-29", L"2023-11-29", L"2023-12-29", L"2024-01-29", L"2024-02-29", L"2024-03-29"}},
        {"day 30 across the year end", Date(2023, 11, 1), 30, 1, Date(2024, 4, 30),
         {L"2023-11-30", L"2024-01-30", L"2024-03-30"}},
    };
    for (const Case& c : cases)
        ExpectOccurrences(MonthlyOnDay(c.start, c.monthDay, c.everyDayOfMonth), c.start, c.last, c.expected, c.what);
}

TEST_F(RecurrenceInfoTest, MonthlyOnAWeekday)
{
    struct Case {
        const char* what;
        double start;
        int weekNoMonth, weekdayMonth, everyWeekdayOfMonth;
        double last;
        Days expected;
    } cases[] = {
        // March 2024 has five Fridays, February and April four.
        {"last Friday", Date(2024, 2, 1), 4, 5, 0, Date(2024, 4, 30), {L"2024-02-23", L"2024-03-29", L"2024-04-26"}},
        {"fourth Friday", Date(2024, 2, 1), 3, 5, 0, Date(2024, 4, 30), {L"2024-02-23", L"2024-03-22", L"2024-04-26"}},
        {"last Thursday, the month's last day", Date(2024, 10, 1), 4, 4, 0, Date(2024, 10, 31), {L"2024-10-31"}},
        {"first Monday every second month, on the 1st", Date(2024, 1, 1), 0, 1, 1, Date(2024, 7, 31),
         {L"2024-01-01", L"2024-03-04", L"2024-05-06", L"2024-07-01"}},
        {"second Tuesday", Date(2024, 5, 15), 1, 2, 0, Date(2024, 7, 31), {L"2024-06-11", L"2024-07-09"}},
        {"last Sunday of a leap February", Date(2024, 2, 1), 4, 0, 11, Date(2025, 3, 31), {L"2024-02-25", L"2025-02-23"}},
        {"no fifth ordinal", Date(2024, 1, 1), 5, 5, 0, Date(2024, 12, 31), {}},
        {"no eighth weekday", Date(2024, 1, 1), 0, 7, 0, Date(2024, 12, 31), {}},
    };
    for (const Case& c : cases)
        ExpectOccurrences(MonthlyOnWeekday(c.start, c.weekNoMonth, c.weekdayMonth, c.everyWeekdayOfMonth), c.start,
                          c.last, c.expected, c.what);
    RecurrenceInfo other = MonthlyOnDay(Date(2024, 1, 1), 1, 0);
    other.SetMonthPattern(2);
    EXPECT_EQ(Occurrences(other, Date(2024, 1, 1), Date(2024, 3, 31)), Days());
    EXPECT_EQ(other.CountOccurrences(Date(2024, 3, 31)), 0);
}

TEST_F(RecurrenceInfoTest, EndAfterOccurrences)
{
    const double friday = Date(2024, 5, 17);
    RecurrenceInfo rule = Daily(friday, 0, 1);
    rule.SetEndType(RecurrenceInfo::kEndAfterOccurrences);
    rule.SetOccurrencesNumber(3);
    ExpectOccurrences(rule, friday - 3, friday + 14, {L"2024-05-17", L"2024-05-20", L"2024-05-21"}, "three");
    EXPECT_EQ(rule.CountOccurrences(Date(2024, 5, 22)), 4);
    EXPECT_EQ(rule.NextOccurrence(Date(2024, 5, 22)), 0);
    EXPECT_FALSE(rule.IsEveryDay());

    rule.SetOccurrencesNumber(0);
    EXPECT_EQ(Occurrences(rule, friday, friday + 7), Days());
}

TEST_F(RecurrenceInfoTest, EndByDateComparesTheValueItself)
{
    const double start = Date(2024, 5, 13);
    RecurrenceInfo rule = Daily(start, 0, 0);
    rule.SetEndType(RecurrenceInfo::kEndByDate);
    rule.SetEndDate(Date(2024, 5, 15));
    ExpectOccurrences(rule, start, start + 7, {L"2024-05-13", L"2024-05-14", L"2024-05-15"}, "to Wednesday");
    EXPECT_TRUE(rule.OccursOn(Date(2024, 5, 15)));
    EXPECT_FALSE(rule.OccursOn(Date(2024, 5, 15) + 0.25));
    EXPECT_EQ(rule.NextOccurrence(Date(2024, 5, 16)), 0);
    EXPECT_EQ(rule.NextOccurrence(Date(2024, 5, 14) + 0.5), Date(2024, 5, 14) + 0.5);
    EXPECT_EQ(rule.CountOccurrences(Date(2024, 5, 20)), 8);

    rule.SetEndType(7);
    EXPECT_FALSE(rule.OccursOn(start));
    EXPECT_EQ(rule.NextOccurrence(start), 0);
}

TEST_F(RecurrenceInfoTest, NoPatternAndNoOccurrence)
{
    RecurrenceInfo rule;
    rule.SetPatternPeriod(RecurrenceInfo::kNone);
    EXPECT_FALSE(rule.OccursOn(Date(2024, 5, 15)));
    EXPECT_EQ(rule.CountOccurrences(Date(2024, 5, 20)), 0);
    EXPECT_EQ(rule.NextOccurrence(Date(2024, 6, 1)), Date(2024, 6, 2));
    EXPECT_EQ(rule.NextOccurrence(0), Date(2024, 5, 16));

    rule.SetPatternPeriod(9);
    EXPECT_FALSE(rule.OccursOn(Date(2024, 5, 15)));
    EXPECT_EQ(rule.NextOccurrence(Date(2024, 6, 1)), 0);

    // Before its start a rule has nothing.
    const RecurrenceInfo later = Daily(Date(2024, 6, 1), 0, 0);
    EXPECT_FALSE(later.OccursOn(Date(2024, 5, 31)));
    EXPECT_EQ(later.CountOccurrences(Date(2024, 5, 31)), 0);
}

TEST_F(RecurrenceInfoTest, NextOccurrenceLooksAThousandDaysAhead)
{
    // 29 February every twelve months: four years apart.
    const RecurrenceInfo rule = MonthlyOnDay(Date(2024, 2, 1), 29, 11);
    EXPECT_EQ(rule.NextOccurrence(Date(2024, 2, 1)), Date(2024, 2, 29));
    EXPECT_EQ(rule.NextOccurrence(Date(2024, 3, 1)), 0);
    EXPECT_EQ(rule.NextOccurrence(Date(2027, 5, 1)), Date(2028, 2, 29));

    const RecurrenceInfo farStart = Daily(Date(2024, 5, 15) + 1000, 0, 0);
    EXPECT_EQ(farStart.NextOccurrence(0), 0);
    EXPECT_EQ(Daily(Date(2024, 5, 15) + 999, 0, 0).NextOccurrence(0), Date(2024, 5, 15) + 999);
}

TEST_F(RecurrenceInfoTest, OldRulesAndHostileValuesEndQuickly)
{
    RecurrenceInfo ancient = Weekly(Date(100, 1, 1), 0, {kFriday});
    EXPECT_EQ(ancient.NextOccurrence(Date(9999, 1, 1)), Date(9999, 1, 1));
    EXPECT_TRUE(ancient.OccursOn(Date(2024, 5, 17)));
    EXPECT_EQ(ancient.NextOccurrence(1e300), 0);
    EXPECT_FALSE(ancient.OccursOn(-1e300));

    RecurrenceInfo negative = Weekly(Date(2024, 5, 13), -5, {kMonday});
    EXPECT_EQ(Occurrences(negative, Date(2024, 5, 13), Date(2024, 5, 27)),
              (Days{L"2024-05-13", L"2024-05-20", L"2024-05-27"}));
    RecurrenceInfo huge = MonthlyOnDay(Date(2024, 1, 1), 1, 2147483647);
    EXPECT_EQ(Occurrences(huge, Date(2024, 1, 1), Date(2024, 12, 31)), Days{L"2024-01-01"});
}

TEST_F(RecurrenceInfoTest, DateTexts)
{
    RecurrenceInfo rule;
    rule.SetStartDateXmlText(L"2024-02-29");
    rule.SetEndDateXmlText(L"2025-12-31");
    EXPECT_EQ(rule.GetStartDate(), Date(2024, 2, 29));
    EXPECT_EQ(rule.GetEndDate(), Date(2025, 12, 31));
    EXPECT_EQ(rule.GetStartDateXmlText(), L"2024-02-29");
    EXPECT_EQ(rule.GetEndDateXmlText(), L"2025-12-31");

    rule.SetEndDateXmlText(L"");
    EXPECT_EQ(rule.GetEndDate(), 0);
    EXPECT_TRUE(rule.IsEndDateValid());

    // A date out of range is kept as invalid: the rule then has no day.
    rule.SetStartDateXmlText(L"0050-01-01");
    EXPECT_FALSE(rule.IsStartDateValid());
    EXPECT_EQ(rule.GetStartDateXmlText(), L"");
    EXPECT_FALSE(rule.OccursOn(Date(2024, 5, 15)));
    EXPECT_EQ(rule.NextOccurrence(0), 0);
    rule.SetStartDate(Date(2024, 5, 1));
    EXPECT_TRUE(rule.IsStartDateValid());
}

TEST_F(RecurrenceInfoTest, EveryDayRule)
{
    struct Case {
        int patternPeriod, dayWorkday, everyDayIndex, endType;
        bool everyDay;
    } cases[] = {
        {0, 0, 0, 0, true},  {0, 1, 0, 0, true},  {0, 2, 0, 0, false}, {0, 0, 1, 0, false},
        {0, 0, 0, 1, false}, {1, 0, 0, 0, false}, {3, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        RecurrenceInfo rule;
        rule.SetPatternPeriod(c.patternPeriod);
        rule.SetDayWorkday(c.dayWorkday);
        rule.SetEveryDayIndex(c.everyDayIndex);
        rule.SetEndType(c.endType);
        EXPECT_EQ(rule.IsEveryDay(), c.everyDay) << c.patternPeriod << c.dayWorkday << c.everyDayIndex << c.endType;
        rule.SetEveryDay();
        EXPECT_TRUE(rule.IsEveryDay());
    }
}

TEST_F(RecurrenceInfoTest, EqualityLeavesOutTheHolidays)
{
    const RecurrenceInfo rule = Weekly(Date(2024, 5, 13), 1, {kMonday});
    RecurrenceInfo other(rule);
    other.SetDates({Date(2024, 5, 20)});
    EXPECT_EQ(other, rule);
    other.SetEnd(Time(8, 0));
    EXPECT_FALSE(other == rule);
}

TEST_F(RecurrenceInfoTest, ConstructorFromAllFields)
{
    const TimeRange times(Time(18, 0), Time(19, 30), L"Gym", L"", 1);
    const RecurrenceInfo rule(times, 1, 0, 0, 1, {0, 1, 0, 0, 1, 0, 0}, 0, 1, 0, 0, 0, 1, Date(2024, 5, 13),
                              Date(2024, 12, 31), 2, 1);
    EXPECT_EQ(rule.GetName(), L"Gym");
    EXPECT_EQ(rule.GetStartTime(), Time(18, 0));
    EXPECT_EQ(rule.GetMonday(), 1);
    EXPECT_EQ(rule.GetThursday(), 1);
    EXPECT_EQ(rule.GetSunday(), 0);
    ExpectOccurrences(rule, Date(2024, 5, 13), Date(2024, 6, 1), {L"2024-05-13", L"2024-05-16", L"2024-05-27", L"2024-05-30"},
                      "every second week, Monday and Thursday");
}
