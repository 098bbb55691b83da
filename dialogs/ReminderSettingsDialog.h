// ReminderSettingsDialog and EditReminder: the editor of one task's reminder: on or off, a date and a time of day.
#pragma once

#include "dialogs/ReminderDialogIds.h"
#include "dialogs/ZemDialogImpl.h"
#include "foundation/PrivateMessages.h"

class ReminderInfo;

class ReminderSettingsDialog : public CZemDialogImpl<ReminderSettingsDialog> {
public:
    enum { IDD = IDD_REMINDER_SETTINGS };
    EString GetDialogName() override { return L"ReminderSettingsDialog"; }

    // The listed times of day: every half hour from 00:30 on, midnight last.
    static constexpr int kListedTimes = 48;
    static constexpr int kListStepSeconds = 30 * 60;

    BEGIN_MESSAGE_MAP(ReminderSettingsDialog)
        ON_COMMAND_CODE(IDC_REMINDER_ACTIVE, BN_CLICKED, OnActiveClicked)
        ON_COMMAND_CODE(IDC_REMINDER_TIME, CBN_SELCHANGE, OnTimeChosen)
        ON_COMMAND_CODE(IDC_REMINDER_TIME, CBN_KILLFOCUS, OnTimeLeft)
        ON_NOTIFY(IDC_REMINDER_DATE, DTN_DROPDOWN, OnDateDropDown)
        ON_MESSAGE(WM_DIALOG_RELOAD_CONTROLS, OnReloadControls)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<ReminderSettingsDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(ReminderSettingsDialog)
        DDX_DATE(IDC_REMINDER_DATE, reminderDate)
        DDX_TIME_TEXT(IDC_REMINDER_TIME, reminderTime, true)
        DDX_CHECK(IDC_REMINDER_ACTIVE, enabled)
    END_DDX_MAP()

    void OnInitDialog();

    double reminderDate = 0;
    // The time of day only.
    double reminderTime = 0;
    int enabled = 0;

private:
    LRESULT OnActiveClicked(WORD, WORD, HWND, bool&);
    LRESULT OnTimeChosen(WORD, WORD, HWND, bool&);
    LRESULT OnTimeLeft(WORD, WORD, HWND, bool&);
    LRESULT OnDateDropDown(int, NMHDR*, bool&);
    LRESULT OnReloadControls(UINT, WPARAM, LPARAM, bool&);
    void EnableDateAndTime(bool enable);
};

// Runs the editor over the active window; on OK writes the date, the time and
// the on/off state back and answers true. Cancel changes nothing.
bool EditReminder(bool& hasReminder, ReminderInfo& reminder);
