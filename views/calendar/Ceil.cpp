#include "views/calendar/Ceil.h"

#include <algorithm>

#include "foundation/Color.h"
#include "winlib/GdiObject.h"

RECT Ceil::GetBoxRect(int position) const
{
    position = std::clamp(position, 0, kCapacity - 1);
    RECT area = m_rect;
    ::InflateRect(&area, 1, 1);
    const int boxWidth = (area.right - area.left) / kColumns;
    const int boxHeight = (area.bottom - area.top) / kRows;
    const int column = position % kColumns;
    const int row = position / kColumns;
    RECT box = {column * boxWidth, row * boxHeight, (column + 1) * boxWidth, (row + 1) * boxHeight};
    ::OffsetRect(&box, area.left, area.top);
    // Neighbouring boxes share their borders.
    ::InflateRect(&box, 1, 1);
    return box;
}

EString Ceil::GetBoxText(int position, int key)
{
    if (position >= kCapacity - 1)
        return L"...";
    return EString::Formatted(L"%d", key);
}

int Ceil::HitTest(POINT point) const
{
    int hit = 0;
    int position = 0;
    for (const auto& [key, color] : m_items) {
        if (position >= kNumberedBoxes)
            break;
        const RECT box = GetBoxRect(position);
        if (::PtInRect(&box, point))
            hit = key;
        ++position;
    }
    return hit;
}

void Ceil::Paint(HDC dc) const
{
    int position = 0;
    for (const auto& [key, color] : m_items) {
        const COLORREF fill = key == m_selectedKey ? Color::SelectedItemFill() : color;
        const CBrush brush(::CreateSolidBrush(fill));
        const CSelectObject selected(dc, brush);
        RECT box = GetBoxRect(position);
        ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
        ::SetTextColor(dc, ::GetSysColor(Color::IsDark(fill) ? COLOR_WINDOW : COLOR_BTNTEXT));
        ::SetBkColor(dc, fill);
        ::InflateRect(&box, 1, 1);
        const EString text = GetBoxText(position, key);
        ::DrawTextW(dc, text.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ++position;
    }
}
