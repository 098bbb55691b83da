#include "docking/dockwins/OutlookLikeExCaption.h"

#include "docking/dockwins/CaptionColors.h"
#include "docking/dockwins/DockingSettings.h"
#include "docking/dockwins/DrawEllipsisText.h"
#include "docking/dockwins/IconPair.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"
#include "winlib/Window.h"

namespace dockwins {

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

} // namespace

RECT COutlookLikeExCaption::CButton::Place(RECT& caption, bool horizontal)
{
    RECT b = caption;
    ::InflateRect(&b, -3, -3);
    if (horizontal) {
        b.left = b.right - (b.bottom - b.top);
        caption.right = b.left;
    } else {
        b.bottom = b.top + (b.right - b.left);
        caption.top = b.bottom;
    }
    return b;
}

void COutlookLikeExCaption::CButton::DrawWithEdge(HWND window, UINT edge)
{
    const CWindowDC dc(window);
    Draw(dc);
    if (edge) {
        RECT rect = m_rect;
        ::DrawEdge(dc, &rect, edge, BF_RECT);
    }
}

void COutlookLikeExCaption::CButton::DrawPressed(HWND window)
{
    DrawWithEdge(window, BDR_SUNKENOUTER);
}

void COutlookLikeExCaption::CButton::DrawReleased(HWND window)
{
    DrawWithEdge(window, 0);
}

void COutlookLikeExCaption::CButton::DrawHot(HWND window)
{
    DrawWithEdge(window, BDR_RAISEDINNER);
}

void COutlookLikeExCaption::CPinButton::Draw(HDC dc)
{
    const CCaptionColors colors(dc);
    ::FillRect(dc, &m_rect, colors.BackgroundBrush());
    const int spareX = m_rect.right - m_rect.left - CIconPair::size;
    const int spareY = m_rect.bottom - m_rect.top - CIconPair::size;
    ::DrawIconEx(dc, m_rect.left + (spareX > 0 ? spareX / 2 : 0), m_rect.top + (spareY > 0 ? spareY / 2 : 0),
                 CIconPair::PinIcons().Icon(pinned), CIconPair::size, CIconPair::size, 0, nullptr, DI_NORMAL);
}

void COutlookLikeExCaption::CCloseButton::Draw(HDC dc)
{
    const CCaptionColors colors(dc);
    ::FillRect(dc, &m_rect, colors.BackgroundBrush());
    const CPen pen(::CreatePen(PS_SOLID, 1, colors.TextColor()));
    const CSelectObject selected(dc, pen);
    const RECT& r = m_rect;
    Line(dc, r.left + 5, r.top + 5, r.right - 5, r.bottom - 5);
    Line(dc, r.left + 6, r.top + 5, r.right - 4, r.bottom - 5);
    Line(dc, r.left + 5, r.bottom - 6, r.right - 5, r.top + 4);
    Line(dc, r.left + 6, r.bottom - 6, r.right - 4, r.top + 4);
}

int COutlookLikeExCaption::ThicknessFor(bool horizontal)
{
    const CDockingSettings& settings = CDockingSettings::Instance();
    const CClientDC screen(nullptr);
    const CSelectObject selected(screen, horizontal ? settings.HorizontalGuiFont() : settings.VerticalGuiFont());
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(screen, &metrics);
    return metrics.tmHeight + 10;
}

COutlookLikeExCaption::COutlookLikeExCaption()
{
    m_horizontal = true;
    m_thickness = ThicknessFor(true);
}

void COutlookLikeExCaption::SetOrientation(bool horizontal)
{
    if (horizontal == m_horizontal)
        return;
    m_horizontal = horizontal;
    m_thickness = ThicknessFor(horizontal);
}

void COutlookLikeExCaption::CalculateRect(RECT& windowRect, bool atStart)
{
    TakeBand(windowRect, atStart);
    RECT rest = m_rect;
    m_close.CalculateRect(rest, m_horizontal);
    m_pin.CalculateRect(rest, m_horizontal);
}

CCaptionBase::CButton* COutlookLikeExCaption::Button(int hitCode)
{
    if (hitCode == HitPin)
        return &m_pin;
    if (hitCode == HitClose)
        return &m_close;
    return nullptr;
}

void COutlookLikeExCaption::Draw(HWND window, HDC dc)
{
    const CCaptionColors colors(window);
    ::FillRect(dc, &m_rect, colors.BackgroundBrush());
    const EString text = CWindow(window).GetWindowText();
    RECT textRect = m_rect;
    const CDockingSettings& settings = CDockingSettings::Instance();
    HFONT font = nullptr;
    if (m_horizontal) {
        textRect.left += 12;
        textRect.right = m_pin.Rect().left - 3;
        font = settings.HorizontalGuiFont();
    } else {
        textRect.bottom -= 8;
        textRect.top = m_pin.Rect().bottom + 3;
        font = settings.VerticalGuiFont();
    }
    if (!text.empty() && !::IsRectEmpty(&textRect)) {
        const CSavedDC saved(dc);
        ::SelectObject(dc, font);
        ::SetTextColor(dc, colors.TextColor());
        ::SetBkMode(dc, TRANSPARENT);
        DrawEllipsisText(dc, text.c_str(), static_cast<int>(text.size()), textRect, m_horizontal);
    }
    m_close.Draw(dc);
    m_pin.Draw(dc);
    RECT edge = m_rect;
    ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
}

} // namespace dockwins
