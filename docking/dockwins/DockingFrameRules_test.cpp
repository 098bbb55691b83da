#include <gtest/gtest.h>

#include <windows.h>

#include "docking/dockwins/DockingFrameRules.h"

using dockwins::FrameMinTrackSize;
using dockwins::LimitFloatingRect;

TEST(DockingFrameRulesTest, AFloatingRectangleIsCutToAThirdThenRaisedToTheMinimum)
{
    struct Case {
        const char* name;
        RECT rect;
        SIZE client;
        RECT expected;
    };
    const SIZE minimum = {112, 27};
    const Case cases[] = {
        {"fits", {10, 20, 110, 70}, {900, 600}, {10, 20, 122, 70}},
        {"too wide", {10, 20, 710, 70}, {900, 600}, {10, 20, 310, 70}},
        {"too tall", {10, 20, 150, 620}, {900, 600}, {10, 20, 150, 220}},
        {"thirds round down", {0, 0, 500, 500}, {901, 602}, {0, 0, 300, 200}},
        {"too small", {-5, -5, 0, 0}, {900, 600}, {-5, -5, 107, 22}},
        {"a frame narrower than three minimums", {0, 0, 300, 300}, {150, 60}, {0, 0, 112, 27}},
        {"a frame of no size", {0, 0, 300, 300}, {0, 0}, {0, 0, 112, 27}},
    };
    for (const Case& c : cases) {
        RECT rect = c.rect;
        LimitFloatingRect(rect, c.client, minimum);
        EXPECT_TRUE(::EqualRect(&rect, &c.expected))
            << c.name << ": " << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    }
}

TEST(DockingFrameRulesTest, TheFrameMinimumAddsWhatLiesAroundTheDockedLayout)
{
    struct Case {
        const char* name;
        SIZE packageMinimum;
        RECT window;
        RECT client;
        RECT insideBars;
        SIZE autoHideBars;
        SIZE expected;
    };
    const Case cases[] = {
        {"borders, tool and status bars", {300, 200}, {100, 100, 900, 700}, {0, 0, 792, 566}, {0, 40, 792, 546},
         {0, 0}, {308, 294}},
        {"and the auto-hide bars once", {300, 200}, {100, 100, 900, 700}, {0, 0, 792, 566}, {0, 40, 792, 546},
         {50, 25}, {358, 319}},
        {"nothing around", {300, 200}, {0, 0, 800, 600}, {0, 0, 800, 600}, {0, 0, 800, 600}, {0, 0}, {300, 200}},
        // Squeezed below its auto-hide bars, the frame still needs their room.
        {"a frame squeezed below its bars", {0, 0}, {0, 0, 160, 40}, {0, 0, 152, 6}, {0, 0, 152, 6}, {25, 50},
         {33, 84}},
    };
    for (const Case& c : cases) {
        const SIZE size = FrameMinTrackSize(c.packageMinimum, c.window, c.client, c.insideBars, c.autoHideBars);
        EXPECT_EQ(size.cx, c.expected.cx) << c.name;
        EXPECT_EQ(size.cy, c.expected.cy) << c.name;
    }
}
