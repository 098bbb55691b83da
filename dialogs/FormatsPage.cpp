#include "dialogs/FormatsPage.h"

#include "foundation/Options.h"

void CFormatsPage::OnInitDialog()
{
    const DWORD week = Options::GetStartOfWeek();
    ::CheckRadioButton(m_hWnd, IDC_FORMAT_WEEK_SYSTEM, IDC_FORMAT_WEEK_MONDAY,
                     week == 0 ? IDC_FORMAT_WEEK_SYSTEM : week == 1 ? IDC_FORMAT_WEEK_SUNDAY : IDC_FORMAT_WEEK_MONDAY);
    ::CheckRadioButton(m_hWnd, IDC_FORMAT_DATE_LONG, IDC_FORMAT_DATE_SHORT,
                     Options::GetIsLongDateFormat() ? IDC_FORMAT_DATE_LONG : IDC_FORMAT_DATE_SHORT);
    // 1 is the 24-hour clock; any other value above it the 12-hour one.
    const DWORD time = Options::GetTimeFormat();
    ::CheckRadioButton(m_hWnd, IDC_FORMAT_TIME_SYSTEM, IDC_FORMAT_TIME_24,
                     time == 0 ? IDC_FORMAT_TIME_SYSTEM : time == 1 ? IDC_FORMAT_TIME_24 : IDC_FORMAT_TIME_AMPM);
    ::CheckRadioButton(m_hWnd, IDC_FORMAT_HOLIDAYS_SAT_SUN, IDC_FORMAT_HOLIDAYS_NONE,
                     Options::GetIsAutoSatSun() ? IDC_FORMAT_HOLIDAYS_SAT_SUN : IDC_FORMAT_HOLIDAYS_NONE);
}

bool CFormatsPage::IsChecked(int id) const
{
    return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

LRESULT CFormatsPage::OnChange(WORD code, WORD, HWND, bool&)
{
    if (code == BN_CLICKED)
        MarkChanged();
    return 0;
}

int CFormatsPage::OnApply()
{
    Options::SetIsLongDateFormat(IsChecked(IDC_FORMAT_DATE_LONG) ? 1 : 0);
    Options::SetTimeFormat(IsChecked(IDC_FORMAT_TIME_AMPM) ? 2 : IsChecked(IDC_FORMAT_TIME_24) ? 1 : 0);
    Options::SetIsAutoSatSun(IsChecked(IDC_FORMAT_HOLIDAYS_SAT_SUN) ? 1 : 0);
    Options::SetStartOfWeek(IsChecked(IDC_FORMAT_WEEK_SUNDAY) ? 1 : IsChecked(IDC_FORMAT_WEEK_MONDAY) ? 2 : 0);
    return PSNRET_NOERROR;
}
