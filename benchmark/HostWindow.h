// CHostWindow: a plain top-level window that stands for the docking pane a timed view lives in.
#pragma once

#include "winlib/WindowImpl.h"

class CHostWindow : public CWindowImpl<CHostWindow> {
public:
    BEGIN_MESSAGE_MAP(CHostWindow)
    END_MESSAGE_MAP()
};
