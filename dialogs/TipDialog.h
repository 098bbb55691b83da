// CTipDialog: the tip of the day, one tip at a time, with a box for showing it at start-up.
#pragma once

#include "dialogs/InfoFrame.h"
#include "dialogs/TipDialogIds.h"
#include "dialogs/ZemDialogImpl.h"

class CTipDialog : public CZemDialogImpl<CTipDialog> {
public:
    enum { IDD = IDD_TIP_OF_THE_DAY };

    CTipDialog();

    EString GetDialogName() override { return L"TipDialog"; }

    BEGIN_MESSAGE_MAP(CTipDialog)
        ON_COMMAND_CODE(IDC_TIP_NEXT, BN_CLICKED, OnNext)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnClose)
        CHAIN_MESSAGE_MAP(CZemDialogImpl<CTipDialog>)
    END_MESSAGE_MAP()

    BEGIN_DDX_MAP(CTipDialog)
        DDX_CHECK(IDC_TIP_SHOW_AT_STARTUP, showAtStartup)
    END_DDX_MAP()

    BEGIN_RESIZE_MAP(CTipDialog)
        RESIZE_CONTROL(IDC_TIP_PANE, ResizeSizeX | ResizeSizeY)
        RESIZE_CONTROL(IDC_TIP_SHOW_AT_STARTUP, ResizeMoveY)
        RESIZE_CONTROL(IDC_TIP_NEXT, ResizeMoveX | ResizeMoveY)
        RESIZE_CONTROL(IDOK, ResizeMoveX | ResizeMoveY)
    END_RESIZE_MAP()

    // The placeholder control gives way to the pane, which shows the next tip.
    void OnInitDialog();

    // Read from "ShowTipOnSturtup" when the dialog is made; stored by Close only.
    int showAtStartup = 1;
    // The tips file; the UI language's unless set before the dialog runs.
    EString tipsPath;

    CInfoFrame& GetPane() { return m_pane; }

private:
    LRESULT OnNext(WORD, WORD, HWND, bool&);
    LRESULT OnClose(WORD, WORD, HWND, bool& handled);

    CInfoFrame m_pane;
};

// Runs the tip dialog over the active window, where its resource puts it.
void ShowTipOfTheDay();
