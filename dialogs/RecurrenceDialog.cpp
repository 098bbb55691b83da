#include "dialogs/RecurrenceDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "dialogs/DayTimeRules.h"
#include "dialogs/TaskDialog.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"

namespace {

const wchar_t* const kIntervalKeys[] = {L"Every",     L"EveryOther", L"Every3rd", L"Every4th",  L"Every5th",  L"Every6th",
                                        L"Every7th",  L"Every8th",   L"Every9th", L"Every10th", L"Every11th", L"Every12th"};
const wchar_t* const kOrdinalKeys[] = {L"First", L"Second", L"Third", L"Fourth", L"Last"};
const wchar_t* const kWeekdayKeys[] = {L"SundayLong",   L"MondayLong", L"TuesdayLong", L"WednesdayLong",
                                       L"ThursdayLong", L"FridayLong", L"SaturdayLong"};

const int kDailyGroup[] = {IDC_RECUR_DAY_INTERVAL, IDC_RECUR_ALL_DAYS, IDC_RECUR_WORKDAYS, IDC_RECUR_WEEKENDS};
const int kWeeklyGroup[] = {IDC_RECUR_WEEK_INTERVAL, IDC_RECUR_WEEK_ON_LABEL, IDC_RECUR_SUNDAY,
                            IDC_RECUR_MONDAY,        IDC_RECUR_TUESDAY,       IDC_RECUR_WEDNESDAY,
                            IDC_RECUR_THURSDAY,      IDC_RECUR_FRIDAY,        IDC_RECUR_SATURDAY};
const int kDayOfMonthControls[] = {IDC_RECUR_MONTH_DAY, IDC_RECUR_MONTH_DAY_SPIN, IDC_RECUR_DAY_OF_LABEL,
                                   IDC_RECUR_DAY_MONTHS, IDC_RECUR_DAY_MONTH_LABEL};
const int kWeekdayOfMonthControls[] = {IDC_RECUR_ORDINAL, IDC_RECUR_WEEKDAY, IDC_RECUR_WEEKDAY_OF_LABEL,
                                       IDC_RECUR_WEEKDAY_MONTHS, IDC_RECUR_WEEKDAY_MONTH_LABEL};
const int kMonthlyGroup[] = {IDC_RECUR_BY_DAY_OF_MONTH,  IDC_RECUR_BY_WEEKDAY_OF_MONTH, IDC_RECUR_MONTH_DAY,
                             IDC_RECUR_MONTH_DAY_SPIN,   IDC_RECUR_DAY_OF_LABEL,        IDC_RECUR_DAY_MONTHS,
                             IDC_RECUR_ORDINAL,          IDC_RECUR_WEEKDAY,             IDC_RECUR_WEEKDAY_OF_LABEL,
                             IDC_RECUR_WEEKDAY_MONTHS,   IDC_RECUR_DAY_MONTH_LABEL,     IDC_RECUR_WEEKDAY_MONTH_LABEL};

void FillCombo(HWND combo, std::span<const wchar_t* const> keys)
{
    for (const wchar_t* key : keys)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TranslatedOrKey(key).c_str()));
}

void ShowControls(HWND dialog, std::span<const int> ids, bool show)
{
    for (const int id : ids)
        ::ShowWindow(::GetDlgItem(dialog, id), show ? SW_SHOW : SW_HIDE);
}

void EnableControls(HWND dialog, std::span<const int> ids, bool enable)
{
    for (const int id : ids)
        ::EnableWindow(::GetDlgItem(dialog, id), enable);
}

} // namespace

bool EditRecurrence(RecurrenceInfo& recurrence)
{
    CRecurrenceDialog dialog;
    dialog.Load(recurrence);
    if (dialog.DoModal(::GetActiveWindow()) != IDOK)
        return false;
    dialog.Store(recurrence);
    return true;
}

CRecurrenceDialog::CRecurrenceDialog() : start(Clock::Now()), finish(Clock::Now()) {}

