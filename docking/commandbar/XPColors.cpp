#include "docking/commandbar/XPColors.h"

#include "winlib/DeviceContext.h"

namespace {

int BlendChannel(int x, int y, int percent)
{
    return x + (y - x) * percent / 100;
}

XPColors g_colorSet = ComputeXPColors(32, [](int index) { return ::GetSysColor(index); });

} // namespace

COLORREF BlendColor(COLORREF x, COLORREF y, int percent)
{
    return RGB(BlendChannel(GetRValue(x), GetRValue(y), percent), BlendChannel(GetGValue(x), GetGValue(y), percent),
               BlendChannel(GetBValue(x), GetBValue(y), percent));
}

XPColors ComputeXPColors(int bitsPerPixel, const std::function<COLORREF(int index)>& systemColor)
{
    const COLORREF window = systemColor(COLOR_WINDOW);
    const COLORREF windowText = systemColor(COLOR_WINDOWTEXT);
    const COLORREF face = systemColor(COLOR_BTNFACE);
    const COLORREF highlight = systemColor(COLOR_HIGHLIGHT);
    XPColors colors = {};
    colors.highlightBorder = highlight;
    colors.menuBorder = systemColor(COLOR_WINDOWFRAME);
    colors.disabledText = systemColor(COLOR_GRAYTEXT);
    colors.menuText = windowText;
    colors.selectedMenuText = systemColor(COLOR_MENUTEXT);
    colors.toolbarText = systemColor(COLOR_BTNTEXT);
    colors.hotToolbarText = systemColor(COLOR_MENUTEXT);
    if (bitsPerPixel <= 8) {
        colors.menuBackground = window;
        colors.barBackground = face;
        colors.hotFill = window;
        colors.checkedFill = window;
        colors.pressedFill = highlight;
        colors.disabledImage = systemColor(COLOR_GRAYTEXT);
        return colors;
    }
    colors.menuBackground = BlendColor(window, windowText, 3);
    colors.barBackground = BlendColor(face, window, 20);
    colors.hotFill = BlendColor(highlight, window, 70);
    colors.checkedFill = BlendColor(highlight, window, 60);
    colors.pressedFill = BlendColor(colors.hotFill, windowText, 20);
    colors.disabledImage = BlendColor(face, windowText, 35);
    return colors;
}

const XPColors& XPColorSet()
{
    return g_colorSet;
}

void UpdateXPColorSet()
{
    const int bitsPerPixel = ::GetDeviceCaps(CScreenDC(), BITSPIXEL);
    g_colorSet = ComputeXPColors(bitsPerPixel, [](int index) { return ::GetSysColor(index); });
}
