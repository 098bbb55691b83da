#include "views/calendar/DayPlannerCtrl.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "views/calendar/PlannerGeometry.h"
#include "foundation/Clock.h"
#include "foundation/TimeParser.h"
#include "winlib/DeviceContext.h"

namespace {

constexpr COLORREF kHolidayText = RGB(200, 40, 40);
constexpr COLORREF kTodayUnderline = RGB(204, 28, 0);

SYSTEMTIME ToSystemTime(double date)
{
    SYSTEMTIME time = {};
    ::VariantTimeToSystemTime(date, &time);
    return time;
}

long long WholeSeconds(double date)
{
    return std::llround(date * 86400.0);
}

CFont MakeFont(HFONT base, const wchar_t* face, int height)
{
    LOGFONTW font = {};
    ::GetObjectW(base, sizeof(font), &font);
    font.lfHeight = height;
    ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CFont(::CreateFontIndirectW(&font));
}

TEXTMETRICW MetricsOf(HDC dc, HFONT font)
{
    const CSelectObject selected(dc, font);
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(dc, &metrics);
    return metrics;
}

int TextWidth(HDC dc, HFONT font, const wchar_t* text)
{
    const CSelectObject selected(dc, font);
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    return size.cx;
}

void Frame3D(HDC dc, const RECT& rect)
{
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT line = {rect.left, rect.top, rect.right, rect.top + 1};
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
    line = {rect.left, rect.top, rect.left + 1, rect.bottom};
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    line = {rect.left, rect.bottom - 1, rect.right, rect.bottom};
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
    line = {rect.right - 1, rect.top, rect.right, rect.bottom};
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
}

// "Mar 5, 2026", first letter upper-cased whatever the locale writes.
EString HeaderText(double day)
{
    const SYSTEMTIME time = ToSystemTime(day);
    wchar_t text[64] = {};
    ::GetDateFormatW(LOCALE_USER_DEFAULT, 0, &time, L"MMM d, yyyy", text, 64);
    ::CharUpperBuffW(text, 1);
    return text;
}

} // namespace

CDayPlannerCtrl::CDayPlannerCtrl() : m_pane(*this), m_dropMarker(YellowTipOptions{.autoHide = false}) {}

void CDayPlannerCtrl::Notify(WORD code)
{
    ::SendMessageW(GetParent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(m_hWnd));
}

void CDayPlannerCtrl::InvalidateAll()
{
    if (!m_hWnd)
        return;
    Invalidate(false);
    if (m_pane.m_hWnd)
        m_pane.Invalidate(false);
}

int CDayPlannerCtrl::SetStyleFlags(int flags)
{
    const int previous = m_settings.styleFlags;
    m_settings.styleFlags = flags;
    m_settings.layoutDirty = true;
    if (m_hWnd) {
        SendMessage(WM_WININICHANGE);
        const RECT client = GetClientRect();
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
        InvalidateAll();
    }
    return previous;
}

bool CDayPlannerCtrl::SetDayCount(int days)
{
    if (days < 1 || days > 14)
        return false;
    m_settings.dayCount = days;
    m_settings.firstDay = std::floor(m_settings.selectedTime);
    m_settings.layoutDirty = true;
    InvalidateAll();
    return true;
}

void CDayPlannerCtrl::SetRowScaleIndex(int index)
{
    m_settings.rowScaleIndex = std::clamp(index, 0, 3);
    SetRowMinutes(RowMinutesOfScale(m_settings.rowScaleIndex));
}

bool CDayPlannerCtrl::SetRowMinutes(int minutes)
{
    if (!IsValidRowMinutes(minutes))
        return false;
    m_settings.rowMinutes = minutes;
    m_settings.layoutDirty = true;
    if (m_hWnd) {
        SendMessage(WM_WININICHANGE);
        m_pane.SetUpScrolling();
        ScrollSelectedHourToTop();
        InvalidateAll();
    }
    return true;
}

int CDayPlannerCtrl::DecreaseRowScale()
{
    SetRowScaleIndex(m_settings.rowScaleIndex - 1);
    return m_settings.rowScaleIndex;
}

int CDayPlannerCtrl::IncreaseRowScale()
{
    SetRowScaleIndex(m_settings.rowScaleIndex + 1);
    return m_settings.rowScaleIndex;
}

void CDayPlannerCtrl::SetMinimumLength(int minutes)
{
    m_settings.minimumLength = std::max(0, minutes);
    m_settings.layoutDirty = true;
    InvalidateAll();
}

