#include "dialogs/PersonDialog.h"

#include "foundation/BlankName.h"

void CPersonDialog::OnInitDialog()
{
    m_okButton = GetDlgItem(IDOK);
    ::EnableWindow(m_okButton, !IsBlankName(fields.name));
}

bool CPersonDialog::SavesAName()
{
    DoDataExchange(true);
    return !IsBlankName(fields.name);
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
