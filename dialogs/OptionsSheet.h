// COptionsSheet: the modal options sheet with its General, Format, Plan and Templates pages.
#pragma once

#include <windows.h>

#include "dialogs/FormatsPage.h"
#include "dialogs/OptionsPage.h"
#include "dialogs/PlanOptionsPage.h"
#include "dialogs/TemplateOptionsPage.h"
#include "winlib/PropertySheet.h"

// Each page reads its settings when first shown and writes them all on OK or
// Apply; pages never shown write nothing. A page whose fields cannot be read
// keeps the sheet open on itself.
class COptionsSheet {
public:
    enum PageIndex : UINT { GeneralPage, FormatPage, PlanPage, TemplatesPage };

    COptionsSheet();
    COptionsSheet(const COptionsSheet&) = delete;
    COptionsSheet& operator=(const COptionsSheet&) = delete;

    // Runs the sheet over `owner`, opening on the General page; what the sheet returned.
    INT_PTR DoModal(HWND owner);

    COptionsPage& General() { return m_general; }
    CFormatsPage& Format() { return m_format; }
    CPlanOptionsPage& Plan() { return m_plan; }
    CTemplateOptionsPage& Templates() { return m_templates; }

private:
    COptionsPage m_general;
    CFormatsPage m_format;
    CPlanOptionsPage m_plan;
    CTemplateOptionsPage m_templates;
    CPropertySheet m_sheet;
};
