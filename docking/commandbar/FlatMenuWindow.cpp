#include "docking/commandbar/FlatMenuWindow.h"

#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

CFlatMenuWindow::CFlatMenuWindow(int titleWidth, COLORREF border, COLORREF menuBackground, COLORREF barBackground)
    : m_border(border), m_menuBackground(menuBackground), m_barBackground(barBackground), m_titleWidth(titleWidth),
      m_frame{::GetSystemMetrics(SM_CXDLGFRAME), ::GetSystemMetrics(SM_CYDLGFRAME)}
{
}

LRESULT CFlatMenuWindow::OnNcPaint(UINT, WPARAM wParam, LPARAM, bool&)
{
    const CNonClientPaintDC dc(m_hWnd, reinterpret_cast<HRGN>(wParam));
    if (!dc)
        return 1;
    RECT window = GetWindowRect();
    ::OffsetRect(&window, -window.left, -window.top);
    {
        CPen border(::CreatePen(PS_SOLID, 1, m_border));
        CBrush background(::CreateSolidBrush(m_menuBackground));
        CSelectObject pen(dc, border);
        CSelectObject brush(dc, background);
        ::Rectangle(dc, window.left, window.top, window.right, window.bottom);
    }
    CBrush bar(::CreateSolidBrush(m_barBackground));
    RECT strip = {1, m_frame.cy, m_frame.cx, window.bottom - m_frame.cy};
    ::FillRect(dc, &strip, bar);
    // The top border stays open under the title, so title and popup are one shape.
    if (m_titleWidth > 0) {
        RECT top = {1, 0, m_titleWidth, 1};
        ::FillRect(dc, &top, bar);
    }
    return 1;
}
