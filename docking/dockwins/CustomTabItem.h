// CCustomTabItem and CTabViewTabItem: one tab of a tab strip, and one that names the page window it shows.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

class CCustomTabItem {
public:
    virtual ~CCustomTabItem() = default;

    // Client coordinates without the strip's scroll offset.
    RECT rect = {};
    int image = -1;
    EString text;
    // Shown by the tooltip instead of the text when not empty.
    EString toolTip;
    bool highlighted = false;
    bool canClose = true;
};

class CTabViewTabItem : public CCustomTabItem {
public:
    HWND page = nullptr;
};
