#include <gtest/gtest.h>

#include "testing/DialogDriver.h"
#include "winlib/PropertyPageImpl.h"
#include "winlib/PropertySheet.h"
#include "winlib/testdata/winlib_tests_rc.h"

namespace {

template <int Template>
class CTestPage : public CPropertyPageImpl<CTestPage<Template>> {
public:
    enum { IDD = Template };

    BEGIN_MESSAGE_MAP(CTestPage)
        CHAIN_MESSAGE_MAP(CPropertyPageImpl<CTestPage>)
    END_MESSAGE_MAP()

    void OnInitDialog()
    {
        ++initialised;
    }
    int OnApply()
    {
        ++applied;
        return refuse ? PSNRET_INVALID_NOCHANGEPAGE : PSNRET_NOERROR;
    }
    void OnReset() { ++reset; }

    int initialised = 0;
    int applied = 0;
    int reset = 0;
    bool refuse = false;
};

using CPageOne = CTestPage<IDD_PAGE_ONE>;
using CPageTwo = CTestPage<IDD_PAGE_TWO>;

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

} // namespace

TEST(PropertySheetTest, OkAppliesEveryPageThatWasShown)
{
    CPageOne one;
    CPageTwo two;
    one.SetTitle(L"First tab");
    CPropertySheet sheet(L"Sheet");
    sheet.AddPage(one);
    sheet.AddPage(two);
    EString caption;
    RunModalSteps([&] { return sheet.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                       caption = CWindow(hwnd).GetWindowText();
                       EXPECT_EQ(CurrentPage(hwnd), one.m_hWnd);
                       EXPECT_EQ(two.m_hWnd, nullptr); // not shown yet
                       ::SendMessageW(hwnd, PSM_SETCURSEL, 1, 0);
                       return true;
                   },
                   [&](HWND hwnd) {
                       if (CurrentPage(hwnd) != two.m_hWnd)
                           return false;
                       two.SetModified();
                       ClickButton(hwnd, IDOK);
                       return true;
                   }});
    EXPECT_NE(caption.find(L"Sheet"), EString::npos);
    EXPECT_EQ(one.initialised, 1);
    EXPECT_EQ(two.initialised, 1);
    EXPECT_EQ(one.applied, 1);
    EXPECT_EQ(two.applied, 1);
    EXPECT_EQ(one.m_hWnd, nullptr);
}

TEST(PropertySheetTest, CancelAppliesNothingAndARefusingPageKeepsTheSheetOpen)
{
    CPageOne one;
    CPageTwo two;
    CPropertySheet sheet(L"Sheet", 1);
    sheet.AddPage(one);
    sheet.AddPage(two);
    two.refuse = true;
    RunModalSteps([&] { return sheet.DoModal(nullptr); },
                  {[&](HWND hwnd) {
                       EXPECT_EQ(CurrentPage(hwnd), two.m_hWnd); // the start page
                       ClickButton(hwnd, IDOK);
                       return true;
                   },
                   [&](HWND hwnd) {
                       if (two.applied == 0)
                           return false;
                       EXPECT_TRUE(::IsWindow(hwnd));
                       ClickButton(hwnd, IDCANCEL);
                       return true;
                   }});
    EXPECT_EQ(one.initialised, 0);
    EXPECT_EQ(two.applied, 1);
    EXPECT_GE(two.reset, 1);
}
