#include "dialogs/ManyPlanEntriesDialog.h"

#include "foundation/Clock.h"

void CManyPlanEntriesDialog::ProposeDurations(double largestEstimation)
{
    maxDuration = largestEstimation;
    minDuration = 0.5;
    if (maxDuration < 0.1)
        maxDuration = 0.5;
    else if (maxDuration < 0.5)
        minDuration = maxDuration;
}

// The start member changes only when the fields are next saved (on OK or on leaving one).
LRESULT CManyPlanEntriesDialog::OnNow(WORD, WORD, HWND, bool&)
{
    const HWND edit = GetDlgItem(IDC_MANY_START);
    ::SetFocus(edit);
    ::SetWindowTextW(edit, FormatTimeOfDayText(Clock::Now()).c_str());
    return 0;
}

LRESULT CManyPlanEntriesDialog::OnLeaveField(WORD, WORD id, HWND, bool&)
{
    if (DoDataExchange(true, id))
        DoDataExchange(false, id);
    return 0;
}
