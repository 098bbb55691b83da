// CCategoryDialog: the fields of one category, new or edited. The caller fills its fields and reads them back after IDOK.
#pragma once

#include "dialogs/CategoryDialogFields.h"
#include "dialogs/CategoryDialogIds.h"
#include "dialogs/DeadlinePicker.h"
#include "dialogs/ZemDialogImpl.h"
#include "document/model/TextLimits.h"

class CCategoryDialog : public CZemDialogImpl<CCategoryDialog> {
public:
    enum { IDD = IDD_CATEGORY };
    static constexpr int kMaxName = static_cast<int>(TextLimits::kCategoryName);

    CCategoryDialog();

    EString GetDialogName() override { return L"CategoryDialog"; }

    BEGIN_MESSAGE_MAP(CCategoryDialog)
        ON_COMMAND_CODE(IDC_CATEGORY_NAME, EN_CHANGE, OnNameChange)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnOK)
        ON_NOTIFY(IDC_CATEGORY_DEADLINE, DTN_DROPDOWN, OnDeadlineDropDown)
        ON_NOTIFY(IDC_CATEGORY_DEADLINE, DTN_DATETIMECHANGE, ShowDayNamesOfChange)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CCategoryDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CCategoryDialog)
        DDX_TEXT_LEN(IDC_CATEGORY_NAME, fields.name, kMaxName)
        DDX_TEXT(IDC_CATEGORY_DESCRIPTION, fields.description)
        DDX_CHECK(IDC_CATEGORY_COMPLETED, fields.completed)
        DDX_DEADLINE(IDC_CATEGORY_DEADLINE, fields.deadline)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CCategoryDialog)
        RESIZE_CONTROL(IDC_CATEGORY_NAME, ResizeSizeX)
        RESIZE_CONTROL(IDC_CATEGORY_DESCRIPTION, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDC_CATEGORY_COMPLETED, ResizeMoveY)
        RESIZE_CONTROL(IDC_CATEGORY_DEADLINE_LABEL, ResizeMoveY)
        RESIZE_CONTROL(IDC_CATEGORY_DEADLINE, ResizeMoveX | ResizeMoveY)
        RESIZE_CONTROL(IDOK, ResizeMoveX | ResizeMoveY)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX | ResizeMoveY)
    END_RESIZE_MAP()

    void OnInitDialog();

    CategoryDialogFields fields;

private:
    LRESULT OnNameChange(WORD, WORD, HWND, bool&);
    LRESULT OnOK(WORD, WORD, HWND, bool& handled);
    LRESULT OnDeadlineDropDown(int, NMHDR*, bool&);
};
