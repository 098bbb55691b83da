// CZemPropertyPageImpl<T>: the base of the options pages: translated texts, data exchange and resizing.
//
// T supplies IDD, its DDX map, resize map and OnApply, OnInitDialog when it
// prepares members or controls before they are loaded, and its own message
// map chaining to this one. The base owns WM_INITDIALOG: T's map never sees it.
// Setting a control's text raises the same notifications as typing: T marks
// itself changed through MarkChanged and reloads through LoadControls, so
// only the user's edits enable Apply.
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
    // Tells the sheet of a change the user made; none while the page fills its controls.
    void MarkChanged()
    {
        if (!m_filling)
            this->SetModified(true);
    }
    // While one lives, the controls' notifications are the page's own doing.
    class Filling {
    public:
        explicit Filling(CZemPropertyPageImpl& page) : m_page(page), m_wasFilling(page.m_filling) { page.m_filling = 1; }
        Filling(const Filling&) = delete;
        Filling& operator=(const Filling&) = delete;
        ~Filling() { m_page.m_filling = m_wasFilling; }

    private:
        CZemPropertyPageImpl& m_page;
        int m_wasFilling;
    };
    // Members to controls (all, or the one control `only`).
    void LoadControls(int only = -1)
    {
        Filling filling(*this);
        static_cast<T*>(this)->DoDataExchange(false, only);
    }

    void InitDialog() final
    {
        Filling filling(*this);
        T* page = static_cast<T*>(this);
        page->OnInitDialog();
        Translator::TranslateWindow(this->m_hWnd);
        page->DoDataExchange(false);
        this->DlgResize_Init(true, true);
    }

private:
    int m_filling = 0;
};
