// CManyTasksDialog: one priority and one deadline for every selected task of the task list.
#pragma once

#include "dialogs/BatchDialogIds.h"
#include "dialogs/DeadlinePicker.h"
#include "dialogs/ZemDialogImpl.h"

class CManyTasksDialog : public CZemDialogImpl<CManyTasksDialog> {
public:
    enum { IDD = IDD_MANY_TASKS };

    CManyTasksDialog();

    EString GetDialogName() override { return L"ManyTasksDialog"; }

    BEGIN_MESSAGE_MAP(CManyTasksDialog)
        ON_NOTIFY(IDC_MANY_DEADLINE, DTN_DROPDOWN, OnDeadlineDropDown)
        ON_NOTIFY(IDC_MANY_DEADLINE, DTN_DATETIMECHANGE, ShowDayNamesOfChange)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CManyTasksDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CManyTasksDialog)
        DDX_COMBO_INDEX(IDC_MANY_IMPORTANCE, importance)
        DDX_DEADLINE(IDC_MANY_DEADLINE, deadline)
    END_DDX_MAP()

    void OnInitDialog();

    // The index of the priority list is the importance code.
    int importance = 1;
    double deadline;

private:
    LRESULT OnDeadlineDropDown(int, NMHDR*, bool&);
};
