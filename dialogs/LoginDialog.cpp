#include "dialogs/LoginDialog.h"

namespace {

bool IsBlank(EString text)
{
    return text.Trim(L" ").IsEmpty();
}

} // namespace

void CLoginDialog::OnInitDialog()
{
    m_okButton = GetDlgItem(IDOK);
    m_forgotLink.Attach(GetDlgItem(IDC_LOGIN_FORGOT), kForgotPasswordPage);
    m_registerLink.Attach(GetDlgItem(IDC_LOGIN_REGISTER), kRegisterPage);
    // Typing stops at the limit instead of failing when OK is pressed.
    SendDlgItemMessageW(m_hWnd, IDC_LOGIN_USER, EM_LIMITTEXT, kMaxText, 0);
    SendDlgItemMessageW(m_hWnd, IDC_LOGIN_PASSWORD, EM_LIMITTEXT, kMaxText, 0);
    UpdateOkButton(user, password);
}

LRESULT CLoginDialog::OnFieldChanged(WORD, WORD, HWND, bool&)
{
    // Read from the controls: loading the fields changes them too, and a
    // save while typing would beep at every over-long value.
    UpdateOkButton(GetDlgItemText(IDC_LOGIN_USER), GetDlgItemText(IDC_LOGIN_PASSWORD));
    return 0;
}

void CLoginDialog::UpdateOkButton(const EString& shownUser, const EString& shownPassword)
{
    ::EnableWindow(m_okButton, !IsBlank(shownUser) && !IsBlank(shownPassword));
}

bool EditLogin(EString& user, EString& password, bool& remember)
{
    CLoginDialog dialog;
    dialog.user = user;
    dialog.password = password;
    dialog.remember = remember ? 1 : 0;
    if (dialog.DoModal() != IDOK)
        return false;
    user = dialog.user;
    password = dialog.password;
    remember = dialog.remember != 0;
    return true;
}
