// CBlankView: a view of nothing, which holds a docking pane or the frame's client area until its real view exists.
#pragma once

#include <windows.h>

#include "document/PelquornDoc.h"
#include "views/tasks/ViewBase.h"
#include "winlib/WindowImpl.h"

// A plain white child window without text; it names no commands.
class CBlankView : public CWindowImpl<CBlankView>, public CViewBase<CBlankView, CPelquornDoc> {
public:
    static WindowClass GetWindowClass();

    HWND Create(HWND parent) override;
    void UpdateCommandUI(bool active);

    BEGIN_MESSAGE_MAP(CBlankView)
        CHAIN_MESSAGE_MAP(ViewBase)
    END_MESSAGE_MAP()
};
