#include <gtest/gtest.h>

#include <windows.h>

#include "docking/dockwins/IconPair.h"
#include "docking/dockwins/OutlookLikeExCaption.h"

using dockwins::COutlookLikeCaption;
using dockwins::COutlookLikeExCaption;

TEST(OutlookLikeExCaptionTest, ButtonsSitThreePixelsInAndTheFlyOutCaptionStaysHorizontal)
{
    struct Case {
        RECT caption;
        bool horizontal;
        RECT button, captionAfter;
    };
    const Case cases[] = {
        {{0, 0, 200, 24}, true, {179, 3, 197, 21}, {0, 0, 179, 24}},
        {{0, 0, 24, 300}, false, {3, 3, 21, 21}, {0, 21, 24, 300}},
    };
    for (const Case& c : cases) {
        RECT caption = c.caption;
        const RECT button = COutlookLikeExCaption::CButton::Place(caption, c.horizontal);
        EXPECT_TRUE(::EqualRect(&button, &c.button)) << c.horizontal;
        EXPECT_TRUE(::EqualRect(&caption, &c.captionAfter)) << c.horizontal;
    }

    COutlookLikeCaption flyOut;
    const int thickness = flyOut.Thickness();
    flyOut.SetOrientation(false);
    EXPECT_TRUE(flyOut.IsHorizontal());
    EXPECT_EQ(flyOut.Thickness(), thickness);
    COutlookLikeExCaption docked;
    docked.SetOrientation(false);
    EXPECT_FALSE(docked.IsHorizontal());
    EXPECT_EQ(docked.Thickness(), COutlookLikeExCaption::ThicknessFor(false));
}

TEST(OutlookLikeExCaptionTest, PinIconsAreMadeFromTheirImages)
{
    const char* const rows[11] = {"#..........", "", "", "", "", "", "", "", "", "", "..........+"};
    const auto image = dockwins::CIconPair::MakeImage(rows);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    EXPECT_EQ(header->biWidth, 11);
    EXPECT_EQ(header->biHeight, 22);
    EXPECT_EQ(header->biBitCount, 4);
    const BYTE* mask = image.data() + 40 + 64 + 88;
    EXPECT_EQ(mask[10 * 4], 0x7F);     // the top row is stored last: its first pixel is ink
    EXPECT_EQ(mask[0 * 4 + 1], 0xC0);  // the bottom row's last pixel is ink
    EXPECT_NE(dockwins::CIconPair::PinIcons().Icon(0), nullptr);
    EXPECT_NE(dockwins::CIconPair::PinIcons().Icon(1), nullptr);
}
