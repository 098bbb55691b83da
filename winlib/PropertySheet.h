// CPropertySheet: a modal property sheet over page objects that outlive it.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <vector>

#include "foundation/EString.h"

class CPropertySheet {
public:
    explicit CPropertySheet(const EString& title = EString(), UINT startPage = 0)
        : m_title(title), m_startPage(startPage)
    {
    }
    virtual ~CPropertySheet() = default;

    template <class Page>
    void AddPage(Page& page)
    {
        m_pages.push_back(page.GetPage());
    }
    void SetTitle(const EString& title) { m_title = title; }
    void SetStartPage(UINT index) { m_startPage = index; }

    // Runs the sheet; positive when a page applied changes, 0 when it was
    // cancelled, -1 when it could not be shown. No help buttons.
    INT_PTR DoModal(HWND parent);

private:
    EString m_title;
    UINT m_startPage;
    std::vector<PROPSHEETPAGEW> m_pages;
};
