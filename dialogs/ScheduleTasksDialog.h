// CScheduleTasksDialog: the first deadline day and the time available per day before deadlines are arranged.
#pragma once

#include "dialogs/DeadlinePicker.h"
#include "dialogs/SmallDialogIds.h"
#include "dialogs/ZemDialogImpl.h"

// The time available shows two ways, kept in step when a field is left: as
// a share of the regular working day and as hours per day.
class CScheduleTasksDialog : public CZemDialogImpl<CScheduleTasksDialog> {
public:
    enum { IDD = IDD_SCHEDULE_TASKS };
    static constexpr double kMinPresence = 1;
    static constexpr double kMaxPresence = 3000;
    static constexpr double kMinHours = 0.1;
    static constexpr double kMaxHours = 240;
    // What a day without hours (or a regular day of none) is taken as.
    static constexpr double kDefaultHours = 8;

    CScheduleTasksDialog();

    EString GetDialogName() override { return L"ScheduleDialog"; }

    BEGIN_MESSAGE_MAP(CScheduleTasksDialog)
        ON_COMMAND_CODE(IDC_SCHEDULE_PRESENCE, EN_KILLFOCUS, OnPresenceLeft)
        ON_COMMAND_CODE(IDC_SCHEDULE_HOURS, EN_KILLFOCUS, OnHoursLeft)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnConfirm)
        ON_NOTIFY(IDC_SCHEDULE_START, DTN_DROPDOWN, OnDateDropDown)
        ON_NOTIFY(IDC_SCHEDULE_START, DTN_DATETIMECHANGE, ShowDayNamesOfChange)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CScheduleTasksDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CScheduleTasksDialog)
        DDX_DEADLINE(IDC_SCHEDULE_START, startDate)
        DDX_DOUBLE_RANGE(IDC_SCHEDULE_PRESENCE, presence, kMinPresence, kMaxPresence)
        DDX_DOUBLE_RANGE(IDC_SCHEDULE_HOURS, hoursPerDay, kMinHours, kMaxHours)
    END_DDX_MAP()

    void OnInitDialog();

    double startDate;
    // Per cent of the regular working day; worked out from the hours when the dialog opens.
    double presence = 1.0;
    double hoursPerDay = kDefaultHours;

private:
    LRESULT OnPresenceLeft(WORD, WORD, HWND, bool&);
    LRESULT OnHoursLeft(WORD, WORD, HWND, bool&);
    LRESULT OnConfirm(WORD, WORD, HWND, bool& handled);
    LRESULT OnDateDropDown(int, NMHDR*, bool&);
    void PositionArrows();
    void LoadControls();
    void TakePresence();
    void TakeHours();
};

// The regular working day in hours; a setting of none counts as the default day.
double RegularDayHours();

// Runs the dialog over the active window with the date and the hours; on OK
// gives back the chosen ones and answers true. Hours of none or fewer count
// as the default day.
bool ChooseDeadlineSchedule(double& startDate, double& hoursPerDay);
