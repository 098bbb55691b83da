#include "dialogs/CategoryDialog.h"

#include "foundation/BlankName.h"
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
    CWindow(GetDlgItem(IDOK)).EnableWindow(!IsBlankName(GetDlgItemText(IDC_CATEGORY_NAME)));
    return 0;
}

// The command may come without the button: posted, or a click sent to the
// disabled button. A name of blanks is none: the tree would show no label.
LRESULT CCategoryDialog::OnOK(WORD, WORD, HWND, bool& handled)
{
    if (IsBlankName(GetDlgItemText(IDC_CATEGORY_NAME))) {
        OnDataValidateError(IDC_CATEGORY_NAME, true);
        return 0;
    }
    handled = false;
    return 0;
}

LRESULT CCategoryDialog::OnDeadlineDropDown(int, NMHDR*, bool&)
{
    StartWeeksOnConfiguredDay(GetDlgItem(IDC_CATEGORY_DEADLINE));
    return 0;
}
