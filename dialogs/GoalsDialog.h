// CGoalsDialog: any number of goals picked from those offered.
#pragma once

#include <vector>

#include "dialogs/SmallDialogIds.h"
#include "dialogs/ZemDialogImpl.h"
#include "document/model/Goal.h"

class CGoalsDialog : public CZemDialogImpl<CGoalsDialog> {
public:
    enum { IDD = IDD_GOALS };

    EString GetDialogName() override { return L"GoalDialog"; }

    BEGIN_MESSAGE_MAP(CGoalsDialog)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnPick)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_NOTIFY(IDC_GOALS_LIST, LVN_ITEMCHANGED, OnItemChanged)
        ON_NOTIFY(IDC_GOALS_LIST, NM_DBLCLK, OnDoubleClick)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CGoalsDialog>)
    END_MESSAGE_MAP()

    BEGIN_RESIZE_MAP(CGoalsDialog)
        RESIZE_CONTROL(IDC_GOALS_LIST, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDC_GOALS_ADD_YOURS, ResizeMoveX)
        RESIZE_CONTROL(IDOK, ResizeMoveX)
        RESIZE_CONTROL(IDCANCEL, ResizeMoveX)
    END_RESIZE_MAP()

    void OnInitDialog();

    // Row i shows candidate i.
    std::vector<Goal> candidates;
    // The selected rows' goals in list order, after OK.
    std::vector<Goal> chosen;

private:
    HWND List() const { return GetDlgItem(IDC_GOALS_LIST); }
    void FitColumn();

    LRESULT OnPick(WORD, WORD, HWND, bool& handled);
    LRESULT OnSize(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnItemChanged(int, NMHDR* header, bool&);
    LRESULT OnDoubleClick(int, NMHDR*, bool&);
};

// Runs the dialog on the goals offered; true, with the chosen ones, on OK.
bool ChooseGoals(const std::vector<Goal>& offered, std::vector<Goal>& chosen);
