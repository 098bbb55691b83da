#include "docking/dockwins/DrawEllipsisText.h"

#include <algorithm>

namespace dockwins {

namespace {
constexpr wchar_t kEllipsis[] = L"...";
constexpr int kEllipsisLength = 3;
} // namespace

EString EllipsisText(HDC dc, const wchar_t* text, int length, int room)
{
    if (!text || length <= 0)
        return EString();
    SIZE extent = {};
    if (::GetTextExtentPoint32W(dc, text, length, &extent) && extent.cx <= room)
        return EString(text, static_cast<size_t>(length));
    // Measuring "..." followed by the text tells how many characters of a
    // shortened text fit with the ellipsis in front of them.
    const EString measured = EString(kEllipsis) + EString(text, static_cast<size_t>(length));
    int fit = 0;
    ::GetTextExtentExPointW(dc, measured.c_str(), static_cast<int>(measured.size()), std::max(room, 0), &fit, nullptr,
                            &extent);
    fit = std::clamp(fit, kEllipsisLength + 1, length + kEllipsisLength);
    return EString(text, static_cast<size_t>(fit - kEllipsisLength)) + kEllipsis;
}

void DrawEllipsisText(HDC dc, const wchar_t* text, int length, const RECT& rect, bool horizontal)
{
    const int room = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    const EString shown = EllipsisText(dc, text, length, room);
    if (shown.empty())
        return;
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(dc, &metrics);
    int x = 0;
    int y = 0;
    if (horizontal) {
        x = rect.left;
        y = rect.top + (rect.bottom - rect.top - metrics.tmHeight) / 2;
    } else {
        y = rect.top;
        x = rect.right - (rect.right - rect.left - metrics.tmHeight) / 2;
    }
    ::ExtTextOutW(dc, x, y, ETO_CLIPPED, &rect, shown.c_str(), static_cast<UINT>(shown.size()), nullptr);
}

} // namespace dockwins
