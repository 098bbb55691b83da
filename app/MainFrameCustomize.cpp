// The main frame's customize commands: one dialog over each kind of the user's files.
#include "app/MainFrame.h"

#include "reports/CustomizeKindDialogs.h"

namespace {

// The dialog makes its changes on the spot: how it ends does not matter.
template <class Dialog>
void RunCustomizeDialog(HWND owner)
{
    Dialog dialog;
    dialog.DoModal(owner);
}

} // namespace

LRESULT CMainFrame::OnCustomizeReports(WORD, WORD, HWND, bool&)
{
    RunCustomizeDialog<CCustomizeReportsDialog>(m_hWnd);
    return 0;
}

LRESULT CMainFrame::OnCustomizeTemplates(WORD, WORD, HWND, bool&)
{
    RunCustomizeDialog<CCustomizeTemplatesDialog>(m_hWnd);
    return 0;
}

LRESULT CMainFrame::OnCustomizeExports(WORD, WORD, HWND, bool&)
{
    RunCustomizeDialog<CCustomizeExportDialog>(m_hWnd);
    return 0;
}

LRESULT CMainFrame::OnCustomizeImports(WORD, WORD, HWND, bool&)
{
    RunCustomizeDialog<CCustomizeImportDialog>(m_hWnd);
    return 0;
}
