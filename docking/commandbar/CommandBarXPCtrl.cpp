#include "docking/commandbar/CommandBarXPCtrl.h"

#include <algorithm>

#include "docking/commandbar/FlatMenuWindow.h"
#include "docking/commandbar/XPColors.h"
#include "docking/commandbar/XPMenuMetrics.h"
#include "foundation/SystemEntry.h"
#include "winlib/DeviceContext.h"
#include "winlib/GdiObject.h"
#include "winlib/MenuText.h"
#include "winlib/ToolbarButtonText.h"

namespace {

// The title whose popup is opening (only its width counts; empty when none),
// set when its drop-down is announced, and the bar whose menu the CBT hook
// watches. One menu loop runs at a time on the user-interface thread.
RECT g_openingTitle = {};
bool g_dropDownOpened = false;
HHOOK g_cbtHook = nullptr;
CCommandBarXPCtrl* g_trackingXPBar = nullptr;

constexpr int kDropDownArrowWidth = 14;
constexpr int kWholeDropDownArrowWidth = 10;

bool IsMenuWindow(HWND hwnd)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hwnd, className, 16);
    return lstrcmpW(className, L"#32768") == 0;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    CBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush);
}

// A rectangle with a one-pixel border and a fill.
void FrameAndFill(HDC dc, const RECT& rect, COLORREF border, COLORREF fill)
{
    CPen pen(::CreatePen(PS_SOLID, 1, border));
    CBrush brush(::CreateSolidBrush(fill));
    CSelectObject usePen(dc, pen);
    CSelectObject useBrush(dc, brush);
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawDropDownArrow(HDC dc, int cx, int cy)
{
    const POINT corners[3] = {{cx - 2, cy - 2}, {cx + 2, cy - 2}, {cx, cy + 1}};
    CSelectObject pen(dc, ::GetStockObject(BLACK_PEN));
    CSelectObject brush(dc, ::GetStockObject(BLACK_BRUSH));
    ::Polygon(dc, corners, 3);
}

SIZE IconSize(HIMAGELIST list)
{
    int width = 0, height = 0;
    if (list)
        ::ImageList_GetIconSize(list, &width, &height);
    return {width, height};
}

} // namespace

CCommandBarXPCtrl::CCommandBarXPCtrl()
{
    UpdateXPColorSet();
}

CCommandBarXPCtrl::~CCommandBarXPCtrl()
{
    if (g_trackingXPBar == this)
        g_trackingXPBar = nullptr;
}

void CCommandBarXPCtrl::AddXPToolbar(HWND toolbar)
{
    if (toolbar && !IsXPToolbar(toolbar))
        m_xpToolbars.push_back(toolbar);
}

bool CCommandBarXPCtrl::IsXPToolbar(HWND toolbar) const
{
    return std::find(m_xpToolbars.begin(), m_xpToolbars.end(), toolbar) != m_xpToolbars.end();
}

void CCommandBarXPCtrl::UpdateRebarBands()
{
    UpdateXPColorSet();
    const HWND rebar = GetParent();
    if (!rebar)
        return;
    const int count = static_cast<int>(::SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        REBARBANDINFOW band = {};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_STYLE | RBBIM_COLORS | RBBIM_CHILD;
        if (!::SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band)))
            continue;
        if (band.hwndChild == m_hWnd)
            band.fStyle |= RBBS_NOGRIPPER;
        else
            band.clrBack = XPColorSet().barBackground;
        band.fMask = RBBIM_STYLE | RBBIM_COLORS;
        ::SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band));
    }
    // Off and on again: the rebar lays itself out anew.
    ::SendMessageW(rebar, RB_SHOWBAND, 0, FALSE);
    ::SendMessageW(rebar, RB_SHOWBAND, 0, TRUE);
}

bool CCommandBarXPCtrl::ProcessFrameMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!m_hWnd)
        return false;
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
        UpdateXPColorSet();
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        const bool fromBar = header->hwndFrom == m_hWnd;
        if (header->code == NM_CUSTOMDRAW && (fromBar || IsXPToolbar(header->hwndFrom))) {
            result = OnToolbarCustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(lParam), fromBar);
            return true;
        }
        if (header->code == NM_CUSTOMDRAW && header->hwndFrom == GetParent() && header->hwndFrom != Frame()) {
            result = OnRebarCustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(lParam));
            return true;
        }
        if (header->code == TBN_DROPDOWN && fromBar) {
            const auto* toolbar = reinterpret_cast<const NMTOOLBARW*>(lParam);
            const LRESULT index = SendMessage(TB_COMMANDTOINDEX, static_cast<WPARAM>(toolbar->iItem));
            SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&g_openingTitle));
            g_dropDownOpened = true;
        }
    }
    return CCommandBar::ProcessFrameMessage(hwnd, message, wParam, lParam, result);
}

