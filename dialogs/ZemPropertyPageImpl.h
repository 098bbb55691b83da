// CZemPropertyPageImpl<T>: the base of the options pages: translated texts, data exchange and resizing.
//
// T supplies IDD, its DDX map, resize map and OnApply, OnInitDialog when it
// prepares members or controls before they are loaded, and its own message
// map chaining to this one. The base owns WM_INITDIALOG: T's map never sees it.
#pragma once

#include <windows.h>

#include "dialogs/WinDataExchangeEx.h"
#include "foundation/Translator.h"
#include "winlib/DialogResize.h"
#include "winlib/PropertyPageImpl.h"

template <class T>
class CZemPropertyPageImpl : public CPropertyPageImpl<T>, public CDialogResize<T>, public CWinDataExchangeEx<T> {
public:
    // The defaults of a page without fields or anchors; T hides them.
    bool DoDataExchange(bool = false, int = -1) { return true; }
    BEGIN_RESIZE_MAP(CZemPropertyPageImpl)
    END_RESIZE_MAP()

    BEGIN_MESSAGE_MAP(CZemPropertyPageImpl)
        CHAIN_MESSAGE_MAP(CPropertyPageImpl<T>)
        CHAIN_MESSAGE_MAP(CDialogResize<T>)
    END_MESSAGE_MAP()

protected:
    void InitDialog() final
    {
        T* page = static_cast<T*>(this);
        page->OnInitDialog();
        Translator::TranslateWindow(this->m_hWnd);
        page->DoDataExchange(false);
        this->DlgResize_Init(true, true);
    }
};
