// CPersonDialog: edits a person of the people list: name, full name, e-mail, comments and the invitation flag.
#pragma once

#include <windows.h>

#include "dialogs/PersonDialogFields.h"
#include "dialogs/PersonDialogIds.h"
#include "dialogs/ZemDialogImpl.h"
#include "foundation/EString.h"

// OK stays disabled while the name is empty or blanks only (the people tree
// would show the person without a label), and refuses such a name however
// it is pressed.
class CPersonDialog : public CZemDialogImpl<CPersonDialog> {
public:
    enum { IDD = IDD_PERSON };

    CPersonDialog() = default;

    EString GetDialogName() override { return L"PersonDialog"; }

    PersonDialogFields fields;

    BEGIN_MESSAGE_MAP(CPersonDialog)
        ON_COMMAND_CODE(IDC_PERSON_NAME, EN_CHANGE, OnFieldChanged)
        ON_COMMAND_CODE(IDC_PERSON_EMAIL, EN_CHANGE, OnFieldChanged)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnOK)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CPersonDialog>)
    END_MESSAGE_MAP()

    // The exchange is guarded against re-entry: the loading of the fields
    // changes the texts too, and saves nothing meanwhile.
    BEGIN_DDX_MAP(CPersonDialog)
        DDX_TEXT(IDC_PERSON_FULL_NAME, fields.fullName)
        DDX_CHECK(IDC_PERSON_INVITATION, fields.requireInvitation)
        DDX_TEXT(IDC_PERSON_EMAIL, fields.email)
        DDX_TEXT(IDC_PERSON_NAME, fields.name)
        DDX_TEXT(IDC_PERSON_COMMENTS, fields.description)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CPersonDialog)
        RESIZE_CONTROL(IDC_PERSON_NAME, ResizeSizeX)
        RESIZE_CONTROL(IDC_PERSON_FULL_NAME, ResizeSizeX)
        RESIZE_CONTROL(IDC_PERSON_EMAIL, ResizeSizeX)
        RESIZE_CONTROL(IDC_PERSON_COMMENTS, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDC_PERSON_INVITATION, ResizeMoveY)
        RESIZE_CONTROL(IDOK, ResizeMoveX)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX)
    END_RESIZE_MAP()

    void OnInitDialog();

private:
    // Saves the fields; true when the name is not blank.
    bool SavesAName();
    LRESULT OnFieldChanged(WORD, WORD, HWND, bool&);
    LRESULT OnOK(WORD, WORD, HWND, bool& handled);

    HWND m_okButton = nullptr;
};
