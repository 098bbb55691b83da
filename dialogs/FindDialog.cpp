#include "dialogs/FindDialog.h"

#include "document/PelquornDoc.h"
#include "foundation/AppWindow.h"

void CFindDialog::ShowFor(CPelquornDoc& document)
{
    SetDocument(&document);
    if (!m_hWnd && !Create(GetMainWindow()))
        return;
    ShowWindow(SW_SHOW);
    ::SetFocus(m_hWnd);
}

// The controls are not loaded yet: the member tells whether there is a text.
// The box takes no more than a search may hold.
void CFindDialog::OnInitDialog()
{
    ::SendDlgItemMessageW(m_hWnd, IDC_FIND_TEXT, EM_SETLIMITTEXT, kMaxText, 0);
    ::EnableWindow(GetDlgItem(IDC_FIND_NEXT), !searchText.IsEmpty());
}

FindOptions CFindDialog::GetOptions() const
{
    FindOptions options;
    options.matchCase = matchCase != 0;
    options.wholeWord = wholeWord != 0;
    options.regularExpression = regularExpression != 0;
    options.up = searchDown == 0;
    return options;
}

LRESULT CFindDialog::OnFindNext(WORD, WORD, HWND, bool&)
{
    DoDataExchange(true);
    // Enter in an empty box arrives here too; there is nothing to look for.
    if (m_document && !searchText.IsEmpty())
        m_document->Find(searchText, GetOptions());
    return 0;
}

LRESULT CFindDialog::OnTextChanged(WORD, WORD, HWND, bool&)
{
    DoDataExchange(true);
    EnableFindNext();
    return 0;
}

void CFindDialog::EnableFindNext()
{
    ::EnableWindow(GetDlgItem(IDC_FIND_NEXT), !searchText.IsEmpty());
}