bool CDayPlannerCtrl::SetWorkHours(int first, int last)
{
    if (first < 0 || first >= last || last > 24)
        return false;
    m_settings.firstWorkHour = first;
    m_settings.lastWorkHour = last;
    InvalidateAll();
    return true;
}

void CDayPlannerCtrl::SetClock24(bool on)
{
    if (m_settings.clock24 == on)
        return;
    m_settings.clock24 = on;
    // The hour height makes room for AM and PM.
    if (m_hWnd)
        SetRowMinutes(m_settings.rowMinutes);
}

void CDayPlannerCtrl::SetHolidays(const Holidays& holidays)
{
    m_settings.holidays = holidays;
    InvalidateAll();
}

void CDayPlannerCtrl::ClearItems()
{
    m_settings.items.clear();
    m_settings.hourCells.clear();
    m_settings.placed.clear();
    m_settings.leftOut.clear();
    m_settings.layoutDirty = true;
    InvalidateAll();
}

bool CDayPlannerCtrl::AddItem(const PlannerItem& item)
{
    try {
        m_settings.items.push_back(item);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_settings.layoutDirty = true;
    InvalidateAll();
    return true;
}

bool CDayPlannerCtrl::AddItems(std::vector<PlannerItem>&& items)
{
    try {
        // A day's load comes to an empty planner: the items are taken whole, not moved one by one.
        if (m_settings.items.empty())
            m_settings.items = std::move(items);
        else
            m_settings.items.insert(m_settings.items.end(), std::make_move_iterator(items.begin()),
                                    std::make_move_iterator(items.end()));
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_settings.layoutDirty = true;
    InvalidateAll();
    return true;
}

bool CDayPlannerCtrl::GetItem(int index, PlannerItem& item) const
{
    if (index < 0 || index >= GetItemCount())
        return false;
    item = m_settings.items[static_cast<size_t>(index)];
    return true;
}

int CDayPlannerCtrl::GetItemData(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_settings.items[static_cast<size_t>(index)].data : 0;
}

void CDayPlannerCtrl::SetSelectedIndex(int index)
{
    m_settings.selectedIndex = index;
    if (m_pane.m_hWnd)
        ::RedrawWindow(m_pane, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

double CDayPlannerCtrl::GetLastShownMoment() const
{
    return m_settings.firstDay + m_settings.dayCount - 1.0 / 86400.0;
}

bool CDayPlannerCtrl::SetSelectedTime(double dateTime, bool notify)
{
    if (WholeSeconds(dateTime) == WholeSeconds(m_settings.selectedTime))
        return false;
    m_settings.selectedTime = dateTime;
    if (WholeSeconds(dateTime) < WholeSeconds(m_settings.firstDay) ||
        WholeSeconds(dateTime) > WholeSeconds(GetLastShownMoment())) {
        m_settings.firstDay = std::floor(dateTime);
        m_settings.layoutDirty = true;
        if (m_hWnd)
            Notify(kPlannerFirstDayChanged);
    }
    if (notify && m_hWnd)
        Notify(kPlannerSelectedTimeChanged);
    InvalidateAll();
    return true;
}

void CDayPlannerCtrl::ShowDropMarker(int x, int y)
{
    const double time = TimeOfDayAtContentY(y + m_pane.GetScrollOffset(), m_settings.hourHeight);
    m_settings.dropTime = CTimeGridCalc::RoundToGrid(time, m_settings.snapMinutes);
    m_dropMarkerText = TimeParser::FormatTimeLocale(m_settings.dropTime);
    m_dropMarker.OnMouseMove({x, y});
}

void CDayPlannerCtrl::HideDropMarker()
{
    if (m_dropMarker.m_hWnd)
        m_dropMarker.Hide();
}

LRESULT CDayPlannerCtrl::OnCreate(UINT, WPARAM, LPARAM, bool&)
{
    ModifyStyle(WS_CLIPCHILDREN, 0);
    m_settings.windowFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    SetFont(m_settings.windowFont, false);
    m_settings.styleFlags = 0;
    m_settings.dayCount = 1;
    m_settings.rowMinutes = 30;
    m_settings.firstWorkHour = 8;
    m_settings.lastWorkHour = 16;
    m_settings.minimumLength = 0;
    const double today = Clock::Now();
    m_settings.selectedTime = today;
    m_settings.firstDay = std::floor(today);
    UpdateMetrics();
    if (!m_pane.Create(m_hWnd))
        return -1;
    LayOutPane();
    m_dropMarker.Create(m_pane);
    return 0;
}

LRESULT CDayPlannerCtrl::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    if (m_dropMarker.m_hWnd)
        m_dropMarker.DestroyWindow();
    handled = false;
    return 0;
}

LRESULT CDayPlannerCtrl::OnSetFocus(UINT, WPARAM, LPARAM, bool&)
{
    Notify(kPlannerFocus);
    return 0;
}

LRESULT CDayPlannerCtrl::OnEraseBackground(UINT, WPARAM, LPARAM, bool&)
{
    return 1;
}

LRESULT CDayPlannerCtrl::OnPaint(UINT message, WPARAM wParam, LPARAM, bool&)
{
    if (message == WM_PRINTCLIENT) {
        PaintHeader(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    const CPaintDC dc(m_hWnd);
    PaintHeader(dc);
    return 0;
}

LRESULT CDayPlannerCtrl::OnSize(UINT, WPARAM wParam, LPARAM, bool&)
{
    if (wParam != SIZE_MINIMIZED && m_pane.m_hWnd)
        LayOutPane();
    return 0;
}

void CDayPlannerCtrl::LayOutPane()
{
    RECT client = GetClientRect();
    if (!m_settings.Has(kPlannerNoHeader))
        client.top = std::min(client.bottom, client.top + m_settings.headerHeight);
    m_pane.SetWindowPos(nullptr, client, SWP_NOACTIVATE | SWP_NOZORDER);
    m_pane.SetUpScrolling();
    ScrollSelectedHourToTop();
}

LRESULT CDayPlannerCtrl::OnSettingChange(UINT, WPARAM, LPARAM, bool&)
{
    UpdateMetrics();
    InvalidateAll();
    return 0;
}

void CDayPlannerCtrl::UpdateMetrics()
{
    CDaySettings& s = m_settings;
    if (!s.windowFont)
        s.windowFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    s.hourFont = MakeFont(s.windowFont, L"Tahoma", -23);
    s.minuteFont = MakeFont(s.windowFont, L"Arial", -11);
    const CClientDC dc(m_hWnd);
    s.windowMetrics = MetricsOf(dc, s.windowFont);
    s.hourMetrics = MetricsOf(dc, s.hourFont);
    s.minuteMetrics = MetricsOf(dc, s.minuteFont);
    s.headerHeight = s.windowMetrics.tmHeight + 8;
    s.timeColumnWidth = TextWidth(dc, s.hourFont, L"99") + TextWidth(dc, s.minuteFont, L"99") + 12;
    s.hourHeight = HourHeightOf(s.hourMetrics.tmHeight, s.minuteMetrics.tmHeight, s.rowMinutes, !s.clock24);

    s.offHoursFill = BlendTowards(::GetSysColor(COLOR_BTNFACE), 204, 15);
    s.hourLabelFill = ::GetSysColor(COLOR_INFOBK);
    s.workHoursFill = BlendTowards(::GetSysColor(COLOR_INFOBK), 255, 25);
    s.gridLine = BlendTowards(::GetSysColor(COLOR_BTNSHADOW), 255, 15);
    s.layoutDirty = true;
}

void CDayPlannerCtrl::PaintHeader(HDC dc)
{
    if (m_settings.Has(kPlannerNoHeader))
        return;
    const CDaySettings& s = m_settings;
    const CSavedDC saved(dc);
    RECT client = GetClientRect();
    const int scrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    RECT header = {client.left, client.top, client.right - scrollWidth, client.top + s.headerHeight};
    RECT strip = {header.right, header.top, client.right, header.bottom};
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &strip, nullptr, 0, nullptr);
    const CPen pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
    ::SelectObject(dc, pen);
    ::SelectObject(dc, s.windowFont);
    ::SetBkMode(dc, TRANSPARENT);

    int left = header.left;
    if (!s.Has(kPlannerNoTimeColumn)) {
        RECT corner = {left, header.top, left + s.timeColumnWidth, header.bottom};
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &corner, nullptr, 0, nullptr);
        Frame3D(dc, corner);
        left = corner.right;
    }
    const double today = Clock::Today();
    const double selectedDay = std::floor(s.selectedTime);
    const std::vector<RECT> cells =
        SplitIntoColumns(left, std::max(0L, header.right - left), header.top, header.bottom, s.dayCount);
    for (size_t i = 0; i < cells.size(); ++i) {
        const double day = s.firstDay + static_cast<double>(i);
        RECT cell = cells[i];
        const bool selected = day == selectedDay && !s.Has(kPlannerNoSelectedDayHighlight);
        ::SetBkColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
        Frame3D(dc, cell);
        COLORREF textColor = ::GetSysColor(COLOR_BTNTEXT);
        if (s.Has(kPlannerRedHolidays) && s.holidays.IsHoliday(day))
            textColor = kHolidayText;
        if (selected)
            textColor = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        ::SetTextColor(dc, textColor);
        RECT textRect = {cell.left, cell.top + 2, cell.right, cell.bottom - 2};
        const EString text = HeaderText(day);
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        ::MoveToEx(dc, cell.right - 1, client.top, nullptr);
        ::LineTo(dc, cell.right - 1, client.bottom);
        if (day == today) {
            RECT underline = textRect;
            ::InflateRect(&underline, -4, -1);
            underline.top = underline.bottom - 2;
            ::SetBkColor(dc, kTodayUnderline);
            ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &underline, nullptr, 0, nullptr);
        }
    }
    ::MoveToEx(dc, header.left, header.bottom - 1, nullptr);
    ::LineTo(dc, header.right, header.bottom - 1);
}

LRESULT CDayPlannerCtrl::OnGetDlgCode(UINT, WPARAM, LPARAM, bool&)
{
    return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

int CDayPlannerCtrl::SelectedHour() const
{
    return static_cast<int>(std::floor((m_settings.selectedTime - std::floor(m_settings.selectedTime)) * 24 + 1e-7));
}

void CDayPlannerCtrl::ScrollSelectedHourToTop()
{
    m_pane.ScrollToHour(SelectedHour());
}

bool CDayPlannerCtrl::IsSelectedHourVisible() const
{
    if (m_settings.Has(kPlannerSelectedHourAlwaysVisible))
        return true;
    const int hour = SelectedHour();
    const int scroll = m_pane.GetScrollOffset();
    const int height = m_settings.hourHeight;
    return hour * height >= scroll && m_pane.GetClientHeight() + scroll >= (hour + 1) * height;
}

LRESULT CDayPlannerCtrl::OnKeyDown(UINT, WPARAM wParam, LPARAM, bool&)
{
    const UINT key = static_cast<UINT>(wParam);
    if (m_settings.Has(kPlannerKeysToParent) &&
        ::SendMessageW(GetParent(), WM_VKEYTOITEM, MAKEWPARAM(key, 0), reinterpret_cast<LPARAM>(m_hWnd)) != 0)
        return 0;
    if (key == VK_TAB) {
        ::PostMessageW(GetParent(), WM_NEXTDLGCTL, (::GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0);
        return 0;
    }
    if (m_settings.Has(kPlannerReadOnly))
        return 0;
    const double pageDays = m_settings.hourHeight > 0
                                ? static_cast<double>(m_pane.GetClientHeight()) / m_settings.hourHeight / 24.0
                                : 0;
    const double moved = TimeAfterKey(m_settings.selectedTime, key, pageDays);
    if (moved == m_settings.selectedTime)
        return 0;
    SetSelectedTime(moved, true);
    if (IsSelectedHourVisible())
        return 0;
    if (key == VK_DOWN)
        m_pane.ScrollLines(1);
    else if (key == VK_UP)
        m_pane.ScrollLines(-1);
    else
        ScrollSelectedHourToTop();
    return 0;
}

LRESULT CDayPlannerCtrl::OnContextMenu(UINT, WPARAM, LPARAM lParam, bool&)
{
    SetFocus();
    ::SendMessageW(GetParent(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), lParam);
    return 0;
}

LRESULT CDayPlannerCtrl::OnLButtonDown(UINT, WPARAM, LPARAM lParam, bool&)
{
    if (!IsWindowEnabled())
        return 0;
    SetFocus();
    Notify(kPlannerButtonDown);
    m_pane.EnsureHourCells();
    if (m_settings.Has(kPlannerReadOnly))
        return 0;
    // A click on a day's header selects that day at the selected hour.
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const RECT paneRect = m_pane.GetClientRect();
    PlannerHit hit{.kind = kHitHourCell, .point = {point.x, paneRect.top}};
    if (m_pane.HitTest(hit)) {
        const double time = m_settings.selectedTime - std::floor(m_settings.selectedTime);
        SetSelectedTime(std::floor(hit.dateTime) + time, true);
    }
    return 0;
}

LRESULT CDayPlannerCtrl::OnVScroll(UINT message, WPARAM wParam, LPARAM lParam, bool&)
{
    return m_pane.SendMessage(message, wParam, lParam);
}

LRESULT CDayPlannerCtrl::OnMouseWheel(UINT, WPARAM wParam, LPARAM, bool&)
{
    m_pane.ScrollLines(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1);
    return 0;
}
