// CDocPropertiesDialog: the five descriptive texts of the document.
#pragma once

#include "dialogs/SmallDialogIds.h"
#include "dialogs/ZemDialogImpl.h"
#include "document/model/DocProperties.h"

class CDocPropertiesDialog : public CZemDialogImpl<CDocPropertiesDialog> {
public:
    enum { IDD = IDD_DOC_PROPERTIES };
    static constexpr int kMaxText = 200;
    static constexpr int kMaxAddress = 500;

    EString GetDialogName() override { return L"DocProperties"; }

    BEGIN_DDX_MAP(CDocPropertiesDialog)
        DDX_TEXT_LEN(IDC_PROPERTIES_AUTHOR, author, kMaxText)
        DDX_TEXT_LEN(IDC_PROPERTIES_COMPANY, company, kMaxText)
        DDX_TEXT_LEN(IDC_PROPERTIES_TITLE, title, kMaxText)
        DDX_TEXT_LEN(IDC_PROPERTIES_MANAGER, manager, kMaxText)
        DDX_TEXT_LEN(IDC_PROPERTIES_ADDRESS, address, kMaxAddress)
    END_DDX_MAP()

    EString author;
    EString company;
    EString title;
    EString manager;
    EString address;
};

// Runs the dialog on the texts; true, with them changed, on OK.
bool EditDocProperties(DocProperties& properties);
