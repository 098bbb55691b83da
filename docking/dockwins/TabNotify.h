// Tab strip styles, notification codes and the records that go with them to the strip's parent.
#pragma once

#include <windows.h>
#include <commctrl.h>

enum : DWORD {
    TABS_SCROLL = 0x0001,
    TABS_BOTTOM = 0x0002,
    TABS_CLOSE_BUTTON = 0x0008,
    TABS_HOT_TRACK = 0x0040,
    TABS_VERTICAL = 0x0080,
    TABS_FLAT_EDGE = 0x0100,
    TABS_DRAG_REARRANGE = 0x0400,
    TABS_BOLD_SELECTED = 0x2000,
    TABS_TOOLTIPS = 0x4000,
};

enum : int {
    TABN_ITEM_INSERTED = -561,
    TABN_DELETING_ITEM = -562,
    TABN_ITEM_MOVED = -563,
    TABN_ITEMS_SWAPPED = -564,
    TABN_CLOSE_CLICKED = -565,
    TABN_BEGIN_ITEM_DRAG = -571,
    TABN_ACCEPT_ITEM_DRAG = -572,
    TABN_CANCEL_ITEM_DRAG = -573,
    TABN_MIDDLE_CLICK = -574,
    TABN_MIDDLE_DBLCLK = -575,
    TABN_DRAG_OUT = -581,
};

struct TabItemNotify {
    NMHDR header;
    int item;
    POINT point;
};

struct TabItemPairNotify {
    NMHDR header;
    int item1;
    int item2;
    POINT point;
};

struct TabCustomDraw {
    NMCUSTOMDRAW draw;
    HFONT font;
    HFONT selectedFont;
    HBRUSH background;
    COLORREF inactiveText;
    COLORREF selectedText;
    COLORREF selectedTab;
    COLORREF buttonFace;
    COLORREF buttonShadow;
    COLORREF buttonHighlight;
    COLORREF buttonText;
    COLORREF highlight;
    COLORREF hot;
    COLORREF highlightText;
};
