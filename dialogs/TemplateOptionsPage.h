// CTemplateOptionsPage: the Templates page of the options sheet: the programs that edit report templates and scripts.
#pragma once

#include "dialogs/OptionsPageIds.h"
#include "dialogs/ZemPropertyPageImpl.h"

class CTemplateOptionsPage : public CZemPropertyPageImpl<CTemplateOptionsPage> {
public:
    enum { IDD = IDD_OPTIONS_TEMPLATES };
    static constexpr int kPathLength = 260;

    BEGIN_MESSAGE_MAP(CTemplateOptionsPage)
        ON_COMMAND_CODE(IDC_TEMPLATES_REPORT_BROWSE, BN_CLICKED, OnBrowse)
        ON_COMMAND_CODE(IDC_TEMPLATES_SCRIPT_BROWSE, BN_CLICKED, OnBrowse)
        ON_COMMAND_CODE(IDC_TEMPLATES_REPORT_EDITOR, EN_CHANGE, OnChange)
        ON_COMMAND_CODE(IDC_TEMPLATES_SCRIPT_EDITOR, EN_CHANGE, OnChange)
        CHAIN_MESSAGE_MAP(CZemPropertyPageImpl<CTemplateOptionsPage>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CTemplateOptionsPage)
        DDX_TEXT_LEN(IDC_TEMPLATES_REPORT_EDITOR, reportEditor, kPathLength)
        DDX_TEXT_LEN(IDC_TEMPLATES_SCRIPT_EDITOR, scriptEditor, kPathLength)
    END_DDX_MAP()

    void OnInitDialog();
    // Writes both editors; a page whose controls cannot be read writes none.
    int OnApply();

    EString reportEditor;
    EString scriptEditor;

private:
    LRESULT OnBrowse(WORD, WORD id, HWND, bool&);
    LRESULT OnChange(WORD, WORD, HWND, bool&);
};
