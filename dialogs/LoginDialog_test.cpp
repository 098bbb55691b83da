#include <gtest/gtest.h>

#include "dialogs/LoginDialog.h"
#include "dialogs/testdata/TaskDialogTestSupport.h"
#include "testing/DialogDriver.h"
#include "testing/WindowShot.h"

namespace {

class LoginDialogTest : public TaskDialogsTest {
protected:
    void TearDown() override
    {
        CHyperLink::SetPageOpener(nullptr);
        TaskDialogsTest::TearDown();
    }
};

// Selects the whole text of an edit and types over it, as a user does.
void Retype(HWND dialog, int id, const wchar_t* text)
{
    const HWND edit = ::GetDlgItem(dialog, id);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    TypeText(edit, text);
}

TEST_F(LoginDialogTest, ShowsTheValuesAndTakesWhatWasTypedOnOk)
{
    EString user = L"ann";
    EString password = L"secret";
    bool remember = true;
    bool confirmed = false;
    RunModalSteps([&] { return INT_PTR(confirmed = EditLogin(user, password, remember)); },
                  {[&](HWND hwnd) {
                       EXPECT_EQ(ItemText(hwnd, IDC_LOGIN_USER), L"ann");
                       EXPECT_EQ(ItemText(hwnd, IDC_LOGIN_PASSWORD), L"secret");
                       EXPECT_EQ(::IsDlgButtonChecked(hwnd, IDC_LOGIN_REMEMBER), BST_CHECKED);
                       EXPECT_EQ(ItemText(hwnd, IDCANCEL), L"Work Offline");
                       EXPECT_TRUE(IsItemEnabled(hwnd, IDOK));
                       EXPECT_FALSE(SaveWindowScreenshot(hwnd, L"LoginDialog").empty());
                       Retype(hwnd, IDC_LOGIN_PASSWORD, L"0123456789012345678901234567890123");
                       ClickCheck(hwnd, IDC_LOGIN_REMEMBER);
                       return true;
                   },
                   [&](HWND hwnd) {
                       if (::IsDlgButtonChecked(hwnd, IDC_LOGIN_REMEMBER) != BST_UNCHECKED)
                           return false;
                       PressKey(::GetDlgItem(hwnd, IDC_LOGIN_PASSWORD), VK_RETURN);
                       return true;
                   }});
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(user, L"ann");
    EXPECT_EQ(password, L"012345678901234567890123456789") << "typing stops at 30 characters";
    EXPECT_FALSE(remember);
}

TEST_F(LoginDialogTest, OkWaitsForAUserNameAndAPasswordThatAreMoreThanSpaces)
{
    EString user = L"ann";
    EString password = L"secret";
    bool remember = false;
    bool confirmed = false;
    RunModalSteps([&] { return INT_PTR(confirmed = EditLogin(user, password, remember)); },
                  {[&](HWND hwnd) {
                       Retype(hwnd, IDC_LOGIN_USER, L"  ");
                       return true;
                   },
                   [&](HWND hwnd) {
                       if (IsItemEnabled(hwnd, IDOK))
                           return false;
                       // Enter with a blank user name does not close the dialog.
                       PressKey(::GetDlgItem(hwnd, IDC_LOGIN_USER), VK_RETURN);
                       TypeText(::GetDlgItem(hwnd, IDC_LOGIN_USER), L"bob");
                       return true;
                   },
                   [&](HWND hwnd) {
                       if (!IsItemEnabled(hwnd, IDOK))
                           return false;
                       EXPECT_EQ(ItemText(hwnd, IDC_LOGIN_USER), L"  bob") << "the dialog stayed open";
                       Retype(hwnd, IDC_LOGIN_PASSWORD, L" ");
                       return true;
                   },
                   [&](HWND hwnd) { return !IsItemEnabled(hwnd, IDOK); },
                   [&](HWND hwnd) {
                       ClickButton(hwnd, IDCANCEL);
                       return true;
                   }});
    EXPECT_FALSE(confirmed) << "Work Offline";
    EXPECT_EQ(user, L"ann");
    EXPECT_EQ(password, L"secret");
}

TEST_F(LoginDialogTest, TheLinksOpenTheAccountPages)
{
    static std::vector<EString> opened;
    opened.clear();
    CHyperLink::SetPageOpener([](const EString& url) {
        opened.push_back(url);
        return true;
    });
    EString user;
    EString password;
    bool remember = false;
    RunModalSteps([&] { return INT_PTR(EditLogin(user, password, remember)); },
                  {[&](HWND hwnd) {
                       EXPECT_FALSE(IsItemEnabled(hwnd, IDOK)) << "nothing typed yet";
                       for (const int id : {IDC_LOGIN_FORGOT, IDC_LOGIN_REGISTER}) {
                           const HWND link = ::GetDlgItem(hwnd, id);
                           ::PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                           ::PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
                       }
                       return true;
                   },
                   [&](HWND hwnd) {
                       if (opened.size() < 2)
                           return false;
                       ClickButton(hwnd, IDCANCEL);
                       return true;
                   }});
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], L"https://quorvane.org/accounts/requestpassword/");
    EXPECT_EQ(opened[1], L"https://quorvane.org/accounts/register/");
}

} // namespace
