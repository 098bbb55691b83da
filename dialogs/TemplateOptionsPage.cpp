#include "dialogs/TemplateOptionsPage.h"

#include "dialogs/ChooseFileToOpen.h"
#include "foundation/Options.h"

namespace {

const wchar_t kProgramFilter[] = L"Executable Files (*.exe)\0*.exe\0All Files (*.*)\0*.*\0";

} // namespace

void CTemplateOptionsPage::OnInitDialog()
{
    reportEditor = Options::GetReportEditor();
    scriptEditor = Options::GetScriptEditor();
}

LRESULT CTemplateOptionsPage::OnBrowse(WORD, WORD id, HWND, bool&)
{
    const EString path = ChooseFileToOpen(EString(kProgramFilter, std::size(kProgramFilter) - 1), m_hWnd);
    if (path.IsEmpty())
        return 0;
    // Only the field of that button: what was typed in the other stays.
    const int field = id == IDC_TEMPLATES_REPORT_BROWSE ? IDC_TEMPLATES_REPORT_EDITOR : IDC_TEMPLATES_SCRIPT_EDITOR;
    (field == IDC_TEMPLATES_REPORT_EDITOR ? reportEditor : scriptEditor) = path;
    DoDataExchange(false, field);
    return 0;
}

LRESULT CTemplateOptionsPage::OnChange(WORD, WORD, HWND, bool&)
{
    MarkChanged();
    return 0;
}

int CTemplateOptionsPage::OnApply()
{
    if (!ReadFieldsForOk())
        return PSNRET_INVALID;
    Options::SetReportEditor(reportEditor);
    Options::SetScriptEditor(scriptEditor);
    return PSNRET_NOERROR;
}
