#include "views/calendar/ContentScroller.h"

#include <algorithm>

int ContentScroller::Limit(int offset, int content, int client) const
{
    return std::max(0, std::min(offset, content - client));
}

SIZE ContentScroller::ScrollTo(POINT offset)
{
    const POINT limited = {Limit(offset.x, m_content.cx, m_client.cx), Limit(offset.y, m_content.cy, m_client.cy)};
    const SIZE moved = {limited.x - m_offset.x, limited.y - m_offset.y};
    m_offset = limited;
    return moved;
}

int ContentScroller::OffsetForCode(int bar, int code, int trackPosition) const
{
    const bool horizontal = bar == SB_HORZ;
    const int offset = static_cast<int>(horizontal ? m_offset.x : m_offset.y);
    const int line = static_cast<int>(horizontal ? m_line.cx : m_line.cy);
    const int page = std::max(1, static_cast<int>(horizontal ? m_client.cx : m_client.cy));
    const int content = static_cast<int>(horizontal ? m_content.cx : m_content.cy);
    switch (code) {
    case SB_LINELEFT:
        return offset - line;
    case SB_LINERIGHT:
        return offset + line;
    case SB_PAGELEFT:
        return offset - page;
    case SB_PAGERIGHT:
        return offset + page;
    case SB_LEFT:
        return 0;
    case SB_RIGHT:
        return content;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return trackPosition;
    default:
        return offset;
    }
}

bool ContentScroller::IsVisible(POINT contentPoint) const
{
    const RECT visible = {m_offset.x, m_offset.y, m_offset.x + m_client.cx, m_offset.y + m_client.cy};
    return ::PtInRect(&visible, contentPoint) != FALSE;
}

void ContentScroller::UpdateBars(HWND window) const
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = std::max(0, static_cast<int>(m_content.cx) - 1);
    info.nPage = static_cast<UINT>(std::max(0, static_cast<int>(m_client.cx)));
    info.nPos = m_offset.x;
    ::SetScrollInfo(window, SB_HORZ, &info, TRUE);
    info.nMax = std::max(0, static_cast<int>(m_content.cy) - 1);
    info.nPage = static_cast<UINT>(std::max(0, static_cast<int>(m_client.cy)));
    info.nPos = m_offset.y;
    ::SetScrollInfo(window, SB_VERT, &info, TRUE);
}
