#include "winlib/MemoryDC.h"

CMemoryDC::CMemoryDC(HDC target, const RECT& rect) : m_target(target), m_rect(rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    m_bitmap.Attach(::CreateCompatibleBitmap(target, width, height));
    if (m_bitmap.IsNull())
        return;
    m_dc = ::CreateCompatibleDC(target);
    if (!m_dc)
        return;
    m_previousBitmap = ::SelectObject(m_dc, m_bitmap);
    ::SetWindowOrgEx(m_dc, rect.left, rect.top, nullptr);
    // Text and fills default to what the target uses.
    ::SelectObject(m_dc, ::GetCurrentObject(target, OBJ_FONT));
    ::SetBkMode(m_dc, ::GetBkMode(target));
    ::SetTextColor(m_dc, ::GetTextColor(target));
    ::SetBkColor(m_dc, ::GetBkColor(target));
}

CMemoryDC::~CMemoryDC()
{
    if (!m_dc)
        return;
    ::BitBlt(m_target, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, m_dc,
             m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(m_dc, m_previousBitmap);
    ::DeleteDC(m_dc);
}
