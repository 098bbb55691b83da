#include <gtest/gtest.h>

#include <windows.h>

#include "docking/dockwins/DockingSettings.h"
#include "docking/dockwins/VC7LikeExCaption.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

using dockwins::CCaptionBase;
using dockwins::CVC7LikeExCaption;

namespace {

bool Equal(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

int CountPixels(HDC dc, const RECT& rect, COLORREF color)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += ::GetPixel(dc, x, y) == color ? 1 : 0;
    return count;
}

} // namespace

TEST(VC7LikeExCaptionTest, ButtonsAreSquaresAtTheFarEndOfTheBand)
{
    struct Case {
        const char* name;
        RECT caption;
        bool horizontal;
        RECT button, captionAfter;
    };
    const Case cases[] = {
        {"horizontal", {0, 0, 200, 20}, true, {186, 4, 198, 16}, {0, 0, 187, 20}},
        {"vertical of width 20", {0, 0, 20, 300}, false, {4, 2, 16, 14}, {0, 15, 20, 300}},
        {"horizontal, offset", {10, 30, 110, 52}, true, {94, 34, 108, 48}, {10, 30, 95, 52}},
    };
    for (const Case& c : cases) {
        RECT caption = c.caption;
        const RECT button = CVC7LikeExCaption::CButton::Place(caption, c.horizontal);
        EXPECT_TRUE(Equal(button, c.button)) << c.name;
        EXPECT_TRUE(Equal(caption, c.captionAfter)) << c.name;
    }
}

TEST(VC7LikeExCaptionTest, TheBandLiesAtTheStartAndHitsNameItsParts)
{
    CVC7LikeExCaption caption;
    const int t = caption.Thickness();
    EXPECT_EQ(t, dockwins::CDockingSettings::Instance().SmallCaptionHeight() + 5);

    RECT window = {0, 0, 200, 150};
    caption.CalculateRect(window, true);
    EXPECT_TRUE(Equal(caption.Rect(), RECT{0, 0, 200, t}));
    EXPECT_TRUE(Equal(window, RECT{0, t, 200, 150}));
    const RECT close = caption.CloseButton().Rect();
    const RECT pin = caption.PinButton().Rect();
    EXPECT_EQ(close.right, 198);
    EXPECT_EQ(pin.right, close.left - 1); // 2 pixels in from the caption that ends inside the close button
    struct Hit {
        POINT point;
        int code;
    };
    const Hit hits[] = {
        {{close.left + 1, close.top + 1}, CCaptionBase::HitClose},
        {{pin.left + 1, pin.top + 1}, CCaptionBase::HitPin},
        {{20, t / 2}, CCaptionBase::HitCaption},
        {{20, t + 1}, CCaptionBase::HitNothing},
    };
    for (const Hit& h : hits)
        EXPECT_EQ(caption.HitTest(h.point), h.code) << h.point.x << "," << h.point.y;
    EXPECT_EQ(caption.Button(CCaptionBase::HitPin), &caption.PinButton());
    EXPECT_EQ(caption.Button(CCaptionBase::HitCaption), nullptr);

    caption.SetOrientation(false);
    RECT tall = {0, 0, 200, 150};
    caption.CalculateRect(tall, true);
    EXPECT_TRUE(Equal(caption.Rect(), RECT{0, 0, t, 150}));
    EXPECT_TRUE(Equal(tall, RECT{t, 0, 200, 150}));
    EXPECT_LT(caption.CloseButton().Rect().bottom, caption.PinButton().Rect().top + 2);
}

TEST(VC7LikeExCaptionTest, DrawsTheTextAndBothGlyphsInTheInactiveColours)
{
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"Categories", WS_POPUP, 0, 0, 200, 150, nullptr, nullptr,
                                          nullptr, nullptr);
    ASSERT_TRUE(window);
    const CCompatibleDC dc{CScreenDC()};
    const CBitmap bitmap(::CreateCompatibleBitmap(CScreenDC(), 200, 60));
    {
        const CSelectObject selected(dc, bitmap);
        CVC7LikeExCaption caption;
        RECT rect = {0, 0, 200, 60};
        caption.CalculateRect(rect, true);
        caption.Draw(window, dc);
        const COLORREF ink = ::GetNearestColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        EXPECT_GT(CountPixels(dc, caption.CloseButton().Rect(), ink), 4);
        EXPECT_GT(CountPixels(dc, caption.PinButton().Rect(), ink), 4);
        const RECT textArea = {5, 0, caption.PinButton().Rect().left - 2, caption.Thickness()};
        EXPECT_GT(CountPixels(dc, textArea, ink), 10);
    }
    ::DestroyWindow(window);
}
