// CLoginDialog: the user name, password and remember box of a login to the online account, with links to the account pages.
#pragma once

#include <windows.h>

#include "dialogs/HyperLink.h"
#include "dialogs/LoginDialogIds.h"
#include "dialogs/ZemDialogImpl.h"
#include "foundation/EString.h"

// Modal: the caller sets the three fields, shows it and reads them after OK;
// Cancel means working offline.
class CLoginDialog : public CZemDialogImpl<CLoginDialog> {
public:
    enum { IDD = IDD_LOGIN };
    static constexpr int kMaxText = 30;
    // The service's account pages.
    static constexpr const wchar_t* kForgotPasswordPage = L"https://quorvane.org/accounts/requestpassword/";
    static constexpr const wchar_t* kRegisterPage = L"https://quorvane.org/accounts/register/";

    EString GetDialogName() override { return L"LoginDialog"; }

    EString user;
    EString password;
    int remember = 1;

    BEGIN_MESSAGE_MAP(CLoginDialog)
        ON_COMMAND_CODE(IDC_LOGIN_USER, EN_CHANGE, OnFieldChanged)
        ON_COMMAND_CODE(IDC_LOGIN_PASSWORD, EN_CHANGE, OnFieldChanged)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CLoginDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CLoginDialog)
        DDX_TEXT_LEN(IDC_LOGIN_USER, user, kMaxText)
        DDX_TEXT_LEN(IDC_LOGIN_PASSWORD, password, kMaxText)
        DDX_CHECK(IDC_LOGIN_REMEMBER, remember)
    END_DDX_MAP()

    void OnInitDialog();

private:
    LRESULT OnFieldChanged(WORD, WORD, HWND, bool&);
    // OK only with a user name and a password that are more than spaces.
    void UpdateOkButton(const EString& shownUser, const EString& shownPassword);

    HWND m_okButton = nullptr;
    CHyperLink m_forgotLink;
    CHyperLink m_registerLink;
};

// Runs the dialog on the three values; true, with them as typed, on OK.
bool EditLogin(EString& user, EString& password, bool& remember);
