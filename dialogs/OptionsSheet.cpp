#include "dialogs/OptionsSheet.h"

#include "dialogs/TranslatedOrKey.h"

COptionsSheet::COptionsSheet() : m_sheet(TranslatedOrKey(L"OPTIONS_TITLE"), GeneralPage)
{
    // The tabs are made from the titles before any page translates itself.
    m_general.SetTitle(TranslatedOrKey(L"General"));
    m_format.SetTitle(TranslatedOrKey(L"Format"));
    m_plan.SetTitle(TranslatedOrKey(L"Plan"));
    m_templates.SetTitle(TranslatedOrKey(L"Templates"));
    m_sheet.AddPage(m_general);
    m_sheet.AddPage(m_format);
    m_sheet.AddPage(m_plan);
    m_sheet.AddPage(m_templates);
}

INT_PTR COptionsSheet::DoModal(HWND owner)
{
    return m_sheet.DoModal(owner);
}
