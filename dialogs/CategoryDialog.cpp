#include "dialogs/CategoryDialog.h"

#include "foundation/Clock.h"

CCategoryDialog::CCategoryDialog()
{
    fields.deadline = Clock::Now();
}

void CCategoryDialog::OnInitDialog()
{
    ShowDeadlineFormat(GetDlgItem(IDC_CATEGORY_DEADLINE));
    CWindow(GetDlgItem(IDC_CATEGORY_COMPLETED)).EnableWindow(!fields.hasUncompletedTasks);
}

// Only the name box is read: loading the name raises this before the other
// fields are loaded, and saving them then would drop the caller's values.
LRESULT CCategoryDialog::OnNameChange(WORD, WORD, HWND, bool&)
{
    EString typed = GetDlgItemText(IDC_CATEGORY_NAME);
    typed.Trim(L" \t\r\n");
    CWindow(GetDlgItem(IDOK)).EnableWindow(!typed.empty());
    return 0;
}

LRESULT CCategoryDialog::OnDeadlineDropDown(int, NMHDR*, bool&)
{
    StartWeeksOnConfiguredDay(GetDlgItem(IDC_CATEGORY_DEADLINE));
    return 0;
}
