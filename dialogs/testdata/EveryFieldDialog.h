// A test dialog with one field of every kind the dialog base exchanges.
#pragma once

#include "dialogs/ZemDialogImpl.h"
#include "foundation/ComError.h"
#include "dialogs/testdata/dialogs_tests_rc.h"

class CEveryFieldDialog : public CZemDialogImpl<CEveryFieldDialog> {
public:
    enum { IDD = IDD_EVERY_FIELD };
    EString GetDialogName() override { return L"EveryFieldDialog"; }

    BEGIN_MESSAGE_MAP(CEveryFieldDialog)
        ON_CONTROL_CODE(EN_CHANGE, OnChange)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CEveryFieldDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CEveryFieldDialog)
        DDX_TEXT_LEN(IDC_NAME, name, 20)
        DDX_INT_RANGE(IDC_DAYS, days, -10, 100)
        DDX_CHECK(IDC_DONE, done)
        DDX_DATE(IDC_DEADLINE, deadline)
        DDX_TIME_TEXT(IDC_START, start, true)
        DDX_DOUBLE_RANGE(IDC_HOURS, hours, 0, 24)
        DDX_COMBO_ITEM_DATA(IDC_KIND, kind)
        DDX_COMBO_INDEX(IDC_LEVEL, level)
        DDX_COLOUR(IDC_COLOUR, colour)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CEveryFieldDialog)
        RESIZE_CONTROL(IDC_NAME, ResizeSizeX)
        RESIZE_CONTROL(IDC_NOTES, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDOK, ResizeMoveX)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX)
    END_RESIZE_MAP()

    // The lists are filled before the base loads the fields into them.
    void OnInitDialog()
    {
        if (failToFill)
            ThrowComError(E_FAIL, L"The kinds could not be read.");
        const struct {
            const wchar_t* text;
            int data;
        } kinds[] = {{L"Task", 10}, {L"Call", 20}, {L"Mail", 30}};
        for (const auto& item : kinds) {
            const LRESULT index = ::SendDlgItemMessageW(m_hWnd, IDC_KIND, CB_ADDSTRING, 0,
                                                        reinterpret_cast<LPARAM>(item.text));
            ::SendDlgItemMessageW(m_hWnd, IDC_KIND, CB_SETITEMDATA, static_cast<WPARAM>(index), item.data);
        }
        for (const wchar_t* level : {L"Low", L"Middle", L"High"})
            ::SendDlgItemMessageW(m_hWnd, IDC_LEVEL, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(level));
    }
    // Setting a text raises EN_CHANGE inside the exchange.
    LRESULT OnChange(WORD, WORD, HWND, bool&)
    {
        if (exchangeOnChange)
            nestedResults.push_back(exchangeOnChange->DoDataExchange(true));
        return 0;
    }

    EString name;
    int days = 0;
    int done = 0;
    double deadline = 0;
    double start = 0;
    double hours = 0;
    int kind = 0;
    int level = -1;
    COLORREF colour = 0;

    bool failToFill = false;
    CEveryFieldDialog* exchangeOnChange = nullptr;
    std::vector<bool> nestedResults;
};
