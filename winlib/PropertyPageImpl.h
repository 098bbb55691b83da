// CPropertyPageImpl<T>: one page of a property sheet, from T's resource template (T::IDD), with T as its object.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "foundation/EString.h"
#include "foundation/ResourceModule.h"
#include "winlib/DialogImplRoot.h"

template <class T>
class CPropertyPageImpl : public CDialogImplRoot {
public:
    CPropertyPageImpl() : m_page(MakePropertyPage(GetResourceModule(), MAKEINTRESOURCEW(T::IDD))) {}

    // What the sheet builds the page from; valid as long as the page object.
    const PROPSHEETPAGEW& GetPage()
    {
        if (!m_title.empty()) {
            m_page.dwFlags |= PSP_USETITLE;
            m_page.pszTitle = m_title.c_str();
        }
        return m_page;
    }
    // The tab's text instead of the template's caption.
    void SetTitle(const EString& title) { m_title = title; }

    // Tells the sheet that the page holds changes (enables Apply).
    void SetModified(bool changed = true)
    {
        ::SendMessageW(GetParent(), changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
    }

    // Hooks T may hide. OnApply answers PSNRET_NOERROR or PSNRET_INVALID...;
    // OnKillActive answers true to keep the user on the page.
    int OnApply() { return PSNRET_NOERROR; }
    bool OnKillActive() { return false; }
    int OnSetActive() { return 0; }
    void OnReset() {}
    // Fills the page's controls when the sheet creates it.
    void OnInitDialog() {}

    BEGIN_MESSAGE_MAP(CPropertyPageImpl)
        ON_MESSAGE(WM_NOTIFY, OnSheetNotify)
    END_MESSAGE_MAP()

protected:
    void InitDialog() override { static_cast<T*>(this)->OnInitDialog(); }

private:
    LRESULT OnSheetNotify(UINT, WPARAM, LPARAM lParam, bool& handled)
    {
        const auto* header = reinterpret_cast<NMHDR*>(lParam);
        T* page = static_cast<T*>(this);
        if (header->hwndFrom == GetParent() && !InitFailed()) {
            switch (header->code) {
            case PSN_APPLY:
                return page->OnApply();
            case PSN_KILLACTIVE:
                return page->OnKillActive() ? TRUE : FALSE;
            case PSN_SETACTIVE:
                return page->OnSetActive();
            case PSN_RESET:
                page->OnReset();
                return 0;
            }
        }
        handled = false;
        return 0;
    }

    PROPSHEETPAGEW m_page;
    EString m_title;
};
