#include <gtest/gtest.h>

#include <windows.h>

#include "views/common/ColorIcons.h"

#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

// The pixel of the image drawn onto a magenta field at (x, y) of the swatch.
COLORREF DrawnPixel(const ColorIcons& icons, int index, int x, int y)
{
    const CCompatibleDC memory{CScreenDC()};
    const CBitmap bitmap(::CreateCompatibleBitmap(CScreenDC(), ColorIcons::kSize, ColorIcons::kSize));
    const CSelectObject selected(memory, bitmap);
    const RECT all = {0, 0, ColorIcons::kSize, ColorIcons::kSize};
    ::FillRect(memory, &all, CBrush(::CreateSolidBrush(RGB(255, 0, 255))));
    ::ImageList_Draw(icons.GetImageList(), index, memory, 0, 0, ILD_TRANSPARENT);
    return ::GetPixel(memory, x, y);
}

} // namespace

// White was the mask colour once: a white swatch drew as the background.
TEST(ColorIconsTest, EachColourHasOneOpaqueSwatchInsideAGreyOutline)
{
    const COLORREF colours[] = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(200, 30, 40), RGB(255, 255, 255)};
    const int expectedIndexes[] = {0, 1, 2, 0};
    ColorIcons icons;
    for (size_t i = 0; i < std::size(colours); ++i) {
        const int index = icons.GetIcon(colours[i]);
        EXPECT_EQ(index, expectedIndexes[i]) << i;
        EXPECT_EQ(DrawnPixel(icons, index, 8, 8), colours[i]) << i;
        EXPECT_EQ(DrawnPixel(icons, index, 0, 0), RGB(128, 128, 128)) << i;
    }
    EXPECT_EQ(::ImageList_GetImageCount(icons.GetImageList()), 3);
}
