#include "dialogs/PersonDialog.h"

void CPersonDialog::OnInitDialog()
{
    m_okButton = GetDlgItem(IDOK);
    ::EnableWindow(m_okButton, !fields.name.IsEmpty());
}

bool CPersonDialog::SavesAName()
{
    DoDataExchange(true);
    return !fields.name.IsEmpty();
}

LRESULT CPersonDialog::OnFieldChanged(WORD, WORD, HWND, bool&)
{
    ::EnableWindow(m_okButton, SavesAName());
    return 0;
}

// The command may come without the button: posted, or a click sent to the
// disabled button.
LRESULT CPersonDialog::OnOK(WORD, WORD, HWND, bool& handled)
{
    if (!SavesAName()) {
        OnDataValidateError(IDC_PERSON_NAME, true);
        return 0;
    }
    handled = false;
    return 0;
}
