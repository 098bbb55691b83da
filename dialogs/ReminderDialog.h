// CReminderDialog: the modeless alert of a reminder that fell due: locate, open, snooze or dismiss its task.
#pragma once

#include <climits>

#include "dialogs/ReminderAction.h"
#include "dialogs/ReminderDialogIds.h"
#include "dialogs/ZemDialogImpl.h"
#include "foundation/PrivateMessages.h"

class CReminderDialog : public CZemDialogImpl<CReminderDialog> {
public:
    enum { IDD = IDD_REMINDER };
    EString GetDialogName() override { return L"ReminderDialog"; }

    // Not owned; the owner hides the alert after a snooze or a dismissal.
    void SetActionSink(IReminderAction* sink) { m_sink = sink; }

    BEGIN_MESSAGE_MAP(CReminderDialog)
        ON_COMMAND_CODE(IDC_REMINDER_LOCATE, BN_CLICKED, OnLocate)
        ON_COMMAND_CODE(IDC_REMINDER_OPEN, BN_CLICKED, OnOpen)
        ON_COMMAND_CODE(IDC_REMINDER_SNOOZE, BN_CLICKED, OnSnooze)
        ON_COMMAND_CODE(IDC_REMINDER_MINUTES, CBN_SELCHANGE, OnPresetChosen)
        ON_COMMAND_CODE(IDC_REMINDER_MINUTES, CBN_CLOSEUP, OnPresetChosen)
        ON_COMMAND_CODE(IDC_REMINDER_MINUTES, CBN_KILLFOCUS, OnMinutesLeft)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnOK)
        ON_COMMAND_CODE(IDCANCEL, BN_CLICKED, OnDismiss)
        ON_MESSAGE(WM_DIALOG_RELOAD_CONTROLS, OnReloadControls)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CReminderDialog>)
    END_MESSAGE_MAP()

    // A snooze shorter than a minute would fire again at once: the minutes
    // read back only as a whole number of at least 1.
    BEGIN_DDX_MAP(CReminderDialog)
        DDX_TEXT(IDC_REMINDER_TASK_NAME, taskName)
        DDX_UINT_RANGE(IDC_REMINDER_MINUTES, minutes, 1, INT_MAX)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CReminderDialog)
        RESIZE_CONTROL(IDC_REMINDER_TASK_NAME, ResizeSizeX)
        RESIZE_CONTROL(IDCANCEL, ResizeSizeX)
    END_RESIZE_MAP()

    void OnInitDialog();

    EString taskName;
    unsigned minutes = 0;
    int taskId = 0;

private:
    LRESULT OnLocate(WORD, WORD, HWND, bool&);
    LRESULT OnOpen(WORD, WORD, HWND, bool&);
    LRESULT OnSnooze(WORD, WORD, HWND, bool&);
    LRESULT OnPresetChosen(WORD, WORD, HWND, bool&);
    LRESULT OnMinutesLeft(WORD, WORD, HWND, bool&);
    // The alert has nothing to confirm: Enter is not a choice.
    LRESULT OnOK(WORD, WORD, HWND, bool&) { return 0; }
    LRESULT OnDismiss(WORD, WORD, HWND, bool&);
    LRESULT OnReloadControls(UINT, WPARAM, LPARAM, bool&);

    IReminderAction* m_sink = nullptr;
};
