#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/testdata/EveryFieldDialog.h"
#include "foundation/Clock.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"

namespace {

class WinDataExchangeExTest : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        ClearProgramRegistry();
    }
    void TearDown() override
    {
        Clock::ResetForTesting();
        ClearProgramRegistry();
    }
};

} // namespace

TEST_F(WinDataExchangeExTest, ColoursReadAsRedGreenBlue)
{
    struct Case {
        COLORREF colour;
        const wchar_t* text;
    } shown[] = {
        {RGB(0x12, 0x34, 0x56), L"123456"},
        {RGB(255, 0, 0), L"FF0000"},
        {RGB(0, 0, 255), L"0000FF"},
        {0, L"000000"},
        {0xFF000000 | RGB(1, 2, 3), L"010203"}, // the top byte is no part of the colour
    };
    for (const Case& c : shown)
        EXPECT_EQ(FormatColourText(c.colour), c.text) << c.text;

    struct Typed {
        const wchar_t* text;
        COLORREF colour;
    } typed[] = {
        {L"ff0000", RGB(255, 0, 0)},
        {L"123456", RGB(0x12, 0x34, 0x56)},
        {L"00ff", RGB(0, 0, 255)},
        {L"ghij", 0},                       // no hexadecimal digit: black
        {L"12zz", RGB(0, 0, 0x12)},         // reading stops at the first other character
        {L"", 0},
        {L"FFFFFFFFFF", RGB(255, 255, 255)}, // only a colour's six digits count
        {L"7F123456", RGB(0x12, 0x34, 0x56)},
    };
    for (const Typed& c : typed)
        EXPECT_EQ(ParseColourText(c.text), c.colour) << c.text;
}

TEST_F(WinDataExchangeExTest, DecimalsAreTakenOnlyInsideTheirRange)
{
    struct Case {
        const wchar_t* text;
        bool taken;
        double value;
    } cases[] = {
        {L"7,5", true, 7.5}, {L"7.5", true, 7.5},   {L"25", false, 0},   {L"letters", true, 0},
        {L"0", true, 0},     {L"24", true, 24},     {L"-0.1", false, 0}, {L" 3.25h", true, 3.25},
        {L"nan", false, 0},  {L"1e400", false, 0},
    };
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(ParseDecimalInRange(c.text, 0, 24, value), c.taken) << c.text;
        EXPECT_DOUBLE_EQ(value, c.taken ? c.value : -1) << c.text;
    }
}

TEST_F(WinDataExchangeExTest, TypedTimesTakeTheCurrentHalfOfTheDayWhenAsked)
{
    Options::SetTimeFormat(2); // a 12-hour clock
    Clock::SetNowForTesting(MakeOleDateTime(2024, 5, 6, 15, 0));
    struct Case {
        const wchar_t* text;
        bool appendAmPm;
        double expected;
    } cases[] = {
        {L"9:30", true, MakeOleTime(21, 30)},
        {L"9:30 AM", true, MakeOleTime(9, 30)},
        {L"9:30", false, MakeOleTime(9, 30)},
        {L"no time", true, 0},
        {L"", true, 0},
        {L"21:30", true, MakeOleTime(21, 30)},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ParseTimeText(c.text, c.appendAmPm), c.expected, 1e-9) << c.text;

    Clock::SetNowForTesting(MakeOleDateTime(2024, 5, 6, 8, 0));
    EXPECT_NEAR(ParseTimeText(L"9:30", true), MakeOleTime(9, 30), 1e-9);
    // A 24-hour clock has no half of the day to add.
    Options::SetTimeFormat(1);
    Clock::SetNowForTesting(MakeOleDateTime(2024, 5, 6, 15, 0));
    EXPECT_NEAR(ParseTimeText(L"9:30", true), MakeOleTime(9, 30), 1e-9);
    EXPECT_EQ(FormatTimeOfDayText(MakeOleDateTime(2024, 5, 6, 7, 5)), L"07:05");
}

TEST_F(WinDataExchangeExTest, ControlsKeepWhatTheyCannotTake)
{
    Options::SetTimeFormat(1);
    CEveryFieldDialog dialog;
    dialog.kind = 20;
    dialog.hours = 7.5;
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.ShowWindow(SW_SHOW);
    EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_KIND, CB_GETCURSEL, 0, 0), 1);

    // A value no item carries leaves the selection as it was.
    dialog.kind = 99;
    EXPECT_TRUE(dialog.DoDataExchange(false, IDC_KIND));
    EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_KIND, CB_GETCURSEL, 0, 0), 1);
    // Nothing selected: the member keeps its value rather than the error code.
    ::SendDlgItemMessageW(dialog, IDC_KIND, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_TRUE(dialog.DoDataExchange(true, IDC_KIND));
    EXPECT_EQ(dialog.kind, 99);

    // A bounded decimal outside its range is dropped without a word.
    SetItemText(dialog, IDC_HOURS, L"25");
    EXPECT_TRUE(dialog.DoDataExchange(true, IDC_HOURS));
    EXPECT_DOUBLE_EQ(dialog.hours, 7.5);
    dialog.hours = 2;
    EXPECT_TRUE(dialog.DoDataExchange(false, IDC_HOURS));
    EXPECT_EQ(ItemText(dialog, IDC_HOURS), L"2");

    // A time that is no time reads as midnight; the date part goes.
    SetItemText(dialog, IDC_START, L"whenever");
    dialog.start = MakeOleDateTime(2024, 1, 1, 10, 0);
    EXPECT_TRUE(dialog.DoDataExchange(true, IDC_START));
    EXPECT_DOUBLE_EQ(dialog.start, 0);

    // A date the picker cannot show fails and blames the picker.
    dialog.deadline = -1e9;
    EXPECT_FALSE(dialog.DoDataExchange(false, IDC_DEADLINE));
    EXPECT_EQ(FocusedItemId(dialog), IDC_DEADLINE);
}
