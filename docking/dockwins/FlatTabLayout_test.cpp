#include <gtest/gtest.h>

#include <vector>

#include "docking/dockwins/FlatTabLayout.h"

using namespace dockwins;

TEST(FlatTabLayoutTest, TabsShrinkToFitTheArea)
{
    struct Case {
        const char* name;
        std::vector<int> natural;
        int area;
        int selected;
        std::vector<int> widths;
    };
    const Case cases[] = {
        {"they fit", {80, 80}, 200, 0, {80, 80}},
        {"nothing selected", {80, 80, 80, 80}, 200, -1, {80, 80, 80, 80}},
        {"others shrink in proportion", {80, 80, 80, 80}, 200, 0, {80, 37, 37, 37}},
        {"too narrow for minimum tabs: equal shares", {80, 80, 80, 80}, 100, 0, {22, 22, 22, 22}},
        {"a narrow tab would fall below the minimum: others share", {200, 30, 200}, 300, 0, {200, 45, 45}},
        {"narrower than the margins", {80, 80}, 6, 1, {0, 0}},
        {"one tab wider than the area", {80}, 50, 0, {40}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitTabWidths(c.natural, c.area, c.selected), c.widths) << c.name;
}

TEST(FlatTabLayoutTest, TabsStandSideBySideFromTheMargin)
{
    EXPECT_EQ(TabLefts({80, 37, 37}), (std::vector<int>{5, 85, 122}));
    EXPECT_EQ(NaturalTabWidth(16, 40, true), 3 + 16 + 40 + 8 + 3);
    EXPECT_EQ(NaturalTabWidth(0, 0, false), 6);
}

TEST(FlatTabLayoutTest, TextIsCutOffWhenLessThanTwelvePixelsAreLeft)
{
    struct Case {
        const char* name;
        RECT item;
        int image;
        bool shown;
        RECT text;
    };
    const Case cases[] = {
        {"room", {0, 0, 60, 20}, 0, true, {7, 0, 53, 20}},
        {"room beside the image", {0, 0, 60, 20}, 16, true, {23, 0, 53, 20}},
        {"twelve pixels exactly is not enough", {0, 0, 18, 20}, 0, false, {}},
        {"thirteen pixels", {0, 0, 19, 20}, 0, true, {7, 0, 12, 20}},
        {"the image takes the room", {0, 0, 30, 20}, 16, false, {}},
    };
    for (const Case& c : cases) {
        RECT text = {};
        EXPECT_EQ(TabTextRect(c.item, c.image, &text), c.shown) << c.name;
        if (c.shown) {
            EXPECT_TRUE(::EqualRect(&text, &c.text)) << c.name;
        }
    }
}

TEST(FlatTabLayoutTest, BackgroundIsLightenedAndInactiveTextDarkened)
{
    struct Case {
        const char* name;
        COLORREF (*convert)(COLORREF);
        COLORREF in;
        COLORREF out;
    };
    const Case cases[] = {
        {"classic button face", LightenTabColor, RGB(212, 208, 200), RGB(247, 242, 233)},
        {"bright face ends at white", LightenTabColor, RGB(240, 240, 240), RGB(255, 255, 255)},
        {"black", LightenTabColor, RGB(0, 0, 0), RGB(35, 35, 35)},
        {"gray text", DarkenTabColor, RGB(128, 128, 128), RGB(84, 84, 84)},
        {"dark channels are halved", DarkenTabColor, RGB(128, 40, 0), RGB(84, 20, 0)},
        {"black stays", DarkenTabColor, RGB(0, 0, 0), RGB(0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.convert(c.in), c.out) << c.name;
}

TEST(FlatTabLayoutTest, ThicknessFollowsTheFontAscent)
{
    EXPECT_EQ(TabStripThickness(11), 24);
    EXPECT_EQ(TabStripThickness(13), 26);
    EXPECT_EQ(TabStripThickness(0), 12);
}
