#include "views/common/Swatch.h"

#include "winlib/DeviceContext.h"

CBitmap MakeSwatch(COLORREF colour, SIZE size, COLORREF outline)
{
    if (size.cx <= 0 || size.cy <= 0)
        return CBitmap();
    const CClientDC screen(::GetDesktopWindow());
    CBitmap bitmap(::CreateCompatibleBitmap(screen, size.cx, size.cy));
    const CCompatibleDC memory(screen);
    if (bitmap.IsNull() || !memory)
        return CBitmap();
    const CBrush brush(::CreateSolidBrush(colour));
    const CPen pen(::CreatePen(PS_SOLID, 1, outline));
    const CSelectObject selectBitmap(memory, bitmap);
    const CSelectObject selectBrush(memory, brush);
    const CSelectObject selectPen(memory, pen);
    ::Rectangle(memory, 0, 0, size.cx, size.cy);
    return bitmap;
}
