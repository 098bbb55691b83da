#include <gtest/gtest.h>

#include "testing/DialogDriver.h"
#include "winlib/DataExchange.h"
#include "winlib/DialogImpl.h"
#include "winlib/testdata/winlib_tests_rc.h"

namespace {

class CExchangeDialog : public CDialogImpl<CExchangeDialog>, public CWinDataExchange<CExchangeDialog> {
public:
    enum { IDD = IDD_EXCHANGE };

    BEGIN_MESSAGE_MAP(CExchangeDialog)
        ON_CONTROL_CODE(EN_CHANGE, OnChange)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CExchangeDialog)
        DDX_TEXT(IDC_TEXT, text)
        DDX_INT_RANGE(IDC_NUMBER, number, -10, 100)
        DDX_CHECK(IDC_CHECK, check)
        DDX_COMBO_INDEX(IDC_CHOICE, choice)
        DDX_UINT(IDC_COUNT, count)
        DDX_TEXT_LEN(IDC_SHORT_TEXT, shortText, 3)
    END_DDX_MAP()

    void OnDataExchangeError(int id, bool save)
    {
        failures.push_back(id);
        CWinDataExchange::OnDataExchangeError(id, save);
    }
    void OnDataValidateError(int id, bool save)
    {
        invalid.push_back(id);
        CWinDataExchange::OnDataValidateError(id, save);
    }

    void OnInitDialog()
    {
        for (const wchar_t* item : {L"zero", L"one", L"two"})
            SendDlgItemMessageW(m_hWnd, IDC_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    // Setting a text raises EN_CHANGE while the exchange runs.
    LRESULT OnChange(WORD, WORD, HWND, bool&)
    {
        if (tryNestedExchange)
            nestedResults.push_back(DoDataExchange(true));
        return 0;
    }

    EString text = L"initial";
    int number = 5;
    int check = 1;
    int choice = 2;
    unsigned count = 7;
    EString shortText = L"abc";
    std::vector<int> failures;
    std::vector<int> invalid;
    bool tryNestedExchange = false;
    std::vector<bool> nestedResults;
};

// The same template, its box exchanged with a two-state member.
class CFlagDialog : public CDialogImpl<CFlagDialog>, public CWinDataExchange<CFlagDialog> {
public:
    enum { IDD = IDD_EXCHANGE };

    BEGIN_MESSAGE_MAP(CFlagDialog)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CFlagDialog)
        DDX_CHECK(IDC_CHECK, flag)
    END_DDX_MAP()

    bool flag = false;
};

struct OpenDialog {
    OpenDialog() { dialog.Create(nullptr); }
    CExchangeDialog dialog;
};

} // namespace

TEST(DataExchangeTest, ParseWholeNumberReadsOnlyWholeNumbers)
{
    struct Case {
        const wchar_t* text;
        bool allowSign;
        bool ok;
        long long value;
    } cases[] = {
        {L"42", true, true, 42},        {L"  -7 ", true, true, -7},      {L"+3", true, true, 3},
        {L"-7", false, false, 0},       {L"", true, false, 0},           {L"  ", true, false, 0},
        {L"-", true, false, 0},         {L"12a", true, false, 0},        {L"1 2", true, false, 0},
        {L"0x10", true, false, 0},      {L"4294967295", false, true, 4294967295LL},
        {L"99999999999999999999", true, false, 0},
    };
    for (const Case& c : cases) {
        long long value = 0;
        EXPECT_EQ(ParseWholeNumber(c.text, c.allowSign, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(DataExchangeTest, LoadsEveryKindOfFieldIntoItsControl)
{
    OpenDialog open;
    CExchangeDialog& d = open.dialog;
    ASSERT_TRUE(d.m_hWnd);
    d.number = -3;
    d.count = 4000000000u;
    EXPECT_TRUE(d.DoDataExchange(false));
    EXPECT_EQ(ItemText(d, IDC_TEXT), L"initial");
    EXPECT_EQ(ItemText(d, IDC_NUMBER), L"-3");
    EXPECT_EQ(ItemText(d, IDC_COUNT), L"4000000000");
    EXPECT_EQ(::IsDlgButtonChecked(d, IDC_CHECK), BST_CHECKED);
    EXPECT_EQ(::SendDlgItemMessageW(d, IDC_CHOICE, CB_GETCURSEL, 0, 0), 2);

    // A check value outside 0..2 shows unchecked; 2 is the third state.
    for (const auto& [value, shown] : {std::pair{2, BST_INDETERMINATE}, {3, BST_UNCHECKED}, {-1, BST_UNCHECKED}}) {
        d.check = value;
        EXPECT_TRUE(d.DoDataExchange(false, IDC_CHECK));
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_CHECK), static_cast<UINT>(shown)) << value;
    }
}

TEST(DataExchangeTest, ATwoStateMemberShowsItsBoxAndReadsAnyMarkAsChecked)
{
    CFlagDialog d;
    ASSERT_TRUE(d.Create(nullptr));
    for (const bool flag : {true, false}) {
        d.flag = flag;
        EXPECT_TRUE(d.DoDataExchange(false));
        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_CHECK), flag ? BST_CHECKED : BST_UNCHECKED) << flag;
    }
    for (const auto& [shown, saved] :
         {std::pair{BST_CHECKED, true}, {BST_UNCHECKED, false}, {BST_INDETERMINATE, true}}) {
        d.flag = !saved;
        ::CheckDlgButton(d, IDC_CHECK, shown);
        EXPECT_TRUE(d.DoDataExchange(true));
        EXPECT_EQ(d.flag, saved) << shown;
    }
    d.DestroyWindow();
}