void CRecurrenceDialog::Load(const RecurrenceInfo& recurrence)
{
    taskName = recurrence.GetName();
    patternKind = recurrence.GetPatternPeriod();
    dailyInterval = recurrence.GetEveryDayIndex();
    dayFilter = recurrence.GetDayWorkday();
    weeklyInterval = recurrence.GetEveryWeekIndex();
    for (int day = 0; day < 7; ++day)
        weekdays[day] = recurrence.GetWeekdayFlag(day + 1);
    monthPattern = recurrence.GetMonthPattern();
    monthDay = recurrence.GetMonthDay();
    dayOfMonthInterval = recurrence.GetEveryDayOfMonth();
    weekdayOfMonthInterval = recurrence.GetEveryWeekdayOfMonth();
    ordinal = recurrence.GetWeekNoMonth();
    weekday = recurrence.GetWeekdayMonth();
    startDate = recurrence.GetStartDate();
    endType = recurrence.GetEndType();
    occurrences = recurrence.GetOccurrencesNumber();
    endDate = recurrence.GetEndDate();
    start = recurrence.GetStartTime();
    finish = recurrence.GetEndTime();
}

void CRecurrenceDialog::Store(RecurrenceInfo& recurrence) const
{
    recurrence.SetStartKeepDuration(start);
    recurrence.SetEnd(finish);
    recurrence.SetPatternPeriod(patternKind);
    recurrence.SetEveryDayIndex(dailyInterval);
    recurrence.SetDayWorkday(dayFilter);
    recurrence.SetEveryWeekIndex(weeklyInterval);
    recurrence.SetSunday(weekdays[0]);
    recurrence.SetMonday(weekdays[1]);
    recurrence.SetTuesday(weekdays[2]);
    recurrence.SetWednesday(weekdays[3]);
    recurrence.SetThursday(weekdays[4]);
    recurrence.SetFriday(weekdays[5]);
    recurrence.SetSaturday(weekdays[6]);
    recurrence.SetMonthPattern(monthPattern);
    recurrence.SetMonthDay(monthDay);
    recurrence.SetEveryDayOfMonth(dayOfMonthInterval);
    recurrence.SetEveryWeekdayOfMonth(weekdayOfMonthInterval);
    recurrence.SetWeekNoMonth(ordinal);
    recurrence.SetWeekdayMonth(weekday);
    recurrence.SetStartDate(startDate);
    recurrence.SetEndType(endType);
    recurrence.SetOccurrencesNumber(occurrences);
    recurrence.SetEndDate(endDate);
}

void CRecurrenceDialog::OnInitDialog()
{
    for (const int id : {IDC_RECUR_DAY_INTERVAL, IDC_RECUR_WEEK_INTERVAL, IDC_RECUR_DAY_MONTHS, IDC_RECUR_WEEKDAY_MONTHS})
        FillCombo(GetDlgItem(id), kIntervalKeys);
    FillCombo(GetDlgItem(IDC_RECUR_ORDINAL), kOrdinalKeys);
    FillCombo(GetDlgItem(IDC_RECUR_WEEKDAY), kWeekdayKeys);

    SendDlgItemMessageW(m_hWnd, IDC_RECUR_MONTH_DAY_SPIN, UDM_SETRANGE32, 1, 31);
    // The arrows offer only what the field takes.
    SendDlgItemMessageW(m_hWnd, IDC_RECUR_OCCURRENCES_SPIN, UDM_SETRANGE32, 1, kMaxOccurrences);
    SendDlgItemMessageW(m_hWnd, IDC_RECUR_DURATION_SPIN, UDM_SETRANGE32, 0, 24);
    SendDlgItemMessageW(m_hWnd, IDC_RECUR_START_TIME, EM_LIMITTEXT, static_cast<WPARAM>(Locale::GetTimeEditLimit()), 0);
    SendDlgItemMessageW(m_hWnd, IDC_RECUR_FINISH_TIME, EM_LIMITTEXT, static_cast<WPARAM>(Locale::GetTimeEditLimit()), 0);
    SendDlgItemMessageW(m_hWnd, IDC_RECUR_DURATION, EM_LIMITTEXT, 5, 0);

    if (duration != -1.0)
        finish = FinishFromDuration(start, duration);
    duration = DurationFromTimes(start, finish);
    // The base loads the fields after this; the groups follow the loaded kind.
    ShowPatternGroup();
    EnableMonthPattern();
}

