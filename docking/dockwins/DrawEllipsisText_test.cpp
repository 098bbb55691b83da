#include <gtest/gtest.h>

#include <windows.h>

#include "docking/dockwins/DrawEllipsisText.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

using dockwins::EllipsisText;

namespace {

int Width(HDC dc, const EString& text)
{
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

} // namespace

TEST(DrawEllipsisTextTest, TextIsShortenedToWhatFitsWithTheEllipsis)
{
    const CCompatibleDC dc{CScreenDC()};
    ASSERT_NE(static_cast<HDC>(dc), nullptr);
    const CSelectObject font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    const EString text = L"Categories and people";
    const int whole = Width(dc, text);
    const int length = static_cast<int>(text.size());

    struct Case {
        const char* name;
        int room;
    };
    const Case cases[] = {
        {"exactly fits", whole},
        {"one pixel short", whole - 1},
        {"half", whole / 2},
        {"nothing fits", 2},
        {"no room", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const EString shown = EllipsisText(dc, text.c_str(), length, c.room);
        if (c.room >= whole) {
            EXPECT_EQ(shown, text);
            continue;
        }
        ASSERT_GE(shown.size(), 4u);
        EXPECT_EQ(shown.Right(3), L"...");
        EXPECT_EQ(text.compare(0, shown.size() - 3, shown, 0, shown.size() - 3), 0);
        if (shown.size() > 4) {
            EXPECT_LE(Width(dc, shown), c.room);
            // One character more would not have fitted.
            const EString longer = text.substr(0, shown.size() - 2) + L"...";
            EXPECT_GT(Width(dc, longer), c.room);
        }
    }
    EXPECT_EQ(EllipsisText(dc, L"", 0, 100), L"");
}
