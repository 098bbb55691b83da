#include <gtest/gtest.h>

#include "testing/DialogDriver.h"
#include "testing/TestSupport.h"
#include "winlib/DialogImpl.h"
#include "winlib/testdata/winlib_tests_rc.h"

namespace {

constexpr UINT kAnswer = WM_USER + 5;

class CPlainDialog : public CDialogImpl<CPlainDialog> {
public:
    enum { IDD = IDD_EXCHANGE };

    BEGIN_MESSAGE_MAP(CPlainDialog)
        ON_MESSAGE(kAnswer, OnAnswer)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnCloseCommand)
        ON_COMMAND_CODE(IDCANCEL, BN_CLICKED, OnCloseCommand)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
    END_MESSAGE_MAP()

    void OnFinalMessage(HWND) override { ++finalMessages; }

    void OnInitDialog()
    {
        initParam = GetInitParam();
        SetDlgItemText(IDC_TEXT, L"loaded");
    }
    LRESULT OnAnswer(UINT, WPARAM wParam, LPARAM, bool&) { return static_cast<LRESULT>(wParam) * 2; }
    LRESULT OnCloseCommand(WORD, WORD id, HWND, bool&)
    {
        if (modeless)
            ShowWindow(SW_HIDE);
        else
            EndDialog(id == IDOK ? 77 : IDCANCEL);
        return 0;
    }
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
    {
        ++destroyed;
        handled = false;
        return 0;
    }

    LPARAM initParam = 0;
    bool modeless = false;
    int destroyed = 0;
    int finalMessages = 0;
};

class CMissingDialog : public CDialogImpl<CMissingDialog> {
public:
    enum { IDD = IDD_MISSING };
    BEGIN_MESSAGE_MAP(CMissingDialog)
    END_MESSAGE_MAP()
};

} // namespace

TEST(DialogImplTest, ModalDialogGetsItsParameterAndEndsWithItsResult)
{
    CPlainDialog dialog;
    EString seen;
    const INT_PTR result = RunModalSteps([&] { return dialog.DoModal(nullptr, 1234); },
                                         {[&](HWND hwnd) {
                                              seen = ItemText(hwnd, IDC_TEXT);
                                              EXPECT_EQ(::SendMessageW(hwnd, kAnswer, 21, 0), 42);
                                              ClickButton(hwnd, IDOK);
                                              return true;
                                          }});
    EXPECT_EQ(result, 77);
    EXPECT_EQ(dialog.initParam, 1234);
    EXPECT_EQ(seen, L"loaded");
    EXPECT_EQ(dialog.destroyed, 1);
    EXPECT_EQ(dialog.finalMessages, 1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);

    // The same object runs again.
    EXPECT_EQ(RunModalSteps([&] { return dialog.DoModal(nullptr); },
                            {[](HWND hwnd) {
                                PressKey(::GetDlgItem(hwnd, IDC_TEXT), VK_ESCAPE);
                                return true;
                            }}),
              IDCANCEL);
}

TEST(DialogImplTest, MissingTemplateFailsWithoutAWindow)
{
    CMissingDialog dialog;
    EXPECT_EQ(dialog.DoModal(nullptr), -1);
    EXPECT_EQ(dialog.Create(nullptr), nullptr);
}

TEST(DialogImplTest, ModelessDialogSurvivesItsButtonsAndGoesWithItsObject)
{
    HWND hwnd = nullptr;
    int destroyed = 0;
    {
        CPlainDialog dialog;
        dialog.modeless = true;
        hwnd = dialog.Create(nullptr, 99);
        ASSERT_TRUE(hwnd);
        EXPECT_EQ(dialog.initParam, 99);
        EXPECT_EQ(dialog.Create(nullptr), nullptr); // one window per object
        dialog.ShowWindow(SW_SHOW);
        ClickButton(hwnd, IDCANCEL);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(hwnd); }));
        EXPECT_TRUE(::IsWindow(hwnd));
        EXPECT_EQ(dialog.SendMessage(kAnswer, 4), 8);
        destroyed = dialog.destroyed;
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(destroyed, 0);
}
