#include <gtest/gtest.h>

#include "foundation/Clock.h"
#include "foundation/Language.h"
#include "foundation/Locale.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"
#include "testing/TestSupport.h"

namespace {

double Hm(int hour, int minute)
{
    return MakeOleTime(hour, minute);
}

constexpr double kMinute = 1.0 / 1440;

} // namespace

class TimeTextTest : public testing::Test {
protected:
    void SetUp() override { ClearProgramRegistry(); }
    void TearDown() override
    {
        ClearProgramRegistry();
        Clock::ResetForTesting();
        Resource::Dictionary().Clear();
    }
};

TEST_F(TimeTextTest, ParseTimeOfTypedTexts)
{
    struct Case {
        const wchar_t* text;
        double expected;
    } cases[] = {
        {L"9", Hm(9, 0)},          {L"21", Hm(21, 0)},        {L"930", Hm(9, 30)},
        {L"0930", Hm(9, 30)},      {L"9.30", Hm(9, 30)},      {L"9,30", Hm(9, 30)},
        {L"09:30", Hm(9, 30)},     {L"23:59", Hm(23, 59)},    {L"9pm", Hm(21, 0)},
        {L"9 pm", Hm(21, 0)},      {L"9:00 PM", Hm(21, 0)},   {L"12:00am", Hm(0, 0)},
        {L"12:30pm", Hm(12, 30)},  {L"11:45 am", Hm(11, 45)}, {L"10.5", Hm(10, 5)},
        {L" 7:15 ", Hm(7, 15)},    {L"12345", 0},             {L"", 0},
        {L"pm", 0},                {L"25:00", 0},             {L"9:75", 0},
        {L"abc", 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(TimeParser::ParseTime(c.text), c.expected, 1e-9) << c.text;
}

TEST_F(TimeTextTest, EveryReadingOfATimeGivesTheSameValue)
{
    // Plan arithmetic compares times exactly; the system conversion alone is
    // one unit in the last place off for some times.
    for (int minute = 0; minute < 24 * 60; minute += 7) {
        const double expected = MakeOleTime(minute / 60, minute % 60);
        const EString stored = TimeParser::FormatTime24(expected);
        EXPECT_EQ(TimeParser::ParseTime(stored), expected) << stored.c_str();
        const int hour12 = (minute / 60) % 12 == 0 ? 12 : (minute / 60) % 12;
        const EString typed =
            EString::Formatted(L"%d:%02d %s", hour12, minute % 60, minute < 720 ? L"am" : L"pm");
        EXPECT_EQ(TimeParser::ParseTime(typed), expected) << typed.c_str();
    }
}

TEST_F(TimeTextTest, NormalizeTimeSteps)
{
    EXPECT_EQ(TimeParser::NormalizeTime(L"9 pm"), L"9:00pm");
    EXPECT_EQ(TimeParser::NormalizeTime(L"10.5"), L"10:5");
    EXPECT_EQ(TimeParser::NormalizeTime(L"930"), L"9:30");
    EXPECT_EQ(TimeParser::NormalizeTime(L"12345"), L"12345");
    EXPECT_EQ(TimeParser::GetAmPmPart(L"pm"), L"");
    EXPECT_EQ(TimeParser::GetAmPmPart(L"9:00 PM"), L"PM");
    EXPECT_EQ(TimeParser::GetTimePart(L"9:00 PM"), L"9:00");
    EXPECT_EQ(TimeParser::GetTimePart(L"9:00"), L"9:00");
}

TEST_F(TimeTextTest, TimesFollowTheClockSetting)
{
    Options::SetTimeFormat(1);
    EXPECT_TRUE(Locale::Is24HourFormat());
    EXPECT_EQ(TimeParser::FormatTimeLocale(Hm(14, 5)), L"14:05");
    EXPECT_EQ(TimeParser::GetAmPmDesignator(true), L"");

    Options::SetTimeFormat(2);
    EXPECT_FALSE(Locale::Is24HourFormat());
    EXPECT_EQ(TimeParser::FormatTimeLocale(Hm(14, 5)), L"02:05 PM");
    EXPECT_EQ(TimeParser::FormatTimeLocale(Hm(0, 30)), L"12:30 AM");
    EXPECT_EQ(TimeParser::GetAmPmDesignator(true), L"AM");
    EXPECT_EQ(TimeParser::GetAmPmDesignator(false), L"PM");
    Clock::SetNowForTesting(MakeOleDateTime(2024, 3, 1, 15, 0));
    EXPECT_EQ(TimeParser::GetCurrentAmPm(), L"PM");
    EXPECT_NEAR(TimeParser::GetCurrentTimeOfDay(), Hm(15, 0), 1e-9);

    // Storage form ignores the setting and rounds to the second first.
    EXPECT_EQ(TimeParser::FormatTime24(Hm(9, 30)), L"09:30");
    EXPECT_EQ(TimeParser::FormatTime24(Hm(9, 30) - 1e-9), L"09:30");
    EXPECT_EQ(TimeParser::FormatTime24(45000.75), L"18:00");
}

TEST_F(TimeTextTest, DatesInStorageForm)
{
    EXPECT_EQ(DateParser::FormatDate(MakeOleDate(2024, 2, 29)), L"2024-02-29");
    EXPECT_EQ(DateParser::FormatDate(0), L"1899-12-30");
    EXPECT_DOUBLE_EQ(DateParser::ParseDate(L"2024-03-01"), MakeOleDate(2024, 3, 1));
    EXPECT_DOUBLE_EQ(DateParser::ParseDate(L"2024-02-29"), MakeOleDate(2024, 2, 29));
    EXPECT_DOUBLE_EQ(DateParser::ParseDate(L""), 0);
    EXPECT_DOUBLE_EQ(DateParser::ParseDate(L"not a date"), 0);
    EXPECT_DOUBLE_EQ(DateParser::ParseDate(L"2023-02-29"), 0);
    EXPECT_DOUBLE_EQ(DateParser::ParseDate(L"03/01/2024"), MakeOleDate(2024, 3, 1));
    const double parsed = DateParser::ParseDate(L"2024-03-01");
    EXPECT_EQ(DateParser::FormatDate(parsed), L"2024-03-01");
}

TEST_F(TimeTextTest, DecimalsAndDurations)
{
    struct Decimal {
        double value;
        const wchar_t* text;
    } decimals[] = {
        {2.0, L"2"}, {2.5, L"2.5"}, {0, L"0"}, {-1.5, L"-1.5"}, {10.0, L"10"},
        {0.04, L"0"}, {0.25, L"0.3"}, {100.04, L"100"}, {3.96, L"4"},
    };
    for (const Decimal& d : decimals)
        EXPECT_EQ(Locale::FormatDecimal(d.value), d.text) << d.value;

    EXPECT_DOUBLE_EQ(Locale::ParseDecimal(L"2,5"), 2.5);
    EXPECT_DOUBLE_EQ(Locale::ParseDecimal(L"2.5"), 2.5);
    EXPECT_DOUBLE_EQ(Locale::ParseDecimal(L"x"), 0);
    // Texts the runtime reads as no finite number would format as garbage.
    for (const wchar_t* text : {L"nan", L"-NaN", L"inf", L"-infinity", L"1e999", L"-1e400"}) {
        EXPECT_EQ(Locale::ParseDecimal(text), 0.0) << text;
        EXPECT_EQ(ParseInvariantNumber(text), 0.0) << text;
    }
    EXPECT_EQ(FormatInvariantNumber(2.25, 1), L"2.3");
    EXPECT_DOUBLE_EQ(ParseInvariantNumber(L"1.5"), 1.5);

    struct Duration {
        double hours;
        const wchar_t* text;
    } durations[] = {
        {1.5, L"1h 30m"}, {0.25, L"15m"},  {26, L"1d 2h"},       {0.001, L"1m"},
        {1 + 30.0 / 3600, L"1h 1m"}, {0, L""}, {-2, L""},        {24, L"1d"},
        {0.5 / 60, L"1m"}, {23.9999, L"1d"}, {49.75, L"2d 1h 45m"},
    };
    for (const Duration& d : durations)
        EXPECT_EQ(Locale::FormatDuration(d.hours), d.text) << d.hours;
}

TEST_F(TimeTextTest, GridRoundingAndArithmetic)
{
    EXPECT_NEAR(CTimeGridCalc::RoundToGrid(Hm(10, 7), 15), Hm(10, 0), 1e-12);
    EXPECT_NEAR(CTimeGridCalc::RoundToGrid(Hm(10, 8), 15), Hm(10, 15), 1e-12);
    EXPECT_NEAR(CTimeGridCalc::RoundToGrid(Hm(23, 58), 5), 1.0, 1e-12);
    EXPECT_NEAR(CTimeGridCalc::RoundToGrid(45000 + Hm(10, 7), 15), Hm(10, 0), 1e-12);
    // The last half second of a day rounds to the day's end, not to its 00:00.
    const double lastHalfSecond = 1.0 - 0.4 / 86400;
    EXPECT_NEAR(CTimeGridCalc::RoundToGrid(45000 + lastHalfSecond, 15), 1.0, 1e-12);
    EXPECT_NEAR(CTimeGridCalc::RoundToGrid(lastHalfSecond, 0), 1.0, 1e-12);
    // A grid of zero or fewer minutes must not divide by zero.
    EXPECT_NEAR(CTimeGridCalc::RoundToGrid(Hm(10, 7) + 20.0 / 86400, 0), Hm(10, 7), 1e-12);
    EXPECT_NEAR(CTimeGridCalc::RoundToGrid(Hm(10, 7), -5), Hm(10, 7), 1e-12);

    EXPECT_DOUBLE_EQ(AdvMath::RoundTo(2.25, 1), 2.3);
    EXPECT_DOUBLE_EQ(AdvMath::RoundTo(-2.25, 1), -2.2);
    EXPECT_DOUBLE_EQ(AdvMath::RoundTo(2.5, 0), 3);
    EXPECT_DOUBLE_EQ(AdvMath::RoundTo(-2.5, 0), -2);
    EXPECT_EQ(AdvMath::CompareValues(1, 2), -1);
    EXPECT_EQ(AdvMath::CompareValues(2, 2), 0);
    EXPECT_EQ(AdvMath::CompareValues(3, 2), 1);
    EXPECT_DOUBLE_EQ(AdvMath::Pow(2, 10), 1024);
    EXPECT_DOUBLE_EQ(AdvMath::Pow(10, -2), 0.01);
    EXPECT_DOUBLE_EQ(AdvMath::Pow(5, 0), 1);
}

TEST_F(TimeTextTest, WeekSettingsAndNames)
{
    // Wine's default locale starts weeks on Sunday.
    EXPECT_EQ(Locale::GetFirstDayOfWeek(), Locale::GetLocaleFirstDayOfWeek() == 0 ? 2 : 1);
    Options::SetStartOfWeek(2);
    EXPECT_EQ(Locale::GetFirstDayOfWeek(), 2);
    EXPECT_EQ(Locale::GetMonthCalFirstDay(), 0);
    Options::SetStartOfWeek(1);
    EXPECT_EQ(Locale::GetMonthCalFirstDay(), 6);

    Options::SetUiLanguage(0x0407);
    EXPECT_EQ(Locale::GetUiLanguageId(), 0x0407u);
    Options::SetUiLanguage(0);
    EXPECT_EQ(Locale::GetUiLanguageId(), Locale::GetUserLanguageId());

    const double friday = MakeOleDate(2024, 3, 1);
    EXPECT_EQ(Locale::GetMonthName(friday), L"");
    Resource::Dictionary().Parse(L"March=Mars\nFri=Ven\n");
    EXPECT_EQ(Locale::GetMonthName(friday), L"Mars");
    EXPECT_EQ(Locale::GetWeekdayName(friday), L"Ven, 1");
    EXPECT_EQ(Locale::GetMonthName(1e9), L"");
    EXPECT_EQ(Locale::GetWeekdayName(-1e9), L"");
}

TEST(OleDateTest, CalendarArithmetic)
{
    EXPECT_DOUBLE_EQ(MakeOleDate(1899, 12, 30), 0);
    EXPECT_DOUBLE_EQ(MakeOleDate(1900, 1, 1), 2);
    EXPECT_DOUBLE_EQ(MakeOleDate(2024, 3, 1), 45352);
    EXPECT_DOUBLE_EQ(MakeOleDate(2024, 3, 0), MakeOleDate(2024, 2, 29));
    EXPECT_DOUBLE_EQ(MakeOleDate(2023, 13, 1), MakeOleDate(2024, 1, 1));
    EXPECT_DOUBLE_EQ(MakeOleDate(2024, 0, 1), MakeOleDate(2023, 12, 1));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(OleDayOfWeek(MakeOleDate(2024, 3, 1)), 6); // Friday
    EXPECT_EQ(OleDayOfWeek(0), 7);                       // Saturday
    EXPECT_EQ(OleDayOfWeek(-1), 6);

    OleDateParts parts;
    ASSERT_TRUE(SplitOleDate(-1.25, parts));
    EXPECT_EQ(parts.day, 29);
    EXPECT_EQ(parts.hour, 6);
    ASSERT_TRUE(SplitOleDate(MakeOleDate(2024, 12, 31) + 0.9999999, parts));
    EXPECT_EQ(parts.year, 2025);
    EXPECT_EQ(parts.month, 1);
    EXPECT_EQ(parts.hour, 0);
    EXPECT_FALSE(SplitOleDate(3e6, parts));
    EXPECT_NEAR(MakeOleDateTime(2024, 3, 1, 18, 0), 45352.75, 1e-9);
}
