#include "dialogs/HyperLink.h"

#include "foundation/FileSystem.h"

namespace {

constexpr COLORREF kLinkColour = RGB(0, 0, 238);

bool OpenInBrowser(const EString& url)
{
    return FileSystem::OpenWithShell(url, EString(), false);
}

CHyperLink::PageOpener s_opener = &OpenInBrowser;

} // namespace

void CHyperLink::SetPageOpener(PageOpener opener)
{
    s_opener = opener ? opener : &OpenInBrowser;
}

bool CHyperLink::Attach(HWND control, const EString& url)
{
    m_url = url;
    if (!control || !SubclassWindow(control))
        return false;
    LOGFONTW font = {};
    const HFONT shown = GetFont();
    if (::GetObjectW(shown ? shown : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font)) {
        font.lfUnderline = TRUE;
        m_underlined.Attach(::CreateFontIndirectW(&font));
    }
    return true;
}

LRESULT CHyperLink::OnSetCursor(UINT, WPARAM, LPARAM, bool&)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

LRESULT CHyperLink::OnClick(UINT, WPARAM, LPARAM, bool& handled)
{
    s_opener(m_url);
    handled = false;
    return 0;
}

LRESULT CHyperLink::OnPaint(UINT, WPARAM, LPARAM, bool&)
{
    PAINTSTRUCT paint = {};
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client = GetClientRect();
    const HWND parent = ::GetParent(m_hWnd);
    // The dialog's own background, as the static would have it.
    const HBRUSH background = reinterpret_cast<HBRUSH>(
        ::SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hWnd)));
    ::FillRect(dc, &client, background ? background : ::GetSysColorBrush(COLOR_BTNFACE));
    const HGDIOBJ oldFont = ::SelectObject(dc, m_underlined.IsNull() ? GetFont() : m_underlined.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kLinkColour);
    const EString text = GetWindowText();
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}
