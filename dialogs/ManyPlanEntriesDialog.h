// CManyPlanEntriesDialog: the start and the shortest and longest entry before tasks are scheduled into a day.
#pragma once

#include "dialogs/BatchDialogIds.h"
#include "dialogs/ZemDialogImpl.h"

class CManyPlanEntriesDialog : public CZemDialogImpl<CManyPlanEntriesDialog> {
public:
    enum { IDD = IDD_MANY_PLAN_ENTRIES };

    EString GetDialogName() override { return L"ManyPlanEntries"; }

    // The durations proposed from the largest estimation of the tasks: half
    // an hour at least for the longest, and never a shortest above it.
    void ProposeDurations(double largestEstimation);

    BEGIN_MESSAGE_MAP(CManyPlanEntriesDialog)
        ON_COMMAND_CODE(IDC_MANY_NOW, BN_CLICKED, OnNow)
        ON_COMMAND_CODE(IDC_MANY_START, EN_KILLFOCUS, OnLeaveField)
        ON_COMMAND_CODE(IDC_MANY_MAX_DURATION, EN_KILLFOCUS, OnLeaveField)
        ON_COMMAND_CODE(IDC_MANY_MIN_DURATION, EN_KILLFOCUS, OnLeaveField)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CManyPlanEntriesDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CManyPlanEntriesDialog)
        DDX_DOUBLE_RANGE(IDC_MANY_MAX_DURATION, maxDuration, 0, 24)
        DDX_DOUBLE_RANGE(IDC_MANY_MIN_DURATION, minDuration, 0, 24)
        DDX_TIME_TEXT(IDC_MANY_START, start, true)
    END_DDX_MAP()

    double maxDuration = 0;
    double minDuration = 0;
    // Only its time of day counts.
    double start = 0;

private:
    LRESULT OnNow(WORD, WORD, HWND, bool&);
    // Leaving a field shows its value as it was understood; a text that
    // cannot be taken stays as typed, for OK to refuse.
    LRESULT OnLeaveField(WORD, WORD id, HWND, bool&);
};
