// CZemPropertyPageImpl<T>: the base of the options pages: translated texts, data exchange and resizing.
//
// T supplies IDD, its DDX map, resize map and OnApply, and its own message
// map chaining to this one; T's WM_INITDIALOG handler clears `handled` so the
// base's initialisation runs after it.
#pragma once

#include <windows.h>

#include "dialogs/WinDataExchangeEx.h"
#include "foundation/Translator.h"
#include "winlib/DialogResize.h"
#include "winlib/PropertyPageImpl.h"

template <class T>
class CZemPropertyPageImpl : public CPropertyPageImpl<T>, public CDialogResize<T>, public CWinDataExchangeEx<T> {
public:
    bool DoDataExchange(bool = false, int = -1) { return true; }
    BEGIN_RESIZE_MAP(CZemPropertyPageImpl)
    END_RESIZE_MAP()

    BEGIN_MESSAGE_MAP(CZemPropertyPageImpl)
        ON_MESSAGE(WM_INITDIALOG, OnInitDialog)
        CHAIN_MESSAGE_MAP(CPropertyPageImpl<T>)
        CHAIN_MESSAGE_MAP(CDialogResize<T>)
    END_MESSAGE_MAP()

protected:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, bool&)
    {
        Translator::TranslateWindow(this->m_hWnd);
        static_cast<T*>(this)->DoDataExchange(false);
        this->DlgResize_Init(true, true);
        return TRUE;
    }
};
