#include <gtest/gtest.h>

#include <cmath>

#include "foundation/Options.h"
#include "foundation/RegistryKey.h"
#include "testing/TestSupport.h"

class OptionsTest : public testing::Test {
protected:
    void SetUp() override { ClearProgramRegistry(); }
    void TearDown() override { ClearProgramRegistry(); }

    static void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        RegistryKey key;
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, Options::OptionsKeyPath()));
        ASSERT_EQ(::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
};

TEST_F(OptionsTest, EmptyRegistryGivesEveryDefault)
{
    struct Case {
        const char* name;
        DWORD (*get)();
        DWORD expected;
    } cases[] = {
        {"DeadlinePeriod", &Options::GetDeadlinePeriod, 2},
        {"FilterField", &Options::GetFilterField, 0},
        {"OpenRecentOnStartup", &Options::GetOpenRecentOnStartup, 1},
        {"IsAutoSatSun", &Options::GetIsAutoSatSun, 1},
        {"TimeFormat", &Options::GetTimeFormat, 0},
        {"PromptForCompletingCategory", &Options::GetPromptForCompletingCategory, 1},
        {"MinimizeToTrayIcon", &Options::GetMinimizeToTrayIcon, 1},
        {"TransparentCategories", &Options::GetTransparentCategories, 1},
        {"ShowTipOnSturtup", &Options::GetShowTipOnSturtup, 1},
        {"AutoSave", &Options::GetAutoSave, 10},
        {"DateFilterOnCalendar", &Options::GetDateFilterOnCalendar, 1},
        {"RemindMinutes", &Options::GetRemindMinutes, 10},
        {"LayoutDays", &Options::GetLayoutDays, 5},
        {"TrackingStayOnTop", &Options::GetTrackingStayOnTop, 1},
        {"AlignToGridMinutes", &Options::GetAlignToGridMinutes, 1},
        {"ResetCookie", &Options::GetResetCookie, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.get(), c.expected) << c.name;

    EXPECT_EQ(Options::GetDayBegin(), L"09:00");
    EXPECT_EQ(Options::GetReportEditor(), L"notepad.exe");
    EXPECT_EQ(Options::GetScriptEditor(), L"notepad.exe");
    EXPECT_EQ(Options::GetRestorePath(), L"");
    EXPECT_DOUBLE_EQ(Options::GetRegularHours(), 8.0);
    EXPECT_DOUBLE_EQ(Options::GetLoadFactor(), 2.5);
    EXPECT_EQ(Options::GetSortField(0, 0), 0u);
    EXPECT_EQ(Options::GetSortField(1, 1), 1u);
    EXPECT_EQ(Options::GetSortDirection(0), 1u);
}

TEST_F(OptionsTest, StoredValuesWinEvenWhenZeroOrEmpty)
{
    Options::SetAutoSave(0);
    EXPECT_EQ(Options::GetAutoSave(), 0u);
    Options::SetReportEditor(L"");
    EXPECT_EQ(Options::GetReportEditor(), L"");
    Options::SetDayBegin(L"07:30");
    EXPECT_EQ(Options::GetDayBegin(), L"07:30");
    Options::SetSortField(1, 4);
    EXPECT_EQ(Options::GetSortField(1, 1), 4u);
    EXPECT_EQ(Options::GetSortField(0, 0), 0u);
    EXPECT_EQ(Options::ReadDword(L"SortField1", 0), 4u);
}

TEST_F(OptionsTest, FixedFormsOfNonWholeNumbers)
{
    Options::SetRegularHours(7.9999);
    EXPECT_EQ(Options::ReadDword(L"RegularHours", 0), 7999u);
    EXPECT_DOUBLE_EQ(Options::GetRegularHours(), 7.999);
    Options::SetRegularHours(7.3);
    EXPECT_EQ(Options::ReadDword(L"RegularHours", 0), 7300u);

    Options::SetLoadFactor(2.5);
    EXPECT_EQ(Options::ReadDword(L"LoadFactor", 0), 0x40200000u);
    Options::SetLoadFactor(1.75);
    EXPECT_DOUBLE_EQ(Options::GetLoadFactor(), 1.75);
}

TEST_F(OptionsTest, NumbersThatAreNoFiniteNumberAreRefused)
{
    Options::SetRegularHours(7.5);
    Options::SetLoadFactor(1.75);
    for (const double value : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        Options::SetRegularHours(value);
        Options::SetLoadFactor(value);
        EXPECT_DOUBLE_EQ(Options::GetRegularHours(), 7.5) << value;
        EXPECT_DOUBLE_EQ(Options::GetLoadFactor(), 1.75) << value;
    }
    // Too many hours for the stored form keep the most it holds.
    Options::SetRegularHours(1e300);
    EXPECT_EQ(Options::ReadDword(L"RegularHours", 0), 0xFFFFFFFFu);
}

TEST_F(OptionsTest, LowPriorityTasksIsAlwaysOne)
{
    Options::SetLowPriorityTasks(0);
    EXPECT_EQ(Options::ReadDword(L"LowPriorityTasks", 7), 0u);
    EXPECT_EQ(Options::GetLowPriorityTasks(), 1u);
}

TEST_F(OptionsTest, MalformedStoredValuesAreReadSafely)
{
    // A text without its terminator and of odd size must not be read past its end.
    const wchar_t unterminated[] = {L'1', L'0', L':', L'1', L'5'};
    WriteRaw(L"DayBegin", REG_SZ, unterminated, sizeof(unterminated));
    EXPECT_EQ(Options::GetDayBegin(), L"10:15");

    const char odd[] = {'7', 0, ':', 0, '0'};
    WriteRaw(L"PlanSound", REG_SZ, odd, sizeof(odd));
    EXPECT_EQ(Options::GetPlanSound(), L"7:");

    // Values of another type give the default.
    WriteRaw(L"AutoSave", REG_SZ, L"5", 4);
    EXPECT_EQ(Options::GetAutoSave(), 10u);
    const DWORD number = 3;
    WriteRaw(L"ReportEditor", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(Options::GetReportEditor(), L"notepad.exe");
    const unsigned char shortDword[2] = {1, 0};
    WriteRaw(L"LayoutDays", REG_BINARY, shortDword, sizeof(shortDword));
    EXPECT_EQ(Options::GetLayoutDays(), 5u);

    // Float bits of no number give the default load factor.
    for (const DWORD bits : {0x7FC00000ul, 0x7F800000ul, 0xFF800000ul}) {
        Options::WriteDword(L"LoadFactor", bits);
        EXPECT_DOUBLE_EQ(Options::GetLoadFactor(), 2.5) << std::hex << bits;
    }
}

TEST_F(OptionsTest, SubKeysAndIndexedNames)
{
    Options::WriteDword(L"Find Dialog", L"Left", 42);
    EXPECT_EQ(Options::ReadDword(L"Find Dialog", L"Left", 0), 42u);
    EXPECT_EQ(Options::ReadDword(L"\\Find Dialog", L"Left", 0), 42u);
    EXPECT_EQ(Options::ReadDword(L"Other", L"Left", 9), 9u);
    Options::WriteString(L"Find Dialog", L"Name", L"x");
    EXPECT_EQ(Options::ReadString(L"Find Dialog", L"Name", L"-"), L"x");
    EXPECT_EQ(Options::FormatIndexedKey(L"SortField", 0), L"SortField0");
}
