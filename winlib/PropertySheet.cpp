#include "winlib/PropertySheet.h"

#include "foundation/ModalScope.h"
#include "foundation/ResourceModule.h"

INT_PTR CPropertySheet::DoModal(HWND parent)
{
    if (m_pages.empty())
        return -1;
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
    header.hwndParent = parent;
    header.hInstance = GetResourceModule();
    header.pszCaption = m_title.c_str();
    header.nPages = static_cast<UINT>(m_pages.size());
    header.nStartPage = m_startPage < m_pages.size() ? m_startPage : 0;
    header.ppsp = m_pages.data();
    const ModalScope modal;
    return ::PropertySheetW(&header);
}
