// IStatusBarSink: where the document shows its task summary (the main frame's status bar).
#pragma once

#include "foundation/EString.h"

class IStatusBarSink {
public:
    virtual ~IStatusBarSink() = default;

    virtual void SetPaneText(int pane, const EString& text) = 0;
};
