#include "views/common/ColorIcons.h"

#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

// A grey outline, so a white or very light swatch still shows on a white list.
constexpr COLORREF kOutline = RGB(128, 128, 128);

CBitmap MakeSwatch(COLORREF colour)
{
    const CClientDC screen(::GetDesktopWindow());
    CBitmap bitmap(::CreateCompatibleBitmap(screen, ColorIcons::kSize, ColorIcons::kSize));
    const HDC memory = ::CreateCompatibleDC(screen);
    if (bitmap.IsNull() || !memory) {
        if (memory)
            ::DeleteDC(memory);
        return CBitmap();
    }
    {
        const CBrush brush(::CreateSolidBrush(colour));
        const CPen pen(::CreatePen(PS_SOLID, 1, kOutline));
        const CSelectObject selectBitmap(memory, bitmap);
        const CSelectObject selectBrush(memory, brush);
        const CSelectObject selectPen(memory, pen);
        ::Rectangle(memory, 0, 0, ColorIcons::kSize, ColorIcons::kSize);
    }
    ::DeleteDC(memory);
    return bitmap;
}

} // namespace

// No mask: every swatch is opaque. A list masked with white would draw a
// white swatch as nothing at all.
ColorIcons::ColorIcons() : m_images(::ImageList_Create(kSize, kSize, ILC_COLORDDB, 0, 10)) {}

int ColorIcons::GetIcon(COLORREF colour)
{
    if (const auto found = m_indexes.find(colour); found != m_indexes.end())
        return found->second;
    if (m_images.IsNull())
        return -1;
    const CBitmap swatch = MakeSwatch(colour);
    if (swatch.IsNull())
        return -1;
    // The image list keeps a copy of the bitmap.
    const int index = ::ImageList_Add(m_images, swatch, nullptr);
    if (index >= 0)
        m_indexes.emplace(colour, index);
    return index;
}
