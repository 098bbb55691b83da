#include "views/common/ColorEntry.h"

#include "winlib/DeviceContext.h"

HBITMAP ColorEntry::Swatch()
{
    if (!swatch.IsNull() || swatchSize.cx <= 0 || swatchSize.cy <= 0)
        return swatch;
    const CClientDC screen(::GetDesktopWindow());
    CBitmap bitmap(::CreateCompatibleBitmap(screen, swatchSize.cx, swatchSize.cy));
    const HDC memory = ::CreateCompatibleDC(screen);
    if (bitmap.IsNull() || !memory) {
        if (memory)
            ::DeleteDC(memory);
        return nullptr;
    }
    {
        const CBrush brush(::CreateSolidBrush(colour));
        const CPen pen(::CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
        const CSelectObject selectBitmap(memory, bitmap);
        const CSelectObject selectBrush(memory, brush);
        const CSelectObject selectPen(memory, pen);
        ::Rectangle(memory, 0, 0, swatchSize.cx, swatchSize.cy);
    }
    ::DeleteDC(memory);
    swatch = std::move(bitmap);
    return swatch;
}
