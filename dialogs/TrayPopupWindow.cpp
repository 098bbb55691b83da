#include "dialogs/TrayPopupWindow.h"

#include <algorithm>

#include "document/model/TimeRange.h"
#include "foundation/Language.h"
#include "foundation/Locale.h"
#include "foundation/TimeParser.h"

namespace {

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}
int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

// A taskbar that is hidden, or reported with no size (as where there is no
// shell), says nothing about where the screen ends.
bool TaskbarRect(RECT& rect)
{
    const HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    return taskbar && ::IsWindowVisible(taskbar) && ::GetWindowRect(taskbar, &rect);
}

RECT NoticeRect()
{
    RECT workArea = {};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0))
        ::GetClientRect(::GetDesktopWindow(), &workArea);
    RECT taskbar = {};
    const bool shown = TaskbarRect(taskbar);
    return PlaceTrayNotice(shown, taskbar, workArea);
}

} // namespace

RECT PlaceTrayNotice(bool taskbarShown, const RECT& taskbar, const RECT& workArea)
{
    const int width = TrayPopupWindow::kWidth;
    const int height = TrayPopupWindow::kHeight;
    RECT notice = {workArea.right - width, workArea.bottom - height, workArea.right, workArea.bottom};
    if (taskbarShown && Width(taskbar) > 0 && Height(taskbar) > 0)
        notice = {taskbar.right - width, taskbar.top - height, taskbar.right, taskbar.top};
    // Into the work area: a taskbar at the top or off the screen would
    // otherwise put the notice where nobody sees it.
    const int left = std::max<int>(workArea.left, std::min<int>(notice.left, workArea.right - width));
    const int top = std::max<int>(workArea.top, std::min<int>(notice.top, workArea.bottom - height));
    return {left, top, left + width, top + height};
}

EString TrayNoticeText(const EString& name, double hours)
{
    const wchar_t* plural = AdvMath::RoundTo(hours, 1) == 1.0 ? L"" : L"s";
    EString text = name;
    text += L"\n ";
    text += Locale::FormatDecimal(hours);
    text += L" hour";
    text += plural;
    return text;
}

TrayPopupWindow::~TrayPopupWindow()
{
    if (s_current == this)
        s_current = nullptr;
}

void TrayPopupWindow::Show(const EString& text)
{
    if (!s_current) {
        const EString caption = Resource::Translate(L"ItsTimeFor");
        s_current = New({.title = caption.empty() ? L"It's time for" : caption.c_str(),
                         .style = WS_CAPTION | WS_SYSMENU,
                         .exStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE,
                         .rect = NoticeRect()});
        if (!s_current)
            return;
    }
    s_current->m_text = text;
    s_current->Invalidate(true);
    s_current->SetTimer(kShowTimer, kShowDelayMs);
}

void TrayPopupWindow::Destroy()
{
    if (s_current)
        s_current->DestroyWindow();
}

LRESULT TrayPopupWindow::OnTimer(UINT, WPARAM timer, LPARAM, bool& handled)
{
    KillTimer(timer);
    if (timer == kShowTimer) {
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SetTimer(kHideTimer, kShownMs);
    } else if (timer == kHideTimer) {
        ShowWindow(SW_HIDE);
    } else {
        handled = false;
    }
    return 0;
}

LRESULT TrayPopupWindow::OnPaint(UINT, WPARAM, LPARAM, bool&)
{
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client = GetClientRect();
    ::SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ previous = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
    ::DrawTextW(dc, m_text.c_str(), static_cast<int>(m_text.size()), &client, DT_WORDBREAK);
    ::SelectObject(dc, previous);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

// The close box only hides: the next notice reuses the window.
LRESULT TrayPopupWindow::OnClose(UINT, WPARAM, LPARAM, bool&)
{
    ShowWindow(SW_HIDE);
    return 0;
}

void ShowTrayPopup(const TimeRange& entry)
{
    TrayPopupWindow::Show(TrayNoticeText(entry.GetName(), entry.GetDurationHours()));
}
