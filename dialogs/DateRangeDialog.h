// CDateRangeDialog: a period from one date to another, for a report.
#pragma once

#include "dialogs/SmallDialogIds.h"
#include "dialogs/ZemDialogImpl.h"

class CDateRangeDialog : public CZemDialogImpl<CDateRangeDialog> {
public:
    enum { IDD = IDD_DATE_RANGE };

    CDateRangeDialog();

    EString GetDialogName() override { return L"DateRange"; }

    BEGIN_MESSAGE_MAP(CDateRangeDialog)
        ON_COMMAND(IDOK, OnOrderDates)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CDateRangeDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CDateRangeDialog)
        DDX_DATE(IDC_DATE_RANGE_FROM, from)
        DDX_DATE(IDC_DATE_RANGE_TO, to)
    END_DDX_MAP()

    // After OK, from is never later than to.
    double from;
    double to;

private:
    LRESULT OnOrderDates(WORD, WORD, HWND, bool& handled);
};
