#include "dialogs/BusyWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "foundation/AppWindow.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

HFONT MessageFont()
{
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

SIZE TextSize(const EString& text)
{
    const CClientDC screen(nullptr);
    const CSelectObject font(screen, MessageFont());
    RECT bounds = {0, 0, 0, 0};
    ::DrawTextW(screen, text.c_str(), -1, &bounds, DT_CALCRECT | DT_NOPREFIX);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

HWND CreateChild(HWND parent, const wchar_t* className, DWORD style, const RECT& place)
{
    const HWND child = ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                         place.right - place.left, place.bottom - place.top, parent, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr);
    if (child)
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
    return child;
}

} // namespace

CBusyWindow::CBusyWindow(HWND owner, const EString& text)
{
    if (!owner)
        return;
    const SIZE textSize = TextSize(text);
    const int clientWidth = std::max(kMinimumWidth, static_cast<int>(textSize.cx) + 2 * kMargin);
    const int clientHeight = kMargin + textSize.cy + kMargin + kBarHeight + kMargin;
    constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_BORDER;
    RECT frame = {0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT ownerRect = {};
    ::GetWindowRect(owner, &ownerRect);
    const int left = ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2;
    const int top = ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2;
    const EString title = AppProductName();
    if (!Create({.parent = owner,
                 .title = title.c_str(),
                 .style = kStyle,
                 .exStyle = WS_EX_DLGMODALFRAME,
                 .rect = {left, top, left + width, top + height}}))
        return;
    const HWND label = CreateChild(m_hWnd, L"STATIC", SS_LEFT | SS_NOPREFIX,
                                   {kMargin, kMargin, clientWidth - kMargin, kMargin + textSize.cy});
    ::SetWindowTextW(label, text.c_str());
    const int barTop = kMargin + textSize.cy + kMargin;
    const HWND bar = CreateChild(m_hWnd, PROGRESS_CLASSW, PBS_MARQUEE,
                                 {kMargin, barTop, clientWidth - kMargin, barTop + kBarHeight});
    ::SendMessageW(bar, PBM_SETMARQUEE, TRUE, 0);
    m_focus = ::GetFocus();
    // Shown active, it takes the keyboard: no key reaches the plan meanwhile.
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    ::UpdateWindow(m_hWnd);
    ::EnumThreadWindows(::GetCurrentThreadId(), DisableShownWindow, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK CBusyWindow::DisableShownWindow(HWND window, LPARAM self)
{
    auto& busy = *reinterpret_cast<CBusyWindow*>(self);
    if (window != busy.m_hWnd && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
        ::EnableWindow(window, FALSE);
        busy.m_disabled.push_back(window);
    }
    return TRUE;
}

CBusyWindow::~CBusyWindow()
{
    // Those first, so that the activation goes back to the owner.
    for (const HWND window : m_disabled)
        if (::IsWindow(window))
            ::EnableWindow(window, TRUE);
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    // The keyboard goes back where it was.
    if (m_focus && ::IsWindow(m_focus) && ::IsWindowEnabled(m_focus) && ::GetFocus() != m_focus)
        ::SetFocus(m_focus);
}
