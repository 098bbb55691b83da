#include "dialogs/ReminderSettingsDialog.h"

#include <commctrl.h>

#include "document/model/ReminderInfo.h"
#include "foundation/Locale.h"
#include "foundation/TimeParser.h"

namespace {

constexpr double kSecondsPerDay = 24 * 60 * 60;

} // namespace

// The item data are whole seconds of the day, so a chosen time is stored
// exactly as listed.
void ReminderSettingsDialog::OnInitDialog()
{
    const HWND combo = GetDlgItem(IDC_REMINDER_TIME);
    for (int step = 1; step <= kListedTimes; ++step) {
        const int seconds = (step * kListStepSeconds) % static_cast<int>(kSecondsPerDay);
        const EString text = TimeParser::FormatTimeLocale(seconds / kSecondsPerDay);
        const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), seconds);
    }
    EnableDateAndTime(enabled != 0);
}

// Switching the reminder off keeps the date and the time: they come back
// as they were when it is switched on again.
LRESULT ReminderSettingsDialog::OnActiveClicked(WORD, WORD, HWND, bool&)
{
    DoDataExchange(true, IDC_REMINDER_ACTIVE);
    EnableDateAndTime(enabled != 0);
    return 0;
}

LRESULT ReminderSettingsDialog::OnTimeChosen(WORD, WORD, HWND, bool&)
{
    const LRESULT selected = ::SendDlgItemMessageW(m_hWnd, IDC_REMINDER_TIME, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return 0;
    const LRESULT seconds =
        ::SendDlgItemMessageW(m_hWnd, IDC_REMINDER_TIME, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
    reminderTime = static_cast<double>(seconds) / kSecondsPerDay;
    PostMessage(WM_DIALOG_RELOAD_CONTROLS);
    return 0;
}

// Any time of day may be typed, not only the listed half hours; leaving the
// field shows it as the clock writes it. A text that is no time stays as
// typed: OK refuses it in words rather than storing midnight.
LRESULT ReminderSettingsDialog::OnTimeLeft(WORD, WORD, HWND, bool&)
{
    if (DoDataExchange(true, IDC_REMINDER_TIME))
        DoDataExchange(false, IDC_REMINDER_TIME);
    return 0;
}

LRESULT ReminderSettingsDialog::OnDateDropDown(int, NMHDR*, bool&)
{
    const HWND calendar = reinterpret_cast<HWND>(::SendDlgItemMessageW(m_hWnd, IDC_REMINDER_DATE, DTM_GETMONTHCAL, 0, 0));
    if (calendar)
        ::SendMessageW(calendar, MCM_SETFIRSTDAYOFWEEK, 0, Locale::GetMonthCalFirstDay());
    return 0;
}

// Only the time: a date picked meanwhile is saved with OK.
LRESULT ReminderSettingsDialog::OnReloadControls(UINT, WPARAM, LPARAM, bool&)
{
    DoDataExchange(false, IDC_REMINDER_TIME);
    return 0;
}

void ReminderSettingsDialog::EnableDateAndTime(bool enable)
{
    for (const int id : {IDC_REMINDER_DATE_LABEL, IDC_REMINDER_TIME_LABEL, IDC_REMINDER_TIME, IDC_REMINDER_DATE})
        ::EnableWindow(GetDlgItem(id), enable);
}

bool EditReminder(bool& hasReminder, ReminderInfo& reminder)
{
    ReminderSettingsDialog dialog;
    dialog.enabled = hasReminder ? 1 : 0;
    dialog.reminderDate = reminder.GetAlarmDate();
    dialog.reminderTime = reminder.GetAlarmTime();
    if (dialog.DoModal() != IDOK)
        return false;
    reminder.SetAlarmDate(dialog.reminderDate);
    reminder.SetAlarmTime(dialog.reminderTime);
    hasReminder = dialog.enabled != 0;
    return true;
}
