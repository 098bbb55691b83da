#include "dialogs/TipDialog.h"

#include "dialogs/TipReader.h"
#include "foundation/Options.h"

CTipDialog::CTipDialog() : showAtStartup(Options::GetShowTipOnSturtup() != 0 ? 1 : 0), tipsPath(TipReader::LanguageTipsPath())
{
}

void CTipDialog::OnInitDialog()
{
    const HWND placeholder = GetDlgItem(IDC_TIP_PANE);
    if (!placeholder)
        return;
    RECT rect = {};
    ::GetWindowRect(placeholder, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    ::DestroyWindow(placeholder);
    // The pane takes the placeholder's id, so the resize map moves it.
    m_pane.Create(CreateArgs{.parent = m_hWnd,
                             .style = WS_CHILD | WS_VISIBLE,
                             .exStyle = WS_EX_CLIENTEDGE,
                             .rect = rect,
                             .id = IDC_TIP_PANE});
    m_pane.SetText(TipReader(tipsPath).GetNextTip());
}

LRESULT CTipDialog::OnNext(WORD, WORD, HWND, bool&)
{
    m_pane.SetText(TipReader(tipsPath).GetNextTip());
    return 0;
}

// Escape and the close box end the dialog without this: only Close stores the box.
LRESULT CTipDialog::OnClose(WORD, WORD, HWND, bool& handled)
{
    DoDataExchange(true);
    Options::SetShowTipOnSturtup(showAtStartup != 0 ? 1 : 0);
    handled = false;
    return 0;
}

void ShowTipOfTheDay()
{
    CTipDialog dialog;
    dialog.m_restoreRect = false;
    dialog.DoModal();
}
