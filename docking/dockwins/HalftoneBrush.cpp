#include "docking/dockwins/HalftoneBrush.h"

#include "winlib/GdiObject.h"

namespace dockwins {

HBRUSH CreateHalftoneBrush()
{
    WORD pattern[8];
    for (int row = 0; row < 8; ++row)
        pattern[row] = static_cast<WORD>(0x5555 << (row & 1));
    const CBitmap bitmap(::CreateBitmap(8, 8, 1, 1, pattern));
    return bitmap.IsNull() ? nullptr : ::CreatePatternBrush(bitmap);
}

void InvertWithHalftone(HDC dc, const RECT& rect)
{
    const CBrush brush(CreateHalftoneBrush());
    if (brush.IsNull())
        return;
    const CSelectObject selected(dc, brush);
    ::PatBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATINVERT);
}

void InvertFrameWithHalftone(HDC dc, const RECT& rect)
{
    constexpr int t = 3;
    const CBrush brush(CreateHalftoneBrush());
    if (brush.IsNull())
        return;
    const CSelectObject selected(dc, brush);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    ::PatBlt(dc, rect.left, rect.top, width, t, PATINVERT);
    ::PatBlt(dc, rect.left, rect.bottom - t, width, t, PATINVERT);
    ::PatBlt(dc, rect.left, rect.top + t, t, height - 2 * t, PATINVERT);
    ::PatBlt(dc, rect.right - t, rect.top + t, t, height - 2 * t, PATINVERT);
}

} // namespace dockwins
