#include "dialogs/PersonDialog.h"

void CPersonDialog::OnInitDialog()
{
    m_okButton = GetDlgItem(IDOK);
    ::EnableWindow(m_okButton, !name.IsEmpty());
}

LRESULT CPersonDialog::OnFieldChanged(WORD, WORD, HWND, bool&)
{
    DoDataExchange(true);
    ::EnableWindow(m_okButton, !name.IsEmpty());
    return 0;
}