LRESULT CCommandBarXPCtrl::OnToolbarCustomDraw(NMTBCUSTOMDRAW& draw, bool commandBar)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        CSelectObject font(draw.nmcd.hdc, MenuFont());
        DrawToolbarItem(draw, commandBar);
        return CDRF_SKIPDEFAULT;
    }
    default:
        return 0;
    }
}

void CCommandBarXPCtrl::DrawToolbarItem(const NMTBCUSTOMDRAW& draw, bool commandBar)
{
    const HWND toolbar = draw.nmcd.hdr.hwndFrom;
    const HDC dc = draw.nmcd.hdc;
    const UINT id = static_cast<UINT>(draw.nmcd.dwItemSpec);
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_IMAGE | TBIF_STATE | TBIF_STYLE;
    ::SendMessageW(toolbar, TB_GETBUTTONINFOW, id, reinterpret_cast<LPARAM>(&info));
    const EString text = ToolbarButtonText(toolbar, id);

    const UINT itemState = draw.nmcd.uItemState;
    const bool selected = itemState & CDIS_SELECTED;
    const bool hot = itemState & CDIS_HOT;
    const bool checked = info.fsState & TBSTATE_CHECKED;
    const bool pressed = info.fsState & TBSTATE_PRESSED;
    const bool disabled = !(info.fsState & TBSTATE_ENABLED);
    const bool dropDown = info.fsStyle & BTNS_DROPDOWN;
    const bool wholeDropDown = info.fsStyle & BTNS_WHOLEDROPDOWN;
    const bool listStyle = ::GetWindowLongPtrW(toolbar, GWL_STYLE) & TBSTYLE_LIST;
    const XPColors& colors = XPColorSet();
    RECT item = draw.nmcd.rc;

    if (!disabled && (selected || hot || checked || pressed)) {
        if (g_dropDownOpened) {
            // The opened title merges with its popup.
            FillSolid(dc, item, colors.barBackground);
            g_dropDownOpened = false;
        } else if (!dropDown || !commandBar || !(selected || pressed)) {
            const COLORREF fill = selected ? colors.pressedFill : colors.hotFill;
            FrameAndFill(dc, item, colors.highlightBorder, fill);
            if (dropDown && !commandBar) {
                const RECT arrow = {item.right - kDropDownArrowWidth, item.top, item.right, item.bottom};
                FrameAndFill(dc, arrow, colors.highlightBorder, fill);
            }
        } else {
            FillSolid(dc, item, colors.barBackground);
        }
    }
    if (!commandBar && (dropDown || wholeDropDown)) {
        const int width = dropDown ? kDropDownArrowWidth : kWholeDropDownArrowWidth;
        DrawDropDownArrow(dc, item.right - width / 2, (item.top + item.bottom) / 2);
        item.right -= width;
    }

    RECT textArea = item;
    if (info.iImage >= 0) {
        const auto normal = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
        HIMAGELIST list = normal;
        if (hot)
            list = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETHOTIMAGELIST, 0, 0));
        else if (disabled)
            list = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETDISABLEDIMAGELIST, 0, 0));
        if (!list)
            list = normal;
        const SIZE icon = IconSize(list);
        const int width = item.right - item.left;
        const int height = item.bottom - item.top;
        const int x = item.left + (listStyle ? 4 : (width - icon.cx) / 2);
        const int y = item.top + (text.empty() ? (height - icon.cy) / 2 + 1 : 4);
        DrawImage(dc, list, info.iImage, x, y, disabled, hot && !selected);
        if (listStyle)
            textArea.left = x + icon.cx + 4;
        else if (!text.empty())
            textArea.top += (height - icon.cy) / 2 + 6;
    }
    if (text.empty())
        return;
    ::SetTextColor(dc, disabled ? colors.disabledText : hot ? colors.hotToolbarText : colors.toolbarText);
    ::SetBkMode(dc, TRANSPARENT);
    // Text beside an image starts after it; a title alone is centred.
    const bool centred = !listStyle || info.iImage < 0;
    const UINT format = (centred ? DT_CENTER : 0) | DT_VCENTER | DT_SINGLELINE | (KeyboardCuesShown() ? 0 : DT_HIDEPREFIX);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea, format);
}

LRESULT CCommandBarXPCtrl::OnRebarCustomDraw(NMCUSTOMDRAW& draw)
{
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT)
        return 0;
    if ((draw.dwItemSpec & 0xFF) != 0)
        DrawGripper(draw);
    return CDRF_SKIPDEFAULT;
}

