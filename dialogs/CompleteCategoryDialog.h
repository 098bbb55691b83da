// CCompleteCategoryDialog: whether a category whose last open task was completed is completed too.
#pragma once

#include "dialogs/CategoryDialogIds.h"
#include "dialogs/ZemDialogImpl.h"

class CCompleteCategoryDialog : public CZemDialogImpl<CCompleteCategoryDialog> {
public:
    enum { IDD = IDD_COMPLETE_CATEGORY };

    EString GetDialogName() override { return L"CompleteCategory"; }

    BEGIN_MESSAGE_MAP(CCompleteCategoryDialog)
        ON_COMMAND_CODE(IDCANCEL, BN_CLICKED, OnNo)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CCompleteCategoryDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CCompleteCategoryDialog)
        DDX_TEXT(IDC_COMPLETE_CATEGORY_MESSAGE, message)
        DDX_CHECK(IDC_COMPLETE_CATEGORY_DO_NOT_ASK, doNotAskAgain)
    END_DDX_MAP()

    EString message;
    int doNotAskAgain = 0;

private:
    // "No" answers too: the box counts whatever the button.
    LRESULT OnNo(WORD, WORD, HWND, bool&)
    {
        DoDataExchange(true);
        EndDialog(IDCANCEL);
        return 0;
    }
};

// Asks with the dialog: true on "Yes"; doNotAskAgain follows the box whatever the answer.
bool AskCompleteCategory(const EString& message, bool& doNotAskAgain);
