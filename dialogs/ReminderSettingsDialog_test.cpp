#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "dialogs/ReminderSettingsDialog.h"
#include "document/model/ReminderInfo.h"
#include "foundation/Language.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "testing/WindowShot.h"
#include "winlib/Window.h"

namespace {

class ReminderSettingsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        ClearProgramRegistry();
        Options::SetTimeFormat(1); // a 24-hour clock whatever the machine's locale
        Resource::Dictionary().Clear();
        ASSERT_TRUE(Resource::Load(SourcePath(L"resources/Language/English.txt")));
    }
    void TearDown() override
    {
        Resource::Dictionary().Clear();
        ClearProgramRegistry();
    }

    ReminderInfo reminder{7, MakeOleDateTime(2026, 5, 14, 0, 0), MakeOleTime(9, 15)};
    bool hasReminder = true;
};

DialogStep ChooseTime(int index)
{
    return [index](HWND dialog) {
        ::SendDlgItemMessageW(dialog, IDC_REMINDER_TIME, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_REMINDER_TIME, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_REMINDER_TIME)));
        return true;
    };
}

DialogStep Click(int id)
{
    return [id](HWND dialog) {
        ClickButton(dialog, id);
        return true;
    };
}

// The listed times are stored to the second: 00:30 is 00:30:00, not a hair before.
TEST_F(ReminderSettingsDialogTest, AListedTimeIsStoredExactly)
{
    const struct {
        int index;
        const wchar_t* text;
        double time;
    } cases[] = {
        {0, L"00:30", MakeOleTime(0, 30)},
        {1, L"01:00", MakeOleTime(1, 0)},
        {19, L"10:00", MakeOleTime(10, 0)},
        {46, L"23:30", MakeOleTime(23, 30)},
        {47, L"00:00", 0.0},
    };
    for (const auto& test : cases) {
        const INT_PTR result = RunModalSteps(
            [&] { return EditReminder(hasReminder, reminder) ? IDOK : IDCANCEL; },
            {[&](HWND dialog) {
                 EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_REMINDER_TIME, CB_GETCOUNT, 0, 0),
                           ReminderSettingsDialog::kListedTimes);
                 return true;
             },
             ChooseTime(test.index),
             [&](HWND dialog) { return ItemText(dialog, IDC_REMINDER_TIME) == test.text; }, Click(IDOK)});
        EXPECT_EQ(result, IDOK) << test.text;
        EXPECT_EQ(reminder.GetAlarmTime(), test.time) << test.text;
        EXPECT_EQ(reminder.GetAlarmTimeXmlText(), test.text) << test.text;
    }
}

TEST_F(ReminderSettingsDialogTest, ATypedTimeOutsideTheListIsKept)
{
    RunModalSteps([&] { return EditReminder(hasReminder, reminder) ? IDOK : IDCANCEL; },
                  {[](HWND dialog) {
                       SetItemText(dialog, IDC_REMINDER_TIME, L"7:15");
                       return true;
                   },
                   Click(IDOK)});
    EXPECT_EQ(reminder.GetAlarmTime(), MakeOleTime(7, 15));
}

