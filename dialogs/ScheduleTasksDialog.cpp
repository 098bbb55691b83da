#include "dialogs/ScheduleTasksDialog.h"

#include <cmath>

#include "foundation/Clock.h"
#include "foundation/Options.h"

namespace {

constexpr double kPerCent = 100;

} // namespace

double RegularDayHours()
{
    const double hours = Options::GetRegularHours();
    return hours > 0 ? hours : CScheduleTasksDialog::kDefaultHours;
}

CScheduleTasksDialog::CScheduleTasksDialog() : startDate(Clock::Now()) {}

void CScheduleTasksDialog::OnInitDialog()
{
    if (!(hoursPerDay > 0))
        hoursPerDay = kDefaultHours;
    presence = hoursPerDay / RegularDayHours() * kPerCent;
    ShowDeadlineFormat(GetDlgItem(IDC_SCHEDULE_START));
    SendDlgItemMessageW(m_hWnd, IDC_SCHEDULE_PRESENCE_SPIN, UDM_SETRANGE32, static_cast<WPARAM>(kMinPresence),
                        static_cast<LPARAM>(kMaxPresence));
    SendDlgItemMessageW(m_hWnd, IDC_SCHEDULE_HOURS_SPIN, UDM_SETRANGE32, 1, static_cast<LPARAM>(kMaxHours));
    PositionArrows();
}

// An arrow steps from the whole number nearest the value: the boxes hold
// decimals, which the arrows cannot read back.
void CScheduleTasksDialog::PositionArrows()
{
    SendDlgItemMessageW(m_hWnd, IDC_SCHEDULE_PRESENCE_SPIN, UDM_SETPOS32, 0, std::lround(presence));
    SendDlgItemMessageW(m_hWnd, IDC_SCHEDULE_HOURS_SPIN, UDM_SETPOS32, 0, std::lround(hoursPerDay));
}

void CScheduleTasksDialog::LoadControls()
{
    PositionArrows();
    DoDataExchange(false, IDC_SCHEDULE_PRESENCE);
    DoDataExchange(false, IDC_SCHEDULE_HOURS);
}

// Only a changed value sets the other; one that cannot be taken stays as
// typed, for OK to refuse, and leaves the other as it is.
void CScheduleTasksDialog::TakePresence()
{
    const double before = presence;
    if (!DoDataExchange(true, IDC_SCHEDULE_PRESENCE) || presence == before)
        return;
    hoursPerDay = RegularDayHours() * presence / kPerCent;
    LoadControls();
}

void CScheduleTasksDialog::TakeHours()
{
    const double before = hoursPerDay;
    if (!DoDataExchange(true, IDC_SCHEDULE_HOURS) || hoursPerDay == before)
        return;
    presence = hoursPerDay / RegularDayHours() * kPerCent;
    LoadControls();
}

LRESULT CScheduleTasksDialog::OnPresenceLeft(WORD, WORD, HWND, bool&)
{
    TakePresence();
    return 0;
}

LRESULT CScheduleTasksDialog::OnHoursLeft(WORD, WORD, HWND, bool&)
{
    TakeHours();
    return 0;
}

// Enter does not move the focus: the field it was typed in counts as left,
// so a share typed and confirmed at once still sets the hours.
LRESULT CScheduleTasksDialog::OnConfirm(WORD, WORD, HWND, bool& handled)
{
    const HWND focus = ::GetFocus();
    if (focus == GetDlgItem(IDC_SCHEDULE_PRESENCE))
        TakePresence();
    else if (focus == GetDlgItem(IDC_SCHEDULE_HOURS))
        TakeHours();
    handled = false;
    return 0;
}

LRESULT CScheduleTasksDialog::OnDateDropDown(int, NMHDR*, bool&)
{
    StartWeeksOnConfiguredDay(GetDlgItem(IDC_SCHEDULE_START));
    return 0;
}

bool ChooseDeadlineSchedule(double& startDate, double& hoursPerDay)
{
    CScheduleTasksDialog dialog;
    dialog.startDate = startDate;
    dialog.hoursPerDay = hoursPerDay;
    if (dialog.DoModal() != IDOK)
        return false;
    startDate = dialog.startDate;
    hoursPerDay = dialog.hoursPerDay;
    return true;
}
