// The scroll offset of the calendar's content: held inside the content, moved by the scroll-bar codes.
#include <gtest/gtest.h>

#include "views/calendar/ContentScroller.h"

namespace {

ContentScroller MakeScroller()
{
    ContentScroller scroller;
    scroller.SetContentSize({2650, 172});
    scroller.SetClientSize({600, 150});
    scroller.SetLineSize({60, 60});
    return scroller;
}

TEST(ContentScrollerTest, TheOffsetStaysInsideTheContent)
{
    struct Case {
        POINT asked;
        POINT held;
    };
    const Case cases[] = {
        {{420, 0}, {420, 0}},  {{-10, -5}, {0, 0}},     {{5000, 100}, {2050, 22}},
        {{2050, 22}, {2050, 22}}, {{2051, 23}, {2050, 22}},
    };
    for (const Case& c : cases) {
        ContentScroller scroller = MakeScroller();
        scroller.ScrollTo(c.asked);
        EXPECT_EQ(scroller.GetOffset().x, c.held.x) << c.asked.x;
        EXPECT_EQ(scroller.GetOffset().y, c.held.y) << c.asked.y;
    }
    ContentScroller small;
    small.SetContentSize({300, 100});
    small.SetClientSize({600, 150});
    const SIZE moved = small.ScrollTo({50, 50});
    EXPECT_EQ(small.GetOffset().x, 0) << "a content smaller than the client does not scroll";
    EXPECT_EQ(moved.cx, 0);
}

TEST(ContentScrollerTest, ScrollBarCodesAskForLinesPagesEndsAndTheThumb)
{
    ContentScroller scroller = MakeScroller();
    scroller.ScrollTo({600, 0});
    struct Case {
        int code;
        int offset;
    };
    const Case cases[] = {
        {SB_LINERIGHT, 660}, {SB_LINELEFT, 540}, {SB_PAGERIGHT, 1200}, {SB_PAGELEFT, 0},
        {SB_LEFT, 0},        {SB_RIGHT, 2650},   {SB_THUMBTRACK, 777}, {SB_ENDSCROLL, 600},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scroller.OffsetForCode(SB_HORZ, c.code, 777), c.offset) << c.code;
    EXPECT_EQ(scroller.OffsetForCode(SB_VERT, SB_LINEDOWN, 0), 60);
}

TEST(ContentScrollerTest, AMoveReportsHowFarTheOffsetWentAndWhatIsVisible)
{
    ContentScroller scroller = MakeScroller();
    const SIZE moved = scroller.ScrollTo({2500, 0});
    EXPECT_EQ(moved.cx, 2050);
    EXPECT_TRUE(scroller.IsVisible({2050, 0}));
    EXPECT_TRUE(scroller.IsVisible({2649, 149}));
    EXPECT_FALSE(scroller.IsVisible({2049, 0}));
}

} // namespace
