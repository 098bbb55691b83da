#include <gtest/gtest.h>

#include "docking/commandbar/XPMenuMetrics.h"

TEST(XPMenuMetricsTest, ImageCellIsTheImageAndThreePixelsAllRound)
{
    const struct {
        SIZE image, cell;
    } cases[] = {{{16, 15}, {22, 21}}, {{16, 16}, {22, 22}}, {{32, 32}, {38, 38}}, {{0, 0}, {6, 6}}};
    for (const auto& c : cases) {
        const SIZE cell = ImageCellSize(c.image);
        EXPECT_EQ(cell.cx, c.cell.cx);
        EXPECT_EQ(cell.cy, c.cell.cy);
    }
}

TEST(XPMenuMetricsTest, ItemSizeFromTextFontAndImageCell)
{
    const struct {
        const char* name;
        bool separator;
        SIZE text;
        int fontHeight;
        SIZE cell;
        int check;
        SIZE size;
    } cases[] = {
        {"separator", true, {80, 13}, -12, {22, 21}, 13, {0, 5}},
        {"image cell is higher", false, {50, 13}, -12, {22, 21}, 13, {95, 23}},
        {"font is higher", false, {50, 18}, -16, {22, 21}, 13, {95, 26}},
        {"font height in cell units counts its size", false, {50, 18}, 16, {22, 21}, 13, {95, 26}},
        {"wider check mark", false, {100, 13}, -11, {22, 21}, 15, {143, 23}},
        {"larger images", false, {40, 13}, -11, {38, 38}, 13, {117, 40}},
    };
    for (const auto& c : cases) {
        const SIZE size = MeasureXPMenuItem(c.separator, c.text, c.fontHeight, c.cell, c.check);
        EXPECT_EQ(size.cx, c.size.cx) << c.name;
        EXPECT_EQ(size.cy, c.size.cy) << c.name;
    }
}
