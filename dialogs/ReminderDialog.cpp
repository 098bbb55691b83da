#include "dialogs/ReminderDialog.h"

#include "dialogs/ReminderSnoozePresets.h"
#include "foundation/Language.h"

void CReminderDialog::OnInitDialog()
{
    const HWND combo = GetDlgItem(IDC_REMINDER_MINUTES);
    for (const SnoozePreset& preset : ReminderSnoozePresets) {
        EString text = Resource::Translate(preset.key);
        if (text.empty())
            text = preset.key;
        const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), preset.minutes);
    }
}

LRESULT CReminderDialog::OnLocate(WORD, WORD, HWND, bool&)
{
    if (m_sink)
        m_sink->LocateTask(taskId);
    return 0;
}

LRESULT CReminderDialog::OnOpen(WORD, WORD, HWND, bool&)
{
    if (m_sink)
        m_sink->OpenTask(taskId);
    return 0;
}

// A text that is no whole number of at least 1 is refused in words and
// takes the focus: the reminder stays due rather than firing again at once.
LRESULT CReminderDialog::OnSnooze(WORD, WORD, HWND, bool&)
{
    if (ReadFieldsForOk() && m_sink)
        m_sink->SnoozeReminder(taskId, static_cast<int>(minutes));
    return 0;
}

// Also when the list closes without a pick: dropping it down wrote the
// label of the preset it found into the field.
LRESULT CReminderDialog::OnPresetChosen(WORD, WORD, HWND, bool&)
{
    const LRESULT selected = ::SendDlgItemMessageW(m_hWnd, IDC_REMINDER_MINUTES, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return 0;
    minutes = static_cast<unsigned>(
        ::SendDlgItemMessageW(m_hWnd, IDC_REMINDER_MINUTES, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
    // The combo writes the preset's label into its field after this
    // notification; the reload then shows the minutes instead.
    PostMessage(WM_DIALOG_RELOAD_CONTROLS);
    return 0;
}

// A typed number is taken and shown as read. Anything else stays as typed,
// without a beep: leaving the field is no answer yet, and snoozing refuses it.
LRESULT CReminderDialog::OnMinutesLeft(WORD, WORD, HWND, bool&)
{
    long long typed = 0;
    if (ParseWholeNumber(GetDlgItemText(IDC_REMINDER_MINUTES), false, typed) && typed >= 1 && typed <= INT_MAX) {
        minutes = static_cast<unsigned>(typed);
        DoDataExchange(false, IDC_REMINDER_MINUTES);
    }
    return 0;
}

LRESULT CReminderDialog::OnDismiss(WORD, WORD, HWND, bool&)
{
    if (m_sink)
        m_sink->DismissReminder(taskId);
    return 0;
}

LRESULT CReminderDialog::OnReloadControls(UINT, WPARAM, LPARAM, bool&)
{
    DoDataExchange(false);
    return 0;
}
