#include "dialogs/InfoFrame.h"

#include "dialogs/TranslatedOrKey.h"
#include "foundation/ResourceModule.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

// A font of the given size in points for the screen.
CFont MakeFont(HDC dc, const wchar_t* face, int points, int weight)
{
    const int height = -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    return CFont(::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    const COLORREF previous = ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, previous);
}

} // namespace

void CInfoFrame::SetText(const EString& text)
{
    m_text = text;
    if (!m_hWnd)
        return;
    const RECT area = TextRect();
    ::InvalidateRect(m_hWnd, &area, TRUE);
    ::UpdateWindow(m_hWnd);
}

RECT CInfoFrame::TextRect() const
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    return {kBandWidth + kGap, kHeadingHeight + kGap, client.right, client.bottom};
}

LRESULT CInfoFrame::OnPaint(UINT, WPARAM, LPARAM, bool&)
{
    CPaintDC dc(m_hWnd);
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));

    {
        const CFont heading = MakeFont(dc, L"Times New Roman", 15, FW_BOLD);
        CSelectObject font(dc, heading);
        RECT headingRect = {kBandWidth + kGap, 0, client.right, kHeadingHeight};
        const EString text = TranslatedOrKey(L"DID_YOU");
        ::DrawTextW(dc, text.c_str(), -1, &headingRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }

    FillSolid(dc, {0, 0, kBandWidth, client.bottom}, kBandColour);
    // A 32-pixel icon sits in the middle of the band's top square.
    if (const HICON bulb = LoadAppIcon(kIconId))
        ::DrawIconEx(dc, (kBandWidth - 32) / 2, (kBandWidth - 32) / 2, bulb, 32, 32, 0, nullptr, DI_NORMAL);
    FillSolid(dc, {kBandWidth, kHeadingHeight - 2, client.right, kHeadingHeight}, kBandColour);

    const CFont body = MakeFont(dc, L"Arial", 10, FW_NORMAL);
    CSelectObject font(dc, body);
    RECT textRect = TextRect();
    ::DrawTextW(dc, m_text.c_str(), -1, &textRect, DT_WORDBREAK | DT_NOPREFIX);
    return 0;
}
