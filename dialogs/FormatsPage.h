// CFormatsPage: the Format page of the options sheet: the first day of the week, date and time forms, weekly days off.
#pragma once

#include "dialogs/OptionsPageIds.h"
#include "dialogs/ZemPropertyPageImpl.h"

// Radio buttons only: they are set from the settings and read back on apply.
class CFormatsPage : public CZemPropertyPageImpl<CFormatsPage> {
public:
    enum { IDD = IDD_OPTIONS_FORMAT };

    BEGIN_MESSAGE_MAP(CFormatsPage)
        ON_COMMAND_RANGE(IDC_FORMAT_DATE_LONG, IDC_FORMAT_WEEK_MONDAY, OnChange)
        ON_COMMAND(IDC_FORMAT_HOLIDAYS_SAT_SUN, OnChange)
        ON_COMMAND(IDC_FORMAT_HOLIDAYS_NONE, OnChange)
        CHAIN_MESSAGE_MAP(CZemPropertyPageImpl<CFormatsPage>)
    END_MESSAGE_MAP()

    void OnInitDialog();
    int OnApply();

private:
    LRESULT OnChange(WORD code, WORD, HWND, bool&);
    bool IsChecked(int id) const;
};
