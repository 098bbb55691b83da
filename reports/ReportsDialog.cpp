#include "reports/ReportsDialog.h"

#include <optional>

#include "dialogs/DateRangeDialog.h"
#include "dialogs/TranslatedOrKey.h"
#include "foundation/BoolSwitch.h"
#include "document/PelquornDoc.h"
#include "views/common/BrowseForCategoryDialog.h"
#include "winlib/FileDialog.h"

CReportsDialog::CReportsDialog(std::vector<EString> names, std::vector<Feature> features, CPelquornDoc* document,
                               std::vector<ReportPeriod>& storedPeriods)
    : CTemplatesDialogBase<CReportsDialog>(std::move(names)), m_features(std::move(features)), m_document(document),
      m_periods(storedPeriods)
{
}

void CReportsDialog::OnInitDialog()
{
    FillPeriods();
    SetCategory(categoryId);
    // Nothing is selected yet: neither group applies.
    EnableGroups(Feature(0), false);
    CTemplatesDialogBase<CReportsDialog>::OnInitDialog();
}

void CReportsDialog::FillPeriods()
{
    BoolSwitch filling(m_fillingPeriods);
    const HWND combo = GetDlgItem(IDC_REPORT_PERIOD);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const EString& text : m_periods.GetTexts())
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(m_periodIndex), 0);
}

void CReportsDialog::SetCategory(int id)
{
    categoryId = id;
    m_categoryName.clear();
    Category category;
    if (m_document && id != 0 && m_document->GetCategory(id, category))
        m_categoryName = category.GetName();
    ::SetDlgItemTextW(m_hWnd, IDC_REPORT_CATEGORY, m_categoryName.c_str());
}

void CReportsDialog::EnableGroups(const Feature& feature, bool selected)
{
    const bool category = selected && feature.UsesCategory();
    for (const int id : {IDC_REPORT_CATEGORY_LABEL, IDC_REPORT_CATEGORY_BROWSE, IDC_REPORT_CATEGORY})
        ::EnableWindow(GetDlgItem(id), category);
    const bool period = selected && feature.UsesPeriod();
    for (const int id : {IDC_REPORT_PERIOD_LABEL, IDC_REPORT_PERIOD})
        ::EnableWindow(GetDlgItem(id), period);
}

void CReportsDialog::UpdateOkButton()
{
    const bool hasOutput = ::GetWindowTextLengthW(GetDlgItem(IDC_REPORT_OUTPUT)) > 0;
    ::EnableWindow(GetDlgItem(IDOK), hasOutput && GetSelectedRow() >= 0);
}

LRESULT CReportsDialog::OnReportSelected(int, NMHDR* header, bool& handled)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) {
        if (change->uNewState & LVIS_SELECTED) {
            const int index = static_cast<int>(change->lParam);
            // A row without a feature record is taken to use both.
            const bool known = index >= 0 && static_cast<size_t>(index) < m_features.size();
            EnableGroups(known ? m_features[static_cast<size_t>(index)] : Feature(1, 1, 0), true);
        } else {
            EnableGroups(Feature(0), false);
        }
    }
    // The base keeps the selected row and the OK button.
    handled = false;
    return 0;
}

LRESULT CReportsDialog::OnPeriodChosen(WORD, WORD, HWND, bool&)
{
    if (m_fillingPeriods)
        return 0;
    const HWND combo = GetDlgItem(IDC_REPORT_PERIOD);
    const int index = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    m_periodIndex = index;
    if (index != m_periods.GetCustomIndex())
        return 0;
    CDateRangeDialog range;
    range.m_restoreRect = false;
    if (range.DoModal(m_hWnd) != IDOK)
        return 0; // "CustomWeek" stays chosen, which means this week.
    const size_t before = m_periods.GetStoredCount();
    const int chosen = m_periods.Add(range.from, range.to);
    BoolSwitch filling(m_fillingPeriods);
    if (m_periods.GetStoredCount() != before) {
        const EString text = ReportPeriodList::FormatPeriod(m_periods.GetRange(0));
        ::SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    m_periodIndex = chosen;
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    return 0;
}

LRESULT CReportsDialog::OnBrowseCategory(WORD, WORD, HWND, bool&)
{
    std::optional<int> chosen;
    if (BrowseForCategory(m_hWnd, m_document, categoryId, chosen))
        SetCategory(chosen.value_or(0));
    return 0;
}

LRESULT CReportsDialog::OnBrowseOutput(WORD, WORD, HWND, bool&)
{
    EString filter = TranslatedOrKey(L"HtmlFiles");
    filter += L'\0';
    filter += L"*.htm;*.html";
    filter += L'\0';
    filter += TranslatedOrKey(L"AllFiles");
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';
    const EString current = GetDlgItemText(IDC_REPORT_OUTPUT);
    CFileDialog dialog(false, L"htm", current.c_str(), OFN_OVERWRITEPROMPT | OFN_ENABLESIZING, filter);
    if (dialog.DoModal(m_hWnd) != IDOK)
        return 0;
    ::SetDlgItemTextW(m_hWnd, IDC_REPORT_OUTPUT, dialog.GetPathName().c_str());
    UpdateOkButton();
    return 0;
}

LRESULT CReportsDialog::OnOutputChanged(WORD, WORD, HWND, bool&)
{
    UpdateOkButton();
    return 0;
}

// The chosen period is taken and kept only once the fields are saved.
LRESULT CReportsDialog::OnCommitPeriod(WORD, WORD, HWND, bool& handled)
{
    if (!this->ReadFieldsForOk())
        return 0;
    period = m_periods.GetRange(m_periodIndex);
    m_periods.Commit();
    handled = false;
    return 0;
}
