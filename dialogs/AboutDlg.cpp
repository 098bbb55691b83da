#include "dialogs/AboutDlg.h"

#include "foundation/EString.h"
#include "foundation/ResourceModule.h"
#include "resources/IconIds.h"
#include "resources/Version.h"

void CAboutDlg::OnInitDialog()
{
    wchar_t name[64] = {};
    ::GetDlgItemTextW(m_hWnd, IDC_ABOUT_VERSION, name, 64);
    const EString text = EString(name) + L"" QUORVANE_VERSION_SHORT;
    ::SetDlgItemTextW(m_hWnd, IDC_ABOUT_VERSION, text.c_str());
    if (const HICON icon = LoadAppIcon(IDI_QUORVANE))
        ::SendDlgItemMessageW(m_hWnd, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

LRESULT CAboutDlg::OnEnd(WORD, WORD id, HWND, bool&)
{
    EndDialog(id);
    return 0;
}
