#include <gtest/gtest.h>

#include "docking/commandbar/XPColors.h"

TEST(XPColorsTest, BlendWorksPerChannelTruncatingTowardZero)
{
    const struct {
        COLORREF x, y;
        int percent;
        COLORREF blended;
    } cases[] = {
        {RGB(0, 0, 0), RGB(255, 255, 255), 20, RGB(51, 51, 51)},
        {RGB(200, 100, 10), RGB(0, 0, 0), 3, RGB(194, 97, 10)},  // -6, -3, -0.3 -> 0
        {RGB(10, 10, 10), RGB(0, 0, 0), 35, RGB(7, 7, 7)},        // -3.5 -> -3, not -4
        {RGB(10, 20, 30), RGB(30, 20, 10), 50, RGB(20, 20, 20)},
        {RGB(1, 2, 3), RGB(9, 9, 9), 0, RGB(1, 2, 3)},
        {RGB(1, 2, 3), RGB(9, 8, 7), 100, RGB(9, 8, 7)},
        {RGB(212, 208, 200), RGB(255, 255, 255), 20, RGB(220, 217, 211)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlendColor(c.x, c.y, c.percent), c.blended) << std::hex << c.x << " " << c.y << " " << c.percent;
}

namespace {

// System colours that tell apart which one a blend took.
COLORREF FakeSystemColor(int index)
{
    switch (index) {
    case COLOR_WINDOW: return RGB(250, 250, 250);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_BTNFACE: return RGB(200, 200, 200);
    case COLOR_HIGHLIGHT: return RGB(0, 100, 200);
    case COLOR_WINDOWFRAME: return RGB(1, 1, 1);
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_MENUTEXT: return RGB(2, 2, 2);
    case COLOR_BTNTEXT: return RGB(3, 3, 3);
    default: return RGB(99, 99, 99);
    }
}

} // namespace

TEST(XPColorsTest, EachColourOfTheSetForTheColourDepth)
{
    const XPColors palette = ComputeXPColors(8, FakeSystemColor);
    const XPColors trueColour = ComputeXPColors(32, FakeSystemColor);
    const struct {
        const char* name;
        COLORREF XPColors::*member;
        COLORREF at8Bits;
        COLORREF above8Bits;
    } cases[] = {
        {"menu background", &XPColors::menuBackground, RGB(250, 250, 250), RGB(243, 243, 243)},
        {"bar background", &XPColors::barBackground, RGB(200, 200, 200), RGB(210, 210, 210)},
        {"highlight border", &XPColors::highlightBorder, RGB(0, 100, 200), RGB(0, 100, 200)},
        {"hot fill", &XPColors::hotFill, RGB(250, 250, 250), RGB(175, 205, 235)},
        {"checked fill", &XPColors::checkedFill, RGB(250, 250, 250), RGB(150, 190, 230)},
        {"pressed fill", &XPColors::pressedFill, RGB(0, 100, 200), RGB(140, 164, 188)},
        {"disabled image", &XPColors::disabledImage, RGB(128, 128, 128), RGB(130, 130, 130)},
        {"menu border", &XPColors::menuBorder, RGB(1, 1, 1), RGB(1, 1, 1)},
        {"disabled text", &XPColors::disabledText, RGB(128, 128, 128), RGB(128, 128, 128)},
        {"menu text", &XPColors::menuText, RGB(0, 0, 0), RGB(0, 0, 0)},
        {"selected menu text", &XPColors::selectedMenuText, RGB(2, 2, 2), RGB(2, 2, 2)},
        {"toolbar text", &XPColors::toolbarText, RGB(3, 3, 3), RGB(3, 3, 3)},
        {"hot toolbar text", &XPColors::hotToolbarText, RGB(2, 2, 2), RGB(2, 2, 2)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(palette.*c.member, c.at8Bits) << c.name << " at 8 bits per pixel";
        EXPECT_EQ(trueColour.*c.member, c.above8Bits) << c.name << " above 8 bits per pixel";
    }
    // The boundary: 16 bits blends, 4 bits does not.
    EXPECT_EQ(ComputeXPColors(16, FakeSystemColor).hotFill, trueColour.hotFill);
    EXPECT_EQ(ComputeXPColors(4, FakeSystemColor).hotFill, palette.hotFill);
}
