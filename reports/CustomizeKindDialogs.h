// CCustomizeReportsDialog, CCustomizeTemplatesDialog, CCustomizeExportDialog, CCustomizeImportDialog: the customize dialog per kind of file.
#pragma once

#include "reports/CustomizeDialog.h"

class CCustomizeReportsDialog : public CCustomizeDialog {
public:
    EString GetEditorCommand() override;
    EString GetFileFilter() override;
    unsigned GetIconId() override;
    std::unique_ptr<CustomFiles> CreateCustomFiles() override;
    const wchar_t* GetTitleKey() override { return L"CUSTOMIZE_REPORTS"; }
};

// A template is edited in the program itself: a second start hands the
// file to this instance, so the dialog closes first.
class CCustomizeTemplatesDialog : public CCustomizeDialog {
public:
    EString GetEditorCommand() override;
    EString GetFileFilter() override;
    unsigned GetIconId() override;
    std::unique_ptr<CustomFiles> CreateCustomFiles() override;
    const wchar_t* GetTitleKey() override { return L"CUSTOMIZE_TEMPLATES"; }
    bool ClosesBeforeEdit() override { return true; }
};

// The export and import scripts share their editor and filter.
class CCustomizeScriptsDialog : public CCustomizeDialog {
public:
    EString GetEditorCommand() override;
    EString GetFileFilter() override;
};

class CCustomizeExportDialog : public CCustomizeScriptsDialog {
public:
    unsigned GetIconId() override;
    std::unique_ptr<CustomFiles> CreateCustomFiles() override;
    const wchar_t* GetTitleKey() override { return L"CUSTOMIZE_EXPORTS"; }
};

class CCustomizeImportDialog : public CCustomizeScriptsDialog {
public:
    unsigned GetIconId() override;
    std::unique_ptr<CustomFiles> CreateCustomFiles() override;
    const wchar_t* GetTitleKey() override { return L"CUSTOMIZE_IMPORTS"; }
};
