#include "docking/dockwins/VC7LikeExCaption.h"

#include <algorithm>

#include "docking/dockwins/DockingSettings.h"
#include "docking/dockwins/DrawEllipsisText.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"
#include "winlib/Window.h"

namespace dockwins {

namespace {

struct GlyphColors {
    COLORREF background;
    COLORREF text;
};

GlyphColors ColorsFor(HWND window)
{
    const bool active = CVC7LikeExCaption::IsActive(window);
    return {::GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_BTNFACE),
            ::GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT)};
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    const CBrush brush(::CreateSolidBrush(color));
    ::FillRect(dc, &rect, brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

// The button's rectangle in the coordinates of a window DC (the window's own
// top-left is 0, 0), where the docking-window bases keep their caption.
RECT Shifted(const RECT& rect, int dx, int dy)
{
    RECT shifted = rect;
    ::OffsetRect(&shifted, dx, dy);
    return shifted;
}

} // namespace

bool CVC7LikeExCaption::IsActive(HWND window)
{
    // A click on the caption gives the window itself the focus.
    const HWND focus = ::GetFocus();
    return window && focus && (focus == window || ::IsChild(window, focus));
}

RECT CVC7LikeExCaption::CButton::Place(RECT& caption, bool horizontal)
{
    RECT b = caption;
    if (horizontal)
        ::InflateRect(&b, 0, -2);
    else
        ::InflateRect(&b, -2, 0);
    ::InflateRect(&b, -2, -2);
    if (horizontal) {
        b.left = b.right - (b.bottom - b.top);
        caption.right = b.left + 1;
    } else {
        b.bottom = b.top + (b.right - b.left);
        caption.top = b.bottom + 1;
    }
    return b;
}

void CVC7LikeExCaption::CButton::DrawWithEdge(HWND window, int state, UINT edge)
{
    const CWindowDC dc(window);
    DrawGlyph(window, dc, state);
    if (edge) {
        RECT rect = m_rect;
        ::DrawEdge(dc, &rect, edge, BF_RECT);
    }
}

void CVC7LikeExCaption::CButton::DrawPressed(HWND window)
{
    DrawWithEdge(window, Pressed, BDR_SUNKENOUTER);
}

void CVC7LikeExCaption::CButton::DrawReleased(HWND window)
{
    DrawWithEdge(window, Normal, 0);
}

void CVC7LikeExCaption::CButton::DrawHot(HWND window)
{
    DrawWithEdge(window, Hot, BDR_RAISEDINNER);
}

void CVC7LikeExCaption::CCloseButton::DrawGlyph(HWND window, HDC dc, int state)
{
    const GlyphColors colors = ColorsFor(window);
    FillSolid(dc, m_rect, colors.background);
    const int shift = state == Pressed ? 1 : 0;
    RECT r = Shifted(m_rect, shift, shift);
    const CSavedDC saved(dc);
    if (CDockingSettings::Instance().SmallCaptionHeight() < 16) {
        // Too small for the font's cross to read: two thin lines.
        const CPen pen(::CreatePen(PS_SOLID, 1, colors.text));
        ::SelectObject(dc, pen);
        Line(dc, r.left + 2, r.top + 3, r.right - 3, r.bottom - 2);
        Line(dc, r.left + 2, r.bottom - 3, r.right - 3, r.top + 2);
        return;
    }
    // The cross of the Marlett font, sized by the button: 7 tenths of a
    // point per pixel of its height.
    LOGFONTW logFont = {};
    const CClientDC screen(nullptr);
    logFont.lfHeight = -::MulDiv((m_rect.bottom - m_rect.top) * 7, ::GetDeviceCaps(screen, LOGPIXELSY), 720);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(logFont.lfFaceName, L"Marlett", LF_FACESIZE);
    const CFont font(::CreateFontIndirectW(&logFont));
    ::SelectObject(dc, font);
    ::SetTextColor(dc, colors.text);
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, L"r", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CVC7LikeExCaption::CPinButton::DrawGlyph(HWND window, HDC dc, int state)
{
    const GlyphColors colors = ColorsFor(window);
    FillSolid(dc, m_rect, colors.background);
    const int h = CDockingSettings::Instance().SmallCaptionHeight();
    const int penWidth = std::max(1, h / 20);
    const int u = h / 5;
    const int k = h / 10;
    const int k2 = h >= 20 ? h / 10 - 1 : 1;
    const LOGBRUSH penBrush = {BS_SOLID, colors.text, 0};
    const CPen pen(::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL,
                                  static_cast<DWORD>(penWidth), &penBrush, 0, nullptr));
    const CSavedDC saved(dc);
    ::SelectObject(dc, pen);
    if (pinned) {
        const RECT r = state == Pressed ? Shifted(m_rect, 0, 1) : Shifted(m_rect, -1, 0);
        const int cx = (r.left + r.right) / 2;
        const int base = h >= 20 ? 3 * penWidth : 2;
        const int y0 = r.bottom - base;
        const int y1 = y0 - u;
        const int y2 = y0 - 3 * u + 1;
        Line(dc, cx, y0, cx, y1);          // needle
        Line(dc, cx - u, y1, cx + u, y1);  // collar
        const POINT head[] = {{cx + k - u, y1}, {cx + k - u, y2}, {cx + u - k, y2}, {cx + u - k, y1}};
        ::Polyline(dc, head, 4);
        const RECT strip = {cx + u - k - k2, y2 + 1, cx + u - k, y1};
        FillSolid(dc, strip, colors.text);
    } else {
        const RECT r = state == Pressed ? Shifted(m_rect, 1, 1) : m_rect;
        const int cy = (r.top + r.bottom) / 2;
        const int base = h >= 20 ? 3 * penWidth : 1;
        const int x0 = r.left + base;
        const int x1 = x0 + u;
        const int x2 = x0 + 3 * u - 1;
        Line(dc, x0, cy, x1, cy);
        Line(dc, x1, cy - u, x1, cy + u);
        const POINT head[] = {{x1, cy + k - u}, {x2, cy + k - u}, {x2, cy + u - k}, {x1, cy + u - k}};
        ::Polyline(dc, head, 4);
        const RECT strip = {x1 + 1, cy + u - k - k2, x2, cy + u - k};
        FillSolid(dc, strip, colors.text);
    }
}

CVC7LikeExCaption::CVC7LikeExCaption()
{
    m_horizontal = true;
    m_thickness = CDockingSettings::Instance().SmallCaptionHeight() + 5;
}

void CVC7LikeExCaption::SetOrientation(bool horizontal)
{
    if (horizontal == m_horizontal)
        return;
    m_horizontal = horizontal;
    UpdateMetrics();
}

void CVC7LikeExCaption::UpdateMetrics()
{
    m_thickness = CDockingSettings::Instance().SmallCaptionHeight() + 5;
}

void CVC7LikeExCaption::CalculateRect(RECT& windowRect, bool atStart)
{
    TakeBand(windowRect, atStart);
    RECT rest = m_rect;
    m_close.CalculateRect(rest, m_horizontal);
    m_pin.CalculateRect(rest, m_horizontal);
}

CVC7LikeExCaption::CButton* CVC7LikeExCaption::Button(int hitCode)
{
    if (hitCode == HitPin)
        return &m_pin;
    if (hitCode == HitClose)
        return &m_close;
    return nullptr;
}

void CVC7LikeExCaption::Draw(HWND window, HDC dc)
{
    const bool active = IsActive(window);
    RECT inner = m_rect;
    if (m_horizontal)
        ::InflateRect(&inner, 0, -2);
    else
        ::InflateRect(&inner, -2, 0);
    FillSolid(dc, m_rect, ::GetSysColor(COLOR_BTNFACE));
    if (active) {
        FillSolid(dc, inner, ::GetSysColor(COLOR_ACTIVECAPTION));
    } else {
        ::InflateRect(&inner, -1, 0);
        ::DrawEdge(dc, &inner, EDGE_ETCHED, BF_FLAT | BF_TOP | BF_BOTTOM);
        ::InflateRect(&inner, 1, -1);
        ::DrawEdge(dc, &inner, EDGE_ETCHED, BF_FLAT | BF_LEFT | BF_RIGHT);
    }

    const EString text = CWindow(window).GetWindowText();
    if (!text.empty()) {
        RECT textRect = inner;
        const CDockingSettings& settings = CDockingSettings::Instance();
        HFONT font = nullptr;
        if (m_horizontal) {
            textRect.left += 5;
            textRect.right = m_pin.Rect().left - 2;
            font = settings.HorizontalCaptionFont();
        } else {
            textRect.bottom -= 3;
            textRect.top = m_pin.Rect().bottom + 2;
            font = settings.VerticalCaptionFont();
        }
        if (!::IsRectEmpty(&textRect)) {
            const CSavedDC saved(dc);
            ::SelectObject(dc, font);
            ::SetTextColor(dc, ::GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT));
            ::SetBkMode(dc, TRANSPARENT);
            DrawEllipsisText(dc, text.c_str(), static_cast<int>(text.size()), textRect, m_horizontal);
        }
    }
    m_close.DrawGlyph(window, dc, Normal);
    m_pin.DrawGlyph(window, dc, Normal);
}

} // namespace dockwins
