// CGroupDialog: the name and comments of a group of people.
#pragma once

#include "dialogs/SmallDialogIds.h"
#include "dialogs/ZemDialogImpl.h"

class CGroupDialog : public CZemDialogImpl<CGroupDialog> {
public:
    enum { IDD = IDD_PEOPLE_GROUP };

    EString GetDialogName() override { return L"PeopleGroupDialog"; }

    BEGIN_MESSAGE_MAP(CGroupDialog)
        ON_COMMAND_CODE(IDC_GROUP_NAME, EN_CHANGE, OnNameChange)
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

    void OnInitDialog() { CWindow(GetDlgItem(IDOK)).EnableWindow(!name.empty()); }

    EString name;
    EString comments;

private:
    // Blanks count as a name. Only the name box is read: loading it raises
    // this before the comments are loaded.
    LRESULT OnNameChange(WORD, WORD, HWND, bool&)
    {
        CWindow(GetDlgItem(IDOK)).EnableWindow(!GetDlgItemText(IDC_GROUP_NAME).empty());
        return 0;
    }
};
