// CAboutDlg: the program's name, version and icon; its texts are not translated.
#pragma once

#include "dialogs/TipDialogIds.h"
#include "winlib/DialogImpl.h"
#include "foundation/MessageMap.h"

class CAboutDlg : public CDialogImpl<CAboutDlg> {
public:
    enum { IDD = IDD_ABOUT };

    // The version goes after the "v" of the name line.
    void OnInitDialog();

    BEGIN_MESSAGE_MAP(CAboutDlg)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnEnd)
        ON_COMMAND_CODE(IDCANCEL, BN_CLICKED, OnEnd)
    END_MESSAGE_MAP()

private:
    LRESULT OnEnd(WORD, WORD id, HWND, bool&);
};