bool CRecurrenceDialog::DDX_Radio(std::span<const int> ids, int& value, bool save)
{
    if (save) {
        value = -1;
        for (size_t index = 0; index < ids.size(); ++index) {
            if (::IsDlgButtonChecked(m_hWnd, ids[index]) == BST_CHECKED) {
                value = static_cast<int>(index);
                break;
            }
        }
        return true;
    }
    for (size_t index = 0; index < ids.size(); ++index)
        ::CheckDlgButton(m_hWnd, ids[index], static_cast<int>(index) == value ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

void CRecurrenceDialog::CheckClickedRadio(int id)
{
    for (const std::span<const int> group : {std::span<const int>(kPatternRadios), std::span<const int>(kDayFilterRadios),
                                             std::span<const int>(kMonthPatternRadios), std::span<const int>(kEndRadios)}) {
        if (std::find(group.begin(), group.end(), id) == group.end())
            continue;
        for (const int radio : group)
            ::CheckDlgButton(m_hWnd, radio, radio == id ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CRecurrenceDialog::ShowPatternGroup()
{
    ShowControls(m_hWnd, kDailyGroup, patternKind == RecurrenceInfo::kDaily);
    ShowControls(m_hWnd, kWeeklyGroup, patternKind == RecurrenceInfo::kWeekly);
    ShowControls(m_hWnd, kMonthlyGroup, patternKind == RecurrenceInfo::kMonthly);
}

void CRecurrenceDialog::EnableMonthPattern()
{
    const bool byWeekday = monthPattern == RecurrenceInfo::kWeekdayOfMonth;
    EnableControls(m_hWnd, kWeekdayOfMonthControls, byWeekday);
    EnableControls(m_hWnd, kDayOfMonthControls, !byWeekday);
}

LRESULT CRecurrenceDialog::OnOK(WORD, WORD, HWND, bool& handled)
{
    // The edit being typed in commits its rule as it loses the focus.
    ::SetFocus(GetDlgItem(IDOK));
    handled = false;
    return 0;
}

LRESULT CRecurrenceDialog::OnRadioOnly(WORD, WORD id, HWND, bool&)
{
    CheckClickedRadio(id);
    return 0;
}

LRESULT CRecurrenceDialog::OnPatternKind(WORD, WORD id, HWND, bool&)
{
    CheckClickedRadio(id);
    DoDataExchange(true, IDC_RECUR_DAILY);
    ShowPatternGroup();
    return 0;
}

LRESULT CRecurrenceDialog::OnMonthPattern(WORD, WORD id, HWND, bool&)
{
    CheckClickedRadio(id);
    DoDataExchange(true, IDC_RECUR_BY_DAY_OF_MONTH);
    EnableMonthPattern();
    return 0;
}

// A day that cannot be taken stays as typed, for OK to refuse.
LRESULT CRecurrenceDialog::OnMonthDayKillFocus(WORD, WORD, HWND, bool&)
{
    if (DoDataExchange(true, IDC_RECUR_MONTH_DAY))
        DoDataExchange(false, IDC_RECUR_MONTH_DAY);
    return 0;
}

// Hours that cannot be read step from those kept.
LRESULT CRecurrenceDialog::OnDurationSpin(int, NMHDR* header, bool&)
{
    DoDataExchange(true, IDC_RECUR_DURATION);
    const double stepped = duration + 0.5 * reinterpret_cast<NMUPDOWN*>(header)->iDelta;
    if (stepped >= 0)
        SetDlgItemText(IDC_RECUR_DURATION, FormatHoursText(stepped).c_str());
    return 0;
}
