#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "dialogs/ZemPropertyPageImpl.h"
#include "dialogs/testdata/dialogs_tests_rc.h"
#include "foundation/Language.h"
#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "winlib/PropertySheet.h"

namespace {

class COptionsTestPage : public CZemPropertyPageImpl<COptionsTestPage> {
public:
    enum { IDD = IDD_OPTIONS_PAGE };

    BEGIN_MESSAGE_MAP(COptionsTestPage)
        CHAIN_MESSAGE_MAP(CZemPropertyPageImpl<COptionsTestPage>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(COptionsTestPage)
        DDX_DOUBLE_RANGE(IDC_PAGE_HOURS, hours, 0.1, 24)
        DDX_CHECK(IDC_PAGE_CHECK, flag)
    END_DDX_MAP()

    // The page's own initialisation runs first: the settings become members.
    void OnInitDialog()
    {
        hours = 8;
        flag = 1;
    }
    int OnApply()
    {
        if (!ReadFieldsForOk())
            return PSNRET_INVALID;
        ++applied;
        return PSNRET_NOERROR;
    }

    double hours = 0;
    int flag = 0;
    int applied = 0;
};

} // namespace

TEST(ZemPropertyPageImplTest, APageIsTranslatedLoadedAndAppliedOnOk)
{
    Resource::Dictionary().Clear();
    ASSERT_TRUE(Resource::Load(SourcePath(L"dialogs/testdata/Language/Test.txt")));
    COptionsTestPage page;
    CPropertySheet sheet(L"Options");
    sheet.AddPage(page);
    EString told;
    RunModalSteps([&] { return sheet.DoModal(nullptr); },
                  {[&](HWND) {
                       if (!page.m_hWnd)
                           return false;
                       EXPECT_EQ(ItemText(page, IDC_NAME_LABEL), L"Hours:");
                       EXPECT_EQ(ItemText(page, IDC_PAGE_CHECK), L"Done");
                       EXPECT_EQ(ItemText(page, IDC_PAGE_HOURS), L"8");
                       EXPECT_EQ(::IsDlgButtonChecked(page, IDC_PAGE_CHECK), BST_CHECKED);
                       SetItemText(page, IDC_PAGE_HOURS, L"30"); // out of range: refused in words
                       ::CheckDlgButton(page, IDC_PAGE_CHECK, BST_UNCHECKED);
                       return true;
                   },
                   [&](HWND sheetWindow) {
                       ClickButton(sheetWindow, IDOK);
                       return true;
                   },
                   AnswerMessageBox(told, L"OptionsTestPageRefused"),
                   [&](HWND sheetWindow) {
                       if (FindThreadDialog() != sheetWindow || FocusedItemId(page) != IDC_PAGE_HOURS)
                           return false;
                       EXPECT_EQ(page.applied, 0);
                       EXPECT_EQ(ItemText(page, IDC_PAGE_HOURS), L"30");
                       SetItemText(page, IDC_PAGE_HOURS, L"9,5");
                       ClickButton(sheetWindow, IDOK);
                       return true;
                   }});
    EXPECT_EQ(told, L"The field \"Hours\" holds \"30\". It takes a number from 0.1 to 24. Nothing was saved: "
                    L"correct it and try again.");
    EXPECT_EQ(page.applied, 1);
    EXPECT_DOUBLE_EQ(page.hours, 9.5);
    EXPECT_EQ(page.flag, 0);
    Resource::Dictionary().Clear();
}