TEST(DataExchangeTest, SavingStopsAtTheFirstBadFieldAndKeepsItsMember)
{
    struct Case {
        const wchar_t* number;
        const wchar_t* count;
        const wchar_t* shortText;
        bool ok;
        int failedId;     // through the exchange-error hook
        int invalidId;    // through the validation-error hook
        int number_;      // members afterwards
        unsigned count_;
        const wchar_t* shortText_;
    } cases[] = {
        {L"12", L"3", L"xyz", true, 0, 0, 12, 3, L"xyz"},
        {L"abc", L"3", L"xyz", false, IDC_NUMBER, 0, 5, 7, L"abc"},
        {L"101", L"3", L"xyz", false, 0, IDC_NUMBER, 5, 7, L"abc"},
        {L"-10", L"-1", L"xyz", false, IDC_COUNT, 0, -10, 7, L"abc"},
        {L"100", L"3", L"long", false, 0, IDC_SHORT_TEXT, 100, 3, L"abc"},
    };
    for (const Case& c : cases) {
        OpenDialog open;
        CExchangeDialog& d = open.dialog;
        ASSERT_TRUE(d.m_hWnd);
        d.ShowWindow(SW_SHOW);
        ASSERT_TRUE(d.DoDataExchange(false));
        SetItemText(d, IDC_TEXT, L"typed");
        SetItemText(d, IDC_NUMBER, c.number);
        SetItemText(d, IDC_COUNT, c.count);
        SetItemText(d, IDC_SHORT_TEXT, c.shortText);
        ::CheckDlgButton(d, IDC_CHECK, BST_UNCHECKED);

        EXPECT_EQ(d.DoDataExchange(true), c.ok) << c.number;
        EXPECT_EQ(d.text, L"typed");
        EXPECT_EQ(d.number, c.number_) << c.number;
        EXPECT_EQ(d.count, c.count_) << c.number;
        EXPECT_EQ(d.shortText, c.shortText_) << c.number;
        EXPECT_EQ(d.failures, c.failedId ? std::vector<int>{c.failedId} : std::vector<int>{}) << c.number;
        EXPECT_EQ(d.invalid, c.invalidId ? std::vector<int>{c.invalidId} : std::vector<int>{}) << c.number;
        // The entries after a failing one are not saved.
        EXPECT_EQ(d.check, c.ok || c.failedId == IDC_COUNT || c.invalidId == IDC_SHORT_TEXT ? 0 : 1) << c.number;
        const int blamed = c.failedId ? c.failedId : c.invalidId;
        if (blamed) {
            EXPECT_EQ(FocusedItemId(d), blamed) << c.number;
        }
    }
}

TEST(DataExchangeTest, OneEntryAloneAndNoExchangeInsideAnother)
{
    OpenDialog open;
    CExchangeDialog& d = open.dialog;
    ASSERT_TRUE(d.m_hWnd);
    SetItemText(d, IDC_TEXT, L"only this");
    SetItemText(d, IDC_NUMBER, L"not a number");
    EXPECT_TRUE(d.DoDataExchange(true, IDC_TEXT));
    EXPECT_EQ(d.text, L"only this");
    EXPECT_EQ(d.number, 5);

    d.tryNestedExchange = true;
    d.text = L"changed";
    EXPECT_TRUE(d.DoDataExchange(false, IDC_TEXT));
    EXPECT_EQ(d.nestedResults, std::vector<bool>{false});
    EXPECT_EQ(d.text, L"changed");
    // Once the outer exchange has ended, the next one runs.
    d.tryNestedExchange = false;
    EXPECT_TRUE(d.DoDataExchange(true, IDC_TEXT));
}
