#include "dialogs/PlanDialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "dialogs/DayTimeRules.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/ModalScope.h"

namespace {

// A COLORREF's top byte is no part of the colour (CLR_NONE and friends live there).
constexpr COLORREF kColourBits = 0x00FFFFFF;

} // namespace

CPlanDialog::CPlanDialog() : start(Clock::Now()), finish(Clock::Now()) {}

void CPlanDialog::OnInitDialog()
{
    m_commentsEdit.SubclassWindow(GetDlgItem(IDC_PLAN_COMMENTS));
    SendDlgItemMessageW(m_hWnd, IDC_PLAN_COLOUR, EM_LIMITTEXT, kColourDigits, 0);
    colour &= kColourBits;
    RefreshSwatch();
}

void CPlanDialog::ShowModeless()
{
    const int openedTaskId = taskId;
    const int openedCompleted = completed;
    colour &= kColourBits;

    FillTaskCombo();
    SendDlgItemMessageW(m_hWnd, IDC_PLAN_START, EM_LIMITTEXT, static_cast<WPARAM>(Locale::GetTimeEditLimit()), 0);
    SendDlgItemMessageW(m_hWnd, IDC_PLAN_FINISH, EM_LIMITTEXT, static_cast<WPARAM>(Locale::GetTimeEditLimit()), 0);
    SendDlgItemMessageW(m_hWnd, IDC_PLAN_DURATION_SPIN, UDM_SETRANGE32, 0, static_cast<LPARAM>(kMaxDuration));
    SendDlgItemMessageW(m_hWnd, IDC_PLAN_DURATION, EM_LIMITTEXT, 5, 0);
    taskId = openedTaskId;

    if (duration != -1.0)
        finish = FinishFromDuration(start, duration);
    duration = DurationFromTimes(start, finish);
    DoDataExchange(false);
    ApplySelectedTask();

    // The caller's state wins over the one the task's status gives.
    completed = openedCompleted;
    DoDataExchange(false, IDC_PLAN_COMPLETED);
    CWindow(GetDlgItem(IDC_PLAN_COMPLETED)).EnableWindow(m_existing != 0);

    if (GetRestoreWindowRect())
        PostMessage(WM_DIALOG_RESTORE_RECT);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_PLAN_COMMENTS)), TRUE);
}

void CPlanDialog::FillTaskCombo()
{
    const HWND combo = GetDlgItem(IDC_PLAN_TASK);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const TaskCard& task : m_tasks) {
        const LRESULT item = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(task.GetName().c_str()));
        if (item >= 0)
            ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(task.GetId()));
    }
    const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    CWindow(GetDlgItem(IDOK)).EnableWindow(count > 0);
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void CPlanDialog::ApplySelectedTask()
{
    DoDataExchange(true, IDC_PLAN_TASK);
    const auto task = std::find_if(m_tasks.begin(), m_tasks.end(), [&](const TaskCard& t) { return t.GetId() == taskId; });
    if (task == m_tasks.end())
        return;
    dailyRecurring = task->IsRecurring() ? 1 : 0;
    if (m_existing) {
        completed = task->GetStatus() == TaskCard::kCompleted ? 1 : 0;
    } else {
        colour = task->GetColor() & kColourBits;
        duration = ProposedDuration(task->GetEstimation(), task->GetScheduledTime(), task->IsRecurring());
        finish = FinishFromDuration(start, duration);
        duration = DurationFromTimes(start, finish);
    }
    RefreshSwatch();
    // A new entry takes the task's proposal whole; an existing one keeps the
    // times as they stand in their boxes, typed or not.
    if (m_existing) {
        for (const int id : {IDC_PLAN_COMPLETED, IDC_PLAN_DAILY_RECURRING})
            DoDataExchange(false, id);
    } else {
        DoDataExchange(false);
    }
}

void CPlanDialog::RefreshSwatch()
{
    m_swatchBrush.Attach(::CreateSolidBrush(colour & kColourBits));
    ::InvalidateRect(GetDlgItem(IDC_PLAN_SWATCH), nullptr, TRUE);
    Invalidate();
}

void CPlanDialog::TypeNowInto(int id)
{
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(id)), TRUE);
    SetDlgItemText(id, FormatTimeOfDayText(Clock::Now()).c_str());
}

LRESULT CPlanDialog::OnOK(WORD, WORD, HWND, bool& handled)
{
    // The edit being typed in commits its rule as it loses the focus.
    ::SetFocus(GetDlgItem(IDOK));
    // A field that cannot be saved keeps the dialog open, and the daily plan
    // must not read the fields then.
    if (!ReadFieldsForOk())
        return 0;
    if (m_notifyWindow)
        ::PostMessageW(m_notifyWindow, m_existing ? WM_PLAN_DIALOG_EDIT_OK : WM_PLAN_DIALOG_NEW_OK, 0, 0);
    handled = false;
    return 0;
}

LRESULT CPlanDialog::OnTaskChanged(WORD, WORD, HWND, bool&)
{
    ApplySelectedTask();
    return 0;
}

LRESULT CPlanDialog::OnColourKillFocus(WORD, WORD, HWND, bool&)
{
    // Shows what was understood of the text; a text that is no colour stays
    // as typed, for OK to refuse.
    if (!DoDataExchange(true, IDC_PLAN_COLOUR))
        return 0;
    DoDataExchange(false, IDC_PLAN_COLOUR);
    RefreshSwatch();
    return 0;
}

LRESULT CPlanDialog::OnStartNow(WORD, WORD, HWND, bool&)
{
    TypeNowInto(IDC_PLAN_START);
    return 0;
}

LRESULT CPlanDialog::OnFinishNow(WORD, WORD, HWND, bool&)
{
    TypeNowInto(IDC_PLAN_FINISH);
    return 0;
}

LRESULT CPlanDialog::OnSwatchClicked(WORD, WORD, HWND, bool&)
{
    static COLORREF customColours[16] = {};
    CHOOSECOLORW choice = {};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = ::GetActiveWindow();
    choice.rgbResult = colour & kColourBits;
    choice.lpCustColors = customColours;
    choice.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    const ModalScope modal;
    if (!::ChooseColorW(&choice))
        return 0;
    colour = choice.rgbResult & kColourBits;
    DoDataExchange(false, IDC_PLAN_COLOUR);
    RefreshSwatch();
    return 0;
}

// Hours that cannot be read step from those kept.
LRESULT CPlanDialog::OnDurationSpin(int, NMHDR* header, bool&)
{
    DoDataExchange(true, IDC_PLAN_DURATION);
    const double stepped = duration + 0.5 * reinterpret_cast<NMUPDOWN*>(header)->iDelta;
    if (stepped >= 0)
        SetDlgItemText(IDC_PLAN_DURATION, FormatHoursText(stepped).c_str());
    return 0;
}

LRESULT CPlanDialog::OnColourStatic(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    if (reinterpret_cast<HWND>(lParam) != GetDlgItem(IDC_PLAN_SWATCH) || m_swatchBrush.IsNull()) {
        handled = false;
        return 0;
    }
    return reinterpret_cast<LRESULT>(m_swatchBrush.Get());
}

LRESULT CPlanDialog::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    m_swatchBrush.Reset();
    handled = false;
    return 0;
}