void CCommandBarXPCtrl::DrawGripper(const NMCUSTOMDRAW& draw)
{
    const HWND rebar = draw.hdr.hwndFrom;
    const HDC dc = draw.hdc;
    RECT gripper = {draw.rc.left + 2, draw.rc.top + 4, draw.rc.left + 8 - 2, draw.rc.bottom - 4};
    const LRESULT index = ::SendMessageW(rebar, RB_IDTOINDEX, draw.dwItemSpec, 0);
    wchar_t title[101] = {};
    REBARBANDINFOW band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_TEXT;
    band.lpText = title;
    band.cch = 100;
    if (index >= 0 && ::SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band)) &&
        title[0]) {
        RECT text = draw.rc;
        text.left = gripper.right + 4;
        CSelectObject font(dc, MenuFont());
        ::SetTextColor(dc, XPColorSet().disabledText);
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, title, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_HIDEPREFIX);
    }
    if (::IsRectEmpty(&gripper))
        return;
    // Thin horizontal stripes: one row set, one clear.
    static const WORD rows[8] = {0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF};
    CBitmap pattern(::CreateBitmap(8, 8, 1, 1, rows));
    CBrush brush(::CreatePatternBrush(pattern));
    CSavedDC saved(dc);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::FillRect(dc, &gripper, brush);
}

void CCommandBarXPCtrl::DrawImage(HDC dc, HIMAGELIST list, int image, int x, int y, bool disabled, bool lift)
{
    const XPColors& colors = XPColorSet();
    auto drawMono = [&](int left, int top) {
        const HICON icon = ::ImageList_GetIcon(list, image, ILD_TRANSPARENT);
        if (!icon)
            return;
        CBrush brush(::CreateSolidBrush(colors.disabledImage));
        ::DrawStateW(dc, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, left, top, 0, 0, DST_ICON | DSS_MONO);
        ::DestroyIcon(icon);
    };
    if (disabled) {
        drawMono(x, y);
        return;
    }
    if (lift) {
        drawMono(x + 1, y + 1);
        ::ImageList_Draw(list, image, dc, x - 1, y - 1, ILD_TRANSPARENT);
        return;
    }
    ::ImageList_DrawEx(list, image, dc, x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
}

void CCommandBarXPCtrl::MeasureMenuItem(MEASUREITEMSTRUCT& measure, const CommandBarItem& item)
{
    const SIZE cell = ImageCellSize(GetImageSize());
    const bool separator = item.type & MFT_SEPARATOR;
    SIZE text = {};
    int fontHeight = 0;
    if (!separator) {
        LOGFONTW logFont = {};
        ::GetObjectW(MenuFont(), sizeof(logFont), &logFont);
        if (item.state & MFS_DEFAULT)
            logFont.lfWeight += 200;
        CFont font(::CreateFontIndirectW(&logFont));
        CClientDC dc(m_hWnd);
        CSelectObject useFont(dc, font);
        RECT bounds = {};
        ::DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &bounds,
                    DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        text = {bounds.right - bounds.left, bounds.bottom - bounds.top};
        fontHeight = logFont.lfHeight;
    }
    const SIZE size = MeasureXPMenuItem(separator, text, fontHeight, cell, ::GetSystemMetrics(SM_CXMENUCHECK));
    measure.itemWidth = static_cast<UINT>(std::max<LONG>(size.cx, 0));
    measure.itemHeight = static_cast<UINT>(size.cy);
}

void CCommandBarXPCtrl::DrawMenuItem(const DRAWITEMSTRUCT& draw, const CommandBarItem& item)
{
    const HDC dc = draw.hDC;
    CSavedDC saved(dc);
    const XPColors& colors = XPColorSet();
    const SIZE cell = ImageCellSize(GetImageSize());
    const RECT area = draw.rcItem;
    const bool disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool selected = (draw.itemState & ODS_SELECTED) && draw.itemID != static_cast<UINT>(-1);
    const bool checked = draw.itemState & ODS_CHECKED;
    const int squareTop = area.top + (area.bottom - area.top - cell.cy) / 2;
    const RECT square = {area.left, squareTop, area.left + cell.cx, squareTop + cell.cy};
    RECT margin = area;
    margin.right = area.left + cell.cx + 1;
    RECT textArea = area;
    textArea.left = margin.right;

    // A disabled item never looks chosen.
    if (disabled || !selected) {
        FillSolid(dc, margin, colors.barBackground);
        FillSolid(dc, textArea, colors.menuBackground);
    } else {
        FrameAndFill(dc, area, colors.highlightBorder, colors.hotFill);
    }
    if (item.type & MFT_SEPARATOR) {
        const int middle = (area.top + area.bottom) / 2;
        const RECT line = {textArea.left + 10, middle, area.right, middle + 1};
        FillSolid(dc, line, colors.barBackground);
        return;
    }
    if (item.image < 0) {
        if (checked)
            DrawCheck(dc, square, selected);
    } else {
        const SIZE image = GetImageSize();
        const int x = square.left + (cell.cx - image.cx) / 2;
        const int y = square.top + (cell.cy - image.cy) / 2;
        DrawImage(dc, Images(), item.image, x, y, disabled, selected);
    }

    LOGFONTW logFont = {};
    ::GetObjectW(MenuFont(), sizeof(logFont), &logFont);
    if (item.state & MFS_DEFAULT)
        logFont.lfWeight += 200;
    CFont font(::CreateFontIndirectW(&logFont));
    CSelectObject useFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? colors.disabledText : selected ? colors.selectedMenuText : colors.menuText);
    textArea.left += 6;
    textArea.right -= cell.cx;
    const UINT format = DT_SINGLELINE | DT_VCENTER | (KeyboardCuesShown() ? 0 : DT_HIDEPREFIX);
    const auto label = MenuText::Label(item.text);
    const auto shortcut = MenuText::Shortcut(item.text);
    ::DrawTextW(dc, label.data(), static_cast<int>(label.size()), &textArea, format | DT_LEFT);
    if (!shortcut.empty())
        ::DrawTextW(dc, shortcut.data(), static_cast<int>(shortcut.size()), &textArea, format | DT_RIGHT);
}

