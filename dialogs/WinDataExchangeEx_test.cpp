#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

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

    // Only a text that is a colour is one: nothing is read into black.
    struct Typed {
        const wchar_t* text;
        bool taken;
        COLORREF colour;
    } typed[] = {
        {L"ff0000", true, RGB(255, 0, 0)},
        {L"123456", true, RGB(0x12, 0x34, 0x56)},
        {L"00ff", true, RGB(0, 0, 255)},
        {L" 123456 ", true, RGB(0x12, 0x34, 0x56)},
        {L"ghij", false, 0},
        {L"12zz", false, 0},
        {L"", false, 0},
        {L"  ", false, 0},
        {L"FFFFFFFFFF", false, 0}, // more digits than a colour has
        {L"7F123456", false, 0},
        {L"#123456", false, 0},
    };
    for (const Typed& c : typed) {
        COLORREF colour = RGB(1, 2, 3);
        EXPECT_EQ(ParseColourText(c.text, colour), c.taken) << c.text;
        EXPECT_EQ(colour, c.taken ? c.colour : RGB(1, 2, 3)) << c.text;
    }
}

TEST_F(WinDataExchangeExTest, DecimalsAreTakenOnlyInsideTheirRange)
{
    struct Case {
        const wchar_t* text;
        bool taken;
        double value;
    } cases[] = {
        {L"7,5", true, 7.5},    {L"7.5", true, 7.5},    {L"25", false, 0},      {L"letters", false, 0},
        {L"0", true, 0},        {L"24", true, 24},      {L"-0.1", false, 0},    {L" 3.25h", false, 0},
        {L" 3.25 ", true, 3.25}, {L"+5", true, 5},      {L".5", true, 0.5},     {L"5.", true, 5},
        {L"", false, 0},        {L" ", false, 0},       {L"-", false, 0},       {L".", false, 0},
        {L"1e3", false, 0},     {L"1,000.5", false, 0}, {L"1 000", false, 0},   {L"nan", false, 0},
        {L"1e400", false, 0},   {L"0x10", false, 0},    {L"7\x01", false, 0},
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
    const EString pasted(100000, L'9');
    struct Case {
        const wchar_t* text;
        bool appendAmPm;
        bool read;
        double expected;
    } cases[] = {
        {L"9:30", true, true, MakeOleTime(21, 30)},
        {L"9:30 AM", true, true, MakeOleTime(9, 30)},
        {L"9:30", false, true, MakeOleTime(9, 30)},
        {L"21:30", true, true, MakeOleTime(21, 30)},
        {L"12:00 AM", true, true, 0},
        {L"12:15 pm", true, true, MakeOleTime(12, 15)},
        {L"9pm", true, true, MakeOleTime(21, 0)},
        {L" 9.30 p ", true, true, MakeOleTime(21, 30)},
        {L"930", false, true, MakeOleTime(9, 30)},
        {L"0930", false, true, MakeOleTime(9, 30)},
        {L"9:30:15", false, true, MakeOleTime(9, 30, 15)},
        {L"23:59", false, true, MakeOleTime(23, 59)},
        // Texts that are no time are refused, never read as midnight.
        {L"10:5358 PM", true, false, 0},
        {L"25:00", true, false, 0},
        {L"24:00", false, false, 0},
        {L"9:60", false, false, 0},
        {L"9:5", false, false, 0},
        {L"21:30 AM", true, false, 0},
        {L"9:30 PMX", true, false, 0},
        {L"abc", true, false, 0},
        {L"no time", true, false, 0},
        {L"", true, false, 0},
        {L"   ", true, false, 0},
        {L"9:30\x01", false, false, 0},
        {L"\x01", false, false, 0},
        {L"2024-03-01", false, false, 0},
        {L"-9:30", false, false, 0},
        {pasted.c_str(), false, false, 0},
    };
    for (const Case& c : cases) {
        double time = -1;
        EXPECT_EQ(ParseTimeText(c.text, c.appendAmPm, time), c.read) << EString(c.text).Left(20).c_str();
        EXPECT_NEAR(time, c.read ? c.expected : -1, 1e-9) << c.text;
    }

    Clock::SetNowForTesting(MakeOleDateTime(2024, 5, 6, 8, 0));
    double morning = 0;
    EXPECT_TRUE(ParseTimeText(L"9:30", true, morning));
    EXPECT_NEAR(morning, MakeOleTime(9, 30), 1e-9);
    // An hour past twelve is no morning hour: it reads as itself.
    EXPECT_TRUE(ParseTimeText(L"21:30", true, morning));
    EXPECT_NEAR(morning, MakeOleTime(21, 30), 1e-9);
    // A 24-hour clock has no half of the day to add.
    Options::SetTimeFormat(1);
    Clock::SetNowForTesting(MakeOleDateTime(2024, 5, 6, 15, 0));
    double time = 0;
    EXPECT_TRUE(ParseTimeText(L"9:30", true, time));
    EXPECT_NEAR(time, MakeOleTime(9, 30), 1e-9);
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

    // Outside OK a value that cannot be taken leaves the member and the
    // text as they are, without a sound or a move of the focus.
    ::SetFocus(::GetDlgItem(dialog, IDC_NAME));
    for (const auto& [id, typed] : {std::pair{IDC_HOURS, L"25"}, std::pair{IDC_HOURS, L"letters"},
                                    std::pair{IDC_START, L"whenever"}, std::pair{IDC_DAYS, L"abc"},
                                    std::pair{IDC_COLOUR, L"zz"}}) {
        dialog.hours = 7.5;
        dialog.start = MakeOleTime(10, 0);
        dialog.days = 12;
        dialog.colour = RGB(1, 2, 3);
        SetItemText(dialog, id, typed);
        EXPECT_FALSE(dialog.DoDataExchange(true, id)) << typed;
        EXPECT_EQ(ItemText(dialog, id), typed);
        EXPECT_EQ(FocusedItemId(dialog), IDC_NAME) << typed;
        EXPECT_DOUBLE_EQ(dialog.hours, 7.5);
        EXPECT_DOUBLE_EQ(dialog.start, MakeOleTime(10, 0));
        EXPECT_EQ(dialog.days, 12);
        EXPECT_EQ(dialog.colour, RGB(1, 2, 3));
    }

    // A text still the one its member shows keeps the member exactly: only
    // what is shown is rounded (a clock shows no seconds), and a number
    // outside its limits that nobody typed stays.
    dialog.hours = 0.75;
    dialog.start = MakeOleDateTime(2024, 1, 1, 9, 45, 30);
    dialog.days = 150;
    EXPECT_TRUE(dialog.DoDataExchange(false));
    EXPECT_EQ(ItemText(dialog, IDC_HOURS), L"0.8");
    EXPECT_EQ(ItemText(dialog, IDC_START), L"09:45");
    EXPECT_TRUE(dialog.DoDataExchange(true));
    EXPECT_DOUBLE_EQ(dialog.hours, 0.75);
    EXPECT_NEAR(dialog.start, MakeOleTime(9, 45, 30), 1e-9) << "the time of day only";
    EXPECT_EQ(dialog.days, 150);
    SetItemText(dialog, IDC_HOURS, L"0.80");
    SetItemText(dialog, IDC_START, L"9:45");
    EXPECT_TRUE(dialog.DoDataExchange(true, IDC_HOURS) && dialog.DoDataExchange(true, IDC_START));
    EXPECT_DOUBLE_EQ(dialog.hours, 0.8) << "a text typed is read";
    EXPECT_NEAR(dialog.start, MakeOleTime(9, 45), 1e-9);
    SetItemText(dialog, IDC_HOURS, L"2");
    EXPECT_TRUE(dialog.DoDataExchange(true, IDC_HOURS));
    dialog.hours = 2;
    EXPECT_TRUE(dialog.DoDataExchange(false, IDC_HOURS));
    EXPECT_EQ(ItemText(dialog, IDC_HOURS), L"2");

    // A date the picker cannot show fails and blames the picker.
    dialog.deadline = -1e9;
    EXPECT_FALSE(dialog.DoDataExchange(false, IDC_DEADLINE));
    EXPECT_EQ(FocusedItemId(dialog), IDC_DEADLINE);
}
