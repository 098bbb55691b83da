// CGroupDialog: the name and comments of a group of people.
#pragma once

#include "dialogs/SmallDialogIds.h"
#include "foundation/BlankName.h"
#include "dialogs/ZemDialogImpl.h"

class CGroupDialog : public CZemDialogImpl<CGroupDialog> {
public:
    enum { IDD = IDD_PEOPLE_GROUP };

    EString GetDialogName() override { return L"PeopleGroupDialog"; }

    BEGIN_MESSAGE_MAP(CGroupDialog)
        ON_COMMAND_CODE(IDC_GROUP_NAME, EN_CHANGE, OnNameChange)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnOK)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CGroupDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CGroupDialog)
        DDX_TEXT(IDC_GROUP_NAME, name)
        DDX_TEXT(IDC_GROUP_COMMENTS, comments)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CGroupDialog)
        RESIZE_CONTROL(IDC_GROUP_NAME, ResizeSizeX)
        RESIZE_CONTROL(IDC_GROUP_COMMENTS, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDOK, ResizeMoveX | ResizeMoveY)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX | ResizeMoveY)
    END_RESIZE_MAP()

    void OnInitDialog() { CWindow(GetDlgItem(IDOK)).EnableWindow(!IsBlankName(name)); }

    EString name;
    EString comments;

private:
    // A name of blanks is none: the people tree would show the group without
    // a label. Only the name box is read: loading it raises this before the
    // comments are loaded.
    LRESULT OnNameChange(WORD, WORD, HWND, bool&)
    {
        CWindow(GetDlgItem(IDOK)).EnableWindow(!IsBlankName(GetDlgItemText(IDC_GROUP_NAME)));
        return 0;
    }
    // The command may come without the button: posted, or a click sent to the
    // disabled button.
    LRESULT OnOK(WORD, WORD, HWND, bool& handled)
    {
        if (IsBlankName(GetDlgItemText(IDC_GROUP_NAME))) {
            OnDataValidateError(IDC_GROUP_NAME, true);
            return 0;
        }
        handled = false;
        return 0;
    }
};
