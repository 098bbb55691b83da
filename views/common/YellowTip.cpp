#include "views/common/YellowTip.h"

#include <commctrl.h>

#include "foundation/WindowState.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"

namespace {

constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX; // a description may hold '&'
constexpr int kPadWidth = 6;
constexpr int kPadHeight = 4;
constexpr int kGapBelowPointer = 21; // clear of the pointer's arrow
constexpr int kGapAbove = 3;
constexpr int kRowsInset = 4;

HGDIOBJ TipFont()
{
    return ::GetStockObject(DEFAULT_GUI_FONT);
}

} // namespace

HWND CYellowTip::Create(HWND owner)
{
    if (!owner)
        return nullptr;
    m_owner = owner;
    return CWindowImpl<CYellowTip>::Create(
        CreateArgs{.parent = owner, .title = L"Description", .style = WS_POPUP | WS_DISABLED, .rect = {0, 0, 0, 0}});
}

void CYellowTip::OnMouseMove(POINT point)
{
    if (!m_hWnd || (point.x == m_lastPoint.x && point.y == m_lastPoint.y))
        return;
    SetTimer(kShowTimer, kShowDelayMs);
    m_lastPoint = point;
    HideWindow();
}

void CYellowTip::RelayEvent(const MSG& message)
{
    if (!m_hWnd)
        return;
    if (message.message == WM_CHAR) {
        HideWindow();
    } else if (message.message == WM_LBUTTONDBLCLK) {
        KillTimer(kShowTimer);
        HideWindow();
    }
}

void CYellowTip::Hide()
{
    if (!m_hWnd)
        return;
    // A show still pending would bring the tip back after its owner hid it.
    KillTimer(kShowTimer);
    KillTimer(kHideTimer);
    HideWindow();
}

void CYellowTip::HideWindow()
{
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
}

LRESULT CYellowTip::OnTimer(UINT, WPARAM wParam, LPARAM, bool& handled)
{
    if (wParam == kShowTimer) {
        KillTimer(kShowTimer);
        Show();
    } else if (wParam == kHideTimer) {
        KillTimer(kHideTimer);
        if (m_options.autoHide)
            HideWindow();
    } else {
        handled = false;
    }
    return 0;
}

void CYellowTip::Show()
{
    // An owner that does not answer gets no tip, not the last one's text.
    m_text.clear();
    if (!PointerOffOwnerRows())
        ::SendMessageW(m_owner, WM_YELLOWTIP_NEEDTEXT, 0, 0);
    if (m_text.empty()) {
        HideWindow();
        return;
    }

    const SIZE size = MeasureText();
    POINT corner = m_lastPoint;
    corner.y += m_options.above ? -(size.cy + kGapAbove) : kGapBelowPointer;
    if (!m_options.screenCoordinates)
        ::ClientToScreen(m_owner, &corner);
    const RECT rect = FitRectToMonitor({corner.x, corner.y, corner.x + size.cx, corner.y + size.cy});
    SetWindowPos(HWND_TOPMOST, rect, SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    if (m_options.autoHide)
        SetTimer(kHideTimer, kHideDelayMs);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool CYellowTip::PointerOffOwnerRows() const
{
    // Any window may answer a list-view message; only a real child header counts.
    const HWND header = reinterpret_cast<HWND>(::SendMessageW(m_owner, LVM_GETHEADER, 0, 0));
    if (!header || !::IsWindow(header) || ::GetParent(header) != m_owner)
        return false;
    RECT rows = {};
    ::GetClientRect(m_owner, &rows);
    if (::IsWindowVisible(header)) {
        RECT headerRect = {};
        ::GetWindowRect(header, &headerRect);
        rows.top += headerRect.bottom - headerRect.top;
    }
    ::InflateRect(&rows, -kRowsInset, -kRowsInset);
    POINT pointer = {};
    if (!::GetCursorPos(&pointer))
        return true;
    ::ScreenToClient(m_owner, &pointer);
    return !::PtInRect(&rows, pointer);
}

SIZE CYellowTip::MeasureText() const
{
    RECT desktop = {};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    RECT extent = {0, 0, (desktop.right - desktop.left) / 2, 0};
    const CClientDC dc(m_hWnd);
    const CSelectObject font(dc, TipFont());
    ::DrawTextW(dc, m_text.c_str(), static_cast<int>(m_text.size()), &extent, kTextFormat | DT_CALCRECT);
    return {extent.right - extent.left + kPadWidth, extent.bottom - extent.top + kPadHeight};
}

LRESULT CYellowTip::OnPaint(UINT, WPARAM, LPARAM, bool&)
{
    const CPaintDC dc(m_hWnd);
    RECT rect = {};
    ::GetClientRect(m_hWnd, &rect);
    ::SetBkMode(dc, TRANSPARENT);
    {
        const CPen pen(::CreatePen(PS_SOLID, 0, RGB(0, 0, 0)));
        const CBrush brush(::CreateSolidBrush(::GetSysColor(COLOR_INFOBK)));
        const CSelectObject selectPen(dc, pen);
        const CSelectObject selectBrush(dc, brush);
        ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    const CSelectObject font(dc, TipFont());
    ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
    ::InflateRect(&rect, -2, -2);
    ::DrawTextW(dc, m_text.c_str(), static_cast<int>(m_text.size()), &rect, kTextFormat);
    return 0;
}

LRESULT CYellowTip::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    HideWindow();
    return 0;
}
