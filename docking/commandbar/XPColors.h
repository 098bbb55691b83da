// XPColors: the colour set of the flat XP look of bars and menus, blended from the system colours.
#pragma once

#include <windows.h>

#include <functional>

struct XPColors {
    COLORREF menuBackground;
    COLORREF barBackground; // image margin, opened title, separators, menu border strip
    COLORREF highlightBorder;
    COLORREF hotFill;
    COLORREF checkedFill;
    COLORREF pressedFill;
    COLORREF disabledImage;
    COLORREF menuBorder;
    COLORREF disabledText;
    COLORREF menuText;
    COLORREF selectedMenuText;
    COLORREF toolbarText;
    COLORREF hotToolbarText;
};

// Per channel: x + (y - x) * percent / 100, truncated toward zero.
COLORREF BlendColor(COLORREF x, COLORREF y, int percent);

// On a display of 8 bits per pixel or less the plain system colours are
// used; above that, some are blended.
XPColors ComputeXPColors(int bitsPerPixel, const std::function<COLORREF(int index)>& systemColor);

// The set of the process, for the screen's colour depth; updated on settings changes.
const XPColors& XPColorSet();
void UpdateXPColorSet();
