#include "dialogs/TimerFrame.h"

#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

void CTimerFrame::SetText(const EString& text)
{
    m_text = text;
    if (m_hWnd) {
        Invalidate(true);
        ::UpdateWindow(m_hWnd);
    }
}

LRESULT CTimerFrame::OnPaint(UINT, WPARAM, LPARAM, bool&)
{
    const CPaintDC dc(m_hWnd);
    RECT client = GetClientRect();
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    const int height = client.bottom - client.top;
    // Smaller as the face grows taller, as the face has always drawn it.
    const int fontHeight = height > 0 ? -::MulDiv(10, ::GetDeviceCaps(dc, LOGPIXELSY), height + height / 5) : 0;
    const CFont font(::CreateFontW(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
    const CSelectObject selectFont(dc, font);
    ::DrawTextW(dc, m_text.c_str(), static_cast<int>(m_text.size()), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return 0;
}
