// Color: the fixed palette of the calendar painters and the darkness test.
#pragma once

#include <windows.h>

class Color {
public:
    virtual ~Color() = default;

    static COLORREF TodayFrame() { return 0xFF9D9D; }
    static COLORREF SelectedItemFill() { return 0x906020; }
    static COLORREF HolidayBackground() { return 0xCCCCCC; }
    static COLORREF White() { return 0xFFFFFF; }
    static COLORREF DayBackground() { return White(); }
    static COLORREF LightRed() { return 0x9F9FFF; }
    static COLORREF GridGray() { return 0x9C9C9C; }

    // Text over a dark colour is drawn in the window colour, not the button text colour.
    static bool IsDark(COLORREF color)
    {
        return GetRValue(color) + GetGValue(color) + GetBValue(color) < 444;
    }
};