void CCommandBarXPCtrl::DrawCheck(HDC dc, const RECT& square, bool selected)
{
    const XPColors& colors = XPColorSet();
    RECT box = square;
    ::InflateRect(&box, -3, -3);
    const COLORREF fill = selected ? colors.checkedFill : colors.hotFill;
    FrameAndFill(dc, box, colors.highlightBorder, fill);
    CBitmap check(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(OBM_CHECK)));
    BITMAP info = {};
    if (check.IsNull() || !::GetObjectW(check, sizeof(info), &info))
        return;
    const CCompatibleDC source(dc);
    CSelectObject use(source, check);
    // A mono bitmap takes the text colour for its set pixels and the fill for the rest.
    ::SetTextColor(dc, colors.menuText);
    ::SetBkColor(dc, fill);
    const int x = box.left + (box.right - box.left - info.bmWidth) / 2 + 1;
    const int y = box.top + (box.bottom - box.top - info.bmHeight) / 2;
    ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
}

UINT CCommandBarXPCtrl::RunTracking(HMENU popup, UINT flags, int x, int y, const TPMPARAMS* params, int titleIndex)
{
    if (titleIndex >= 0)
        SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(titleIndex), reinterpret_cast<LPARAM>(&g_openingTitle));
    else
        g_openingTitle = {};
    CCommandBarXPCtrl* outerBar = g_trackingXPBar;
    HHOOK outerHook = g_cbtHook;
    g_trackingXPBar = this;
    g_cbtHook = ::SetWindowsHookExW(WH_CBT, CbtHook, nullptr, ::GetCurrentThreadId());
    const UINT command = CCommandBar::RunTracking(popup, flags, x, y, params, titleIndex);
    if (g_cbtHook)
        ::UnhookWindowsHookEx(g_cbtHook);
    g_cbtHook = outerHook;
    g_trackingXPBar = outerBar;
    m_openMenus.clear();
    g_openingTitle = {};
    if (m_hWnd) {
        ::UpdateWindow(m_hWnd);
        ::UpdateWindow(Frame());
    }
    return command;
}

LRESULT CALLBACK CCommandBarXPCtrl::CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto hwnd = reinterpret_cast<HWND>(wParam);
    if (code >= 0 && g_trackingXPBar && (code == HCBT_CREATEWND || code == HCBT_DESTROYWND) && IsMenuWindow(hwnd)) {
        RunForSystem(L"the menu window hook", [&] {
            if (code == HCBT_CREATEWND)
                g_trackingXPBar->OnMenuWindowCreated(hwnd);
            else if (!g_trackingXPBar->m_openMenus.empty())
                g_trackingXPBar->m_openMenus.pop_back();
        });
    }
    // The hooks installed before this one hear of every window too.
    return ::CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

void CCommandBarXPCtrl::OnMenuWindowCreated(HWND menu)
{
    m_openMenus.push_back(menu);
    const XPColors& colors = XPColorSet();
    auto* flat = new CFlatMenuWindow(g_openingTitle.right - g_openingTitle.left, colors.menuBorder,
                                     colors.menuBackground, colors.barBackground);
    if (!flat->SubclassWindow(menu)) {
        delete flat;
        return;
    }
    ::SetWindowPos(menu, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // Only the first popup merges with its title; a submenu has a closed top border.
    g_openingTitle = {};
}
