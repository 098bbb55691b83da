#include <gtest/gtest.h>

#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"
#include "winlib/ImageList.h"
#include "winlib/MemoryDC.h"

namespace {

// A memory DC over a bitmap of its own, standing for a window's DC.
struct TargetSurface {
    TargetSurface(int width, int height)
        : dc(screen), bitmap(::CreateCompatibleBitmap(screen, width, height)), selected(dc, bitmap)
    {
        const RECT all{0, 0, width, height};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    CScreenDC screen;
    CCompatibleDC dc;
    CBitmap bitmap;
    CSelectObject selected;
};

} // namespace

TEST(GdiObject, DeletesWhatItOwnsAndLeavesWhatItBorrows)
{
    HBRUSH owned = ::CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH borrowed = ::CreateSolidBrush(RGB(4, 5, 6));
    {
        CBrush holder(owned);
        CBrush lender(borrowed, false);
        CBrush moved(std::move(holder));
        EXPECT_TRUE(holder.IsNull());
        EXPECT_EQ(moved.Get(), owned);
    }
    EXPECT_EQ(::GetObjectType(owned), 0u) << "deleted once, by the holder it was moved to";
    EXPECT_EQ(::GetObjectType(borrowed), static_cast<DWORD>(OBJ_BRUSH));
    ::DeleteObject(borrowed);
}

TEST(GdiObject, SelectionLastsForItsScope)
{
    TargetSurface surface(4, 4);
    CPen pen(::CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    const HGDIOBJ before = ::GetCurrentObject(surface.dc, OBJ_PEN);
    {
        CSelectObject selected(surface.dc, pen);
        EXPECT_EQ(::GetCurrentObject(surface.dc, OBJ_PEN), pen.Get());
    }
    EXPECT_EQ(::GetCurrentObject(surface.dc, OBJ_PEN), before);
}

// The drag outlines are drawn over every window through it.
TEST(ScreenDC, ReachesTheWholeScreen)
{
    const CScreenDC screen;
    ASSERT_NE(static_cast<HDC>(screen), nullptr);
    RECT clip = {};
    ::GetClipBox(screen, &clip);
    EXPECT_EQ(clip.left, 0);
    EXPECT_EQ(clip.top, 0);
    EXPECT_EQ(clip.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(clip.bottom, ::GetSystemMetrics(SM_CYSCREEN));
}

// WM_NCPAINT names the region to repaint in screen coordinates, or 1 for the whole window.
TEST(NonClientPaintDC, CoversTheWholeWindowOrOnlyTheRegionToRepaint)
{
    const HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_BORDER | WS_VISIBLE, 50, 60,
                                          100, 80, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    {
        const CNonClientPaintDC whole(window, reinterpret_cast<HRGN>(1));
        RECT clip = {};
        ::GetClipBox(whole, &clip);
        EXPECT_EQ(clip.right - clip.left, 100);
        EXPECT_EQ(clip.bottom - clip.top, 80);
    }
    {
        const CRgn region(::CreateRectRgn(60, 70, 75, 90));
        const CNonClientPaintDC part(window, region);
        RECT clip = {};
        ::GetClipBox(part, &clip);
        EXPECT_EQ(clip.left, 10);
        EXPECT_EQ(clip.top, 10);
        EXPECT_EQ(clip.right, 25);
        EXPECT_EQ(clip.bottom, 30);
    }
    ::DestroyWindow(window);
}

TEST(MemoryDC, ReachesTheTargetOnlyInsideItsRectangleWhenTheScopeEnds)
{
    TargetSurface surface(20, 20);
    const RECT area{5, 5, 15, 15};
    {
        CMemoryDC memory(surface.dc, area);
        ASSERT_TRUE(memory.IsOffScreen());
        // Target coordinates, and a fill that overflows the rectangle.
        const RECT fill{0, 0, 20, 20};
        ::FillRect(memory, &fill, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        EXPECT_EQ(::GetPixel(surface.dc, 10, 10), RGB(255, 255, 255)) << "nothing reaches the target before the end";
    }
    EXPECT_EQ(::GetPixel(surface.dc, 5, 5), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(surface.dc, 14, 14), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(surface.dc, 4, 4), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(surface.dc, 15, 15), RGB(255, 255, 255));
}

TEST(MemoryDC, AnEmptyRectangleDrawsStraightToTheTarget)
{
    TargetSurface surface(4, 4);
    CMemoryDC memory(surface.dc, RECT{2, 2, 2, 5});
    EXPECT_FALSE(memory.IsOffScreen());
    EXPECT_EQ(static_cast<HDC>(memory), static_cast<HDC>(surface.dc));
}

TEST(ImageList, KeepsItsSizeAndCountsTheImagesAdded)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 15));
    EXPECT_EQ(list.GetIconSize().cx, 16);
    EXPECT_EQ(list.GetIconSize().cy, 15);
    EXPECT_EQ(list.AddIcon(::LoadIconW(nullptr, IDI_APPLICATION)), 0);
    EXPECT_EQ(list.GetImageCount(), 1);
    CImageList empty;
    EXPECT_EQ(empty.GetImageCount(), 0);
    EXPECT_EQ(empty.GetIconSize().cx, 0);
}
