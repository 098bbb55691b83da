#include "views/common/ColorIcons.h"

#include "views/common/Swatch.h"

namespace {

// A grey outline, so a white or very light swatch still shows on a white list.
constexpr COLORREF kOutline = RGB(128, 128, 128);

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
    const CBitmap swatch = MakeSwatch(colour, {kSize, kSize}, kOutline);
    if (swatch.IsNull())
        return -1;
    // The image list keeps a copy of the bitmap.
    const int index = ::ImageList_Add(m_images, swatch, nullptr);
    if (index >= 0)
        m_indexes.emplace(colour, index);
    return index;
}