// A time that cannot be read never becomes midnight, which would fire the
// reminder at once: leaving the box keeps it as typed, and OK says why it
// is refused and stays open on the box until a time is typed. A box greyed
// by switching the reminder off keeps the time it had.
TEST_F(ReminderSettingsDialogTest, ATimeThatCannotBeReadIsRefusedInWordsAndNeverStoredAsMidnight)
{
    // A long paste: the reader's own table takes one of 100,000 characters,
    // which Wine's edit control needs many seconds for each time it shows it.
    const EString pasted(2000, L'1');
    const wchar_t kTakes[] = L"It takes a time of day, such as 09:30. Nothing was saved: correct it and try again.";
    const struct {
        EString typed;
        EString told;
    } cases[] = {
        {L"10:5358 PM", EString(L"The field \"Time\" holds \"10:5358 PM\". ") + kTakes},
        {L"25:00", EString(L"The field \"Time\" holds \"25:00\". ") + kTakes},
        {L"abc", EString(L"The field \"Time\" holds \"abc\". ") + kTakes},
        {L"", EString(L"The field \"Time\" is empty. ") + kTakes},
        {L"7:15\x01\x7F", EString(L"The field \"Time\" holds \"7:15??\". ") + kTakes},
        {L"\xD83D\xDE00 7:15", EString(L"The field \"Time\" holds \"\xD83D\xDE00 7:15\". ") + kTakes},
        {pasted, L"The field \"Time\" holds \"" + EString(40, L'1') + L"\u2026\". " + kTakes},
    };
    bool firstShot = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.Left(20).c_str());
        reminder = ReminderInfo{7, MakeOleDateTime(2026, 5, 14, 0, 0), MakeOleTime(9, 15)};
        EString told;
        const INT_PTR result = RunModalSteps(
            [&] { return EditReminder(hasReminder, reminder) ? IDOK : IDCANCEL; },
            {[&](HWND dialog) {
                 // Typed into the box's edit, then the box left for the date.
                 const HWND combo = ::GetDlgItem(dialog, IDC_REMINDER_TIME);
                 ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(combo), TRUE);
                 ::SetWindowTextW(combo, c.typed.c_str());
                 ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_REMINDER_DATE)),
                                TRUE);
                 return true;
             },
             [&](HWND dialog) {
                 EXPECT_TRUE(CWindow(::GetDlgItem(dialog, IDC_REMINDER_TIME)).GetWindowText() == c.typed)
                     << "left as typed";
                 ClickButton(dialog, IDOK);
                 return true;
             },
             AnswerMessageBox(told, firstShot ? L"ReminderSettingsTimeRefused" : nullptr),
             [&](HWND dialog) {
                 const HWND combo = ::GetDlgItem(dialog, IDC_REMINDER_TIME);
                 if (FindThreadDialog() != dialog || ::GetFocus() == nullptr ||
                     (::GetFocus() != combo && !::IsChild(combo, ::GetFocus())))
                     return false;
                 if (firstShot) {
                     EXPECT_FALSE(SaveWindowScreenshot(dialog, L"ReminderSettingsAfterRefusal").empty());
                 }
                 ::SetWindowTextW(combo, L"22:40");
                 ClickButton(dialog, IDOK);
                 return true;
             }});
        firstShot = false;
        EXPECT_EQ(result, IDOK);
        EXPECT_TRUE(told == c.told) << told.c_str();
        EXPECT_EQ(reminder.GetAlarmTimeXmlText(), L"22:40");
    }

    // Switched off, the greyed box is no answer to give: its time stays.
    reminder = ReminderInfo{7, MakeOleDateTime(2026, 5, 14, 0, 0), MakeOleTime(9, 15)};
    const INT_PTR result = RunModalSteps([&] { return EditReminder(hasReminder, reminder) ? IDOK : IDCANCEL; },
                                         {[&](HWND dialog) {
                                              SetItemText(dialog, IDC_REMINDER_TIME, L"10:5358 PM");
                                              ::CheckDlgButton(dialog, IDC_REMINDER_ACTIVE, BST_UNCHECKED);
                                              ClickButton(dialog, IDC_REMINDER_ACTIVE);
                                              return true;
                                          },
                                          [&](HWND dialog) {
                                              if (::IsWindowEnabled(::GetDlgItem(dialog, IDC_REMINDER_TIME)))
                                                  return false;
                                              ClickButton(dialog, IDOK);
                                              return true;
                                          }});
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(hasReminder);
    EXPECT_EQ(reminder.GetAlarmTimeXmlText(), L"09:15");
}

TEST_F(ReminderSettingsDialogTest, SwitchingOffGreysDateAndTimeAndKeepsThem)
{
    const int greyed[] = {IDC_REMINDER_DATE_LABEL, IDC_REMINDER_DATE, IDC_REMINDER_TIME_LABEL, IDC_REMINDER_TIME};
    const INT_PTR result = RunModalSteps(
        [&] { return EditReminder(hasReminder, reminder) ? IDOK : IDCANCEL; },
        {[&](HWND dialog) {
             for (const int id : greyed)
                 EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, id))) << id;
             EXPECT_FALSE(SaveWindowScreenshot(dialog, L"ReminderSettingsDialog").empty());
             ::CheckDlgButton(dialog, IDC_REMINDER_ACTIVE, BST_UNCHECKED);
             ClickButton(dialog, IDC_REMINDER_ACTIVE);
             return true;
         },
         [&](HWND dialog) { return !::IsWindowEnabled(::GetDlgItem(dialog, IDC_REMINDER_TIME)); },
         [&](HWND dialog) {
             for (const int id : greyed)
                 EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, id))) << id;
             return true;
         },
         Click(IDOK)});
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(hasReminder);
    EXPECT_EQ(reminder.GetAlarmDateXmlText(), L"2026-05-14");
    EXPECT_EQ(reminder.GetAlarmTime(), MakeOleTime(9, 15));
}

// Choosing a listed time shows it in the box and leaves a date picked
// before it as picked.
TEST_F(ReminderSettingsDialogTest, AListedTimeChosenAfterADateKeepsTheDate)
{
    const INT_PTR result = RunModalSteps(
        [&] { return EditReminder(hasReminder, reminder) ? IDOK : IDCANCEL; },
        {[&](HWND dialog) {
             SYSTEMTIME day = {};
             day.wYear = 2026;
             day.wMonth = 6;
             day.wDay = 2;
             ::SendDlgItemMessageW(dialog, IDC_REMINDER_DATE, DTM_SETSYSTEMTIME, GDT_VALID,
                                   reinterpret_cast<LPARAM>(&day));
             return true;
         },
         ChooseTime(19), [&](HWND dialog) { return ItemText(dialog, IDC_REMINDER_TIME) == L"10:00"; }, Click(IDOK)});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(reminder.GetAlarmDateXmlText(), L"2026-06-02");
    EXPECT_EQ(reminder.GetAlarmTimeXmlText(), L"10:00");
}

TEST_F(ReminderSettingsDialogTest, CancelChangesNothing)
{
    const ReminderInfo before = reminder;
    const INT_PTR result = RunModalSteps([&] { return EditReminder(hasReminder, reminder) ? IDOK : IDCANCEL; },
                                         {ChooseTime(3), Click(IDCANCEL)});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(hasReminder);
    EXPECT_EQ(reminder, before);
}

} // namespace
