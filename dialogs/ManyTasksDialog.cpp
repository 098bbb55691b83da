#include "dialogs/ManyTasksDialog.h"

#include <vector>

#include "document/model/TaskCard.h"
#include "foundation/Clock.h"

CManyTasksDialog::CManyTasksDialog() : deadline(Clock::Now()) {}

void CManyTasksDialog::OnInitDialog()
{
    ShowDeadlineFormat(GetDlgItem(IDC_MANY_DEADLINE));
    std::vector<EString> names;
    TaskCard::GetImportanceNames(names);
    for (const EString& name : names)
        SendDlgItemMessageW(m_hWnd, IDC_MANY_IMPORTANCE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

LRESULT CManyTasksDialog::OnDeadlineDropDown(int, NMHDR*, bool&)
{
    StartWeeksOnConfiguredDay(GetDlgItem(IDC_MANY_DEADLINE));
    return 0;
}
