#include "views/calendar/PlannerPaneCtrl.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "dialogs/TranslatedOrKey.h"
#include "foundation/Locale.h"
#include "foundation/TimeParser.h"
#include "views/calendar/DayPlannerCtrl.h"
#include "views/calendar/PlannerGeometry.h"
#include "views/calendar/PlannerItemText.h"
#include "views/calendar/PlannerLayout.h"
#include "winlib/DeviceContext.h"
#include "winlib/MemoryDC.h"

namespace {

constexpr COLORREF kNowMarker = RGB(76, 28, 156);
constexpr COLORREF kCheckDark = RGB(0, 153, 0);
constexpr COLORREF kCheckLight = RGB(102, 204, 51);
constexpr int kHandleHalf = 3;
// The tips of the marks of entries not shown; below it, the tips of placed records by their index.
constexpr UINT_PTR kMarkToolBase = 0x40000000;
// A mark's tip lists this many of its entries, then counts the others.
constexpr size_t kMarkTipEntries = 15;
constexpr size_t kMarkTipNameLength = 60;

void Fill(HDC dc, const RECT& rect, COLORREF color)
{
    ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Line(HDC dc, int x0, int y0, int x1, int y1)
{
    ::MoveToEx(dc, x0, y0, nullptr);
    ::LineTo(dc, x1, y1);
}

RECT Square(int x, int y)
{
    return {x - kHandleHalf, y - kHandleHalf, x + kHandleHalf, y + kHandleHalf};
}

RECT MarkBoxOf(const RECT& item)
{
    return {item.right - 12, item.top + 2, item.right - 2, std::min(item.top + 12, item.bottom)};
}

EString Formatted(const wchar_t* format, long value)
{
    wchar_t text[16] = {};
    ::_snwprintf(text, 15, format, value);
    return text;
}

SYSTEMTIME ToSystemTime(double date)
{
    SYSTEMTIME time = {};
    ::VariantTimeToSystemTime(date, &time);
    return time;
}

EString TimeWithoutSeconds(double date)
{
    const SYSTEMTIME time = ToSystemTime(date);
    wchar_t text[40] = {};
    ::GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, 40);
    return text;
}

// A name on one line of a list: its line breaks are blanks, a long one is cut.
EString ListedName(const EString& name)
{
    size_t length = std::min(name.size(), kMarkTipNameLength);
    if (length < name.size() && name[length] >= 0xDC00 && name[length] <= 0xDFFF)
        --length;
    EString listed(name.substr(0, length));
    for (wchar_t& c : listed)
        if (c == L'\r' || c == L'\n')
            c = L' ';
    if (length < name.size())
        listed += L"...";
    return listed;
}

// The translation of the key with its "%d" replaced by the count.
EString CountedText(const wchar_t* key, size_t count)
{
    EString text = TranslatedOrKey(key);
    text.Replace(L"%d", std::to_wstring(count).c_str());
    return text;
}

} // namespace

CPlannerPaneCtrl::CPlannerPaneCtrl(CDayPlannerCtrl& control) : m_control(control), m_settings(control.GetSettings()) {}

HWND CPlannerPaneCtrl::Create(HWND control)
{
    return CWindowImpl<CPlannerPaneCtrl>::Create(
        CreateArgs{.parent = control, .style = WS_CHILD | WS_VISIBLE | WS_VSCROLL, .rect = {0, 0, 10, 10}, .id = 1});
}

int CPlannerPaneCtrl::GetClientHeight() const
{
    return m_hWnd ? GetClientRect().bottom : 0;
}

void CPlannerPaneCtrl::SetUpScrolling()
{
    if (!m_hWnd)
        return;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 24 * m_settings.hourHeight - 1;
    info.nPage = static_cast<UINT>(std::max(0, GetClientHeight()));
    SetScrollOffset(m_scrollY);
    info.nPos = m_scrollY;
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
}

void CPlannerPaneCtrl::SetScrollOffset(int offset)
{
    const int limit = std::max(0, 24 * m_settings.hourHeight - GetClientHeight());
    const int clamped = std::clamp(offset, 0, limit);
    if (clamped == m_scrollY)
        return;
    m_scrollY = clamped;
    if (!m_hWnd)
        return;
    ::SetScrollPos(m_hWnd, SB_VERT, m_scrollY, TRUE);
    RebuildToolTips();
    Invalidate(false);
}

void CPlannerPaneCtrl::ScrollToHour(int hour)
{
    SetScrollOffset(ScrollPositionOfHour(hour, m_settings.hourHeight, GetClientHeight()));
}

void CPlannerPaneCtrl::ScrollLines(int lines)
{
    SetScrollOffset(m_scrollY + lines * m_settings.hourHeight);
}

void CPlannerPaneCtrl::EnsureLayout()
{
    if (!m_settings.layoutDirty)
        return;
    LaidOutItems laidOut = LayOutPlannerItems(
        m_settings.items, PlannerLayoutOptions{.firstDay = m_settings.firstDay,
                                               .dayCount = m_settings.dayCount,
                                               .minimumLength = m_settings.minimumLength,
                                               .rowMinutes = m_settings.rowMinutes,
                                               .snapToRows = m_settings.Has(kPlannerSnapToRows)});
    m_settings.placed = std::move(laidOut.placed);
    m_settings.leftOut = std::move(laidOut.leftOut);
    // Once a layout: a day of thousands of entries leaves thousands out.
    m_leftOutGroups = GroupHiddenRecords(m_settings.leftOut);
}

void CPlannerPaneCtrl::EnsureHourCells()
{
    if (m_settings.hourCells.empty() && m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool CPlannerPaneCtrl::HitTest(PlannerHit& hit)
{
    const POINT content = ToContent(hit.point);
    if (hit.kind == kHitHourCell) {
        for (size_t i = 0; i < m_settings.hourCells.size(); ++i) {
            const HourCell& cell = m_settings.hourCells[i];
            if (!::PtInRect(&cell.rect, content))
                continue;
            const double time = TimeOfDayAtContentY(content.y, m_settings.hourHeight);
            const int minute = static_cast<int>(std::floor(time * 1440 + 1e-7)) % 60;
            hit.index = static_cast<int>(i);
            hit.dateTime = cell.start + minute / 1440.0;
            hit.rect = cell.rect;
            return true;
        }
        return false;
    }
    const int found = FindPlacedItemAt(m_settings.placed, content);
    if (found < 0)
        return false;
    const PlacedItem& placed = m_settings.placed[static_cast<size_t>(found)];
    hit.index = placed.itemIndex;
    hit.dateTime = m_settings.items[static_cast<size_t>(placed.itemIndex)].start;
    hit.rect = placed.rect;
    return true;
}

LRESULT CPlannerPaneCtrl::OnRelayMouse(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (m_toolTip) {
        MSG relayed = {m_hWnd, message, wParam, lParam, 0, {}};
        ::SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    handled = false;
    return 0;
}

LRESULT CPlannerPaneCtrl::OnCreate(UINT, WPARAM, LPARAM, bool&)
{
    m_toolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (m_toolTip) {
        ::SendMessageW(m_toolTip, TTM_SETMAXTIPWIDTH, 0, 300);
        RECT margins = {3, 3, 3, 3};
        ::SendMessageW(m_toolTip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
        ::SendMessageW(m_toolTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 10000);
    }
    return 0;
}

LRESULT CPlannerPaneCtrl::OnEraseBackground(UINT, WPARAM, LPARAM, bool&)
{
    return 1;
}

LRESULT CPlannerPaneCtrl::OnSize(UINT, WPARAM, LPARAM, bool& handled)
{
    SetUpScrolling();
    handled = false;
    return 0;
}

LRESULT CPlannerPaneCtrl::OnPaint(UINT, WPARAM, LPARAM, bool&)
{
    const CPaintDC paint(m_hWnd);
    const RECT client = GetClientRect();
    const CMemoryDC dc(paint, client);
    {
        const CSavedDC saved(dc);
        ::OffsetViewportOrgEx(dc, 0, -m_scrollY, nullptr);
        Paint(dc);
    }
    return 0;
}

void CPlannerPaneCtrl::Paint(HDC dc)
{
    const bool laidOut = m_settings.layoutDirty;
    EnsureLayout();
    const CPen pen(::CreatePen(PS_SOLID, 1, m_settings.gridLine));
    ::SelectObject(dc, pen);
    ::SelectObject(dc, m_settings.windowFont);
    ::SetBkMode(dc, TRANSPARENT);
    if (!m_settings.Has(kPlannerNoTimeColumn))
        PaintTimeColumn(dc);
    PaintHourGrid(dc);
    const bool marksMoved = PaintItems(dc);
    if (laidOut)
        m_settings.layoutDirty = false;
    if (laidOut || marksMoved)
        RebuildToolTips();
}

void CPlannerPaneCtrl::PaintTimeColumn(HDC dc)
{
    const CDaySettings& s = m_settings;
    const int width = s.timeColumnWidth;
    const int height = s.hourHeight;
    for (int hour = 0; hour < 24; ++hour) {
        const RECT cell = {0, hour * height, width, (hour + 1) * height};
        Fill(dc, cell, s.hourLabelFill);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        EString hourText;
        EString designator;
        if (s.clock24) {
            hourText = Formatted(L"%02ld", hour);
        } else {
            hourText = Formatted(L"%2ld", hour % 12 == 0 ? 12 : hour % 12);
            designator = TimeParser::GetAmPmDesignator(hour < 12);
        }
        RECT hourRect = cell;
        ::InflateRect(&hourRect, -3, -3);
        hourRect.right = cell.left + width / 2 + 2;
        ::SelectObject(dc, s.hourFont);
        ::DrawTextW(dc, hourText.c_str(), -1, &hourRect, DT_RIGHT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
        ::SelectObject(dc, s.minuteFont);
        if (!designator.empty()) {
            RECT below = hourRect;
            below.top += s.hourMetrics.tmHeight;
            ::DrawTextW(dc, designator.c_str(), -1, &below, DT_RIGHT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
        }
        RECT minuteRect = cell;
        ::InflateRect(&minuteRect, -3, 0);
        minuteRect.top += 3;
        for (int minute = 0; minute < 60; minute += s.rowMinutes) {
            const EString text = Formatted(L"%02ld", minute);
            ::DrawTextW(dc, text.c_str(), -1, &minuteRect, DT_RIGHT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
            minuteRect.top += s.minuteMetrics.tmHeight + 2;
        }
    }
    ::SelectObject(dc, s.windowFont);
    Line(dc, width - 1, 0, width - 1, 24 * height);

    const CPen nowPen(::CreatePen(PS_SOLID, 1, kNowMarker));
    const CSelectObject selected(dc, nowPen);
    const int y = ContentYOfTime(TimeParser::GetCurrentTimeOfDay(), height);
    const int x = width - 2;
    Line(dc, x - 20, y, x, y);
    Line(dc, x - 20, y + 1, x, y + 1);
    Line(dc, x - 7, y - 2, x - 1, y);
    Line(dc, x - 7, y + 3, x - 1, y + 1);
}

void CPlannerPaneCtrl::PaintHourGrid(HDC dc)
{
    CDaySettings& s = m_settings;
    s.hourCells.clear();
    const int left = s.Has(kPlannerNoTimeColumn) ? 0 : s.timeColumnWidth;
    const int contentWidth = GetClientRect().right;
    const int contentHeight = 24 * s.hourHeight;
    const bool enabled = m_control.IsWindowEnabled();
    const double selectedDay = std::floor(s.selectedTime);
    const int selectedHour = static_cast<int>(std::floor((s.selectedTime - selectedDay) * 24 + 1e-7));
    const CPen dotted(::CreatePen(PS_DOT, 1, BlendTowards(::GetSysColor(COLOR_BTNTEXT), 255, 50)));
    for (const RECT& column : SplitIntoColumns(left, std::max(0, contentWidth - left), 0, contentHeight, s.dayCount)) {
        const double day = s.firstDay + static_cast<double>(s.hourCells.size() / 24);
        const bool holiday = s.holidays.IsHoliday(day);
        for (int hour = 0; hour < 24; ++hour) {
            const RECT cell = {column.left, hour * s.hourHeight, column.right, (hour + 1) * s.hourHeight};
            const bool off = holiday || hour < s.firstWorkHour || hour > s.lastWorkHour;
            Fill(dc, cell, off ? s.offHoursFill : s.workHoursFill);
            s.hourCells.push_back(HourCell{{cell.left, cell.top, cell.right, cell.bottom - 1}, day + hour / 24.0, 60});
            if (enabled && day == selectedDay && hour == selectedHour) {
                RECT frame = cell;
                ::InflateRect(&frame, -2, -2);
                ::OffsetRect(&frame, -1, -1);
                const CSelectObject pen(dc, dotted);
                const CSelectObject brush(dc, ::GetStockObject(NULL_BRUSH));
                ::Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
            }
            Line(dc, left, cell.bottom - 1, contentWidth, cell.bottom - 1);
        }
        Line(dc, column.right - 1, 0, column.right - 1, contentHeight);
    }
}

bool CPlannerPaneCtrl::PaintItems(HDC dc)
{
    CDaySettings& s = m_settings;
    const int left = s.Has(kPlannerNoTimeColumn) ? 0 : s.timeColumnWidth;
    const int contentWidth = GetClientRect().right;
    const std::vector<RECT> columns =
        SplitIntoColumns(left, std::max(0, contentWidth - left), 0, 24 * s.hourHeight, s.dayCount);
    // Only the hours in view are drawn: a crowded day holds thousands of items.
    const int visibleTop = m_scrollY;
    const int visibleBottom = m_scrollY + GetClientHeight();
    std::vector<double> narrowDays;
    std::vector<int> maxLanes;
    for (size_t d = 0; d < columns.size(); ++d) {
        const double day = s.firstDay + static_cast<double>(d);
        const int maxLane = MaxLaneOfDay(s.placed, day);
        maxLanes.push_back(maxLane);
        const bool narrow = LanesTooNarrow(maxLane, columns[d].left, columns[d].right);
        bool anyRecord = false;
        for (PlacedItem& placed : s.placed) {
            if (placed.day != day)
                continue;
            anyRecord = true;
            RECT rect = PlacedItemRect(placed, maxLane, columns[d].left, columns[d].right, s.hourHeight);
            // The selected item is gone through wherever it is: it places the edge handles.
            const bool inView = rect.bottom >= visibleTop && rect.top <= visibleBottom;
            if (!::IsRectEmpty(&rect) && (inView || placed.itemIndex == s.selectedIndex))
                PaintItem(dc, placed, rect);
            placed.rect = rect;
            placed.rect.bottom -= 1;
        }
        if (narrow && anyRecord)
            narrowDays.push_back(day);
    }
    std::vector<RECT> before;
    for (const HiddenMark& mark : m_hiddenMarks)
        before.push_back(mark.rect);
    if (narrowDays.empty())
        PaintHiddenMarks(dc, m_leftOutGroups, columns, maxLanes);
    else
        PaintHiddenMarks(dc, HiddenGroupsWithNarrowDays(narrowDays), columns, maxLanes);
    if (before.size() != m_hiddenMarks.size())
        return true;
    for (size_t i = 0; i < before.size(); ++i)
        if (!::EqualRect(&before[i], &m_hiddenMarks[i].rect))
            return true;
    return false;
}

std::vector<HiddenGroup> CPlannerPaneCtrl::HiddenGroupsWithNarrowDays(const std::vector<double>& narrowDays) const
{
    const auto isNarrow = [&](double day) {
        return std::find(narrowDays.begin(), narrowDays.end(), day) != narrowDays.end();
    };
    std::vector<HiddenGroup> groups;
    for (const HiddenGroup& group : m_leftOutGroups)
        if (!isNarrow(group.day))
            groups.push_back(group);
    // A day too narrow for its lanes shows none of its entries.
    std::vector<PlacedItem> hidden;
    for (const std::vector<PlacedItem>* records : {&m_settings.placed, &m_settings.leftOut})
        for (const PlacedItem& record : *records)
            if (isNarrow(record.day))
                hidden.push_back(record);
    for (HiddenGroup& group : GroupHiddenRecords(std::move(hidden)))
        groups.push_back(std::move(group));
    return groups;
}

void CPlannerPaneCtrl::PaintHiddenMarks(HDC dc, const std::vector<HiddenGroup>& groups,
                                        const std::vector<RECT>& columns, const std::vector<int>& maxLanes)
{
    m_hiddenMarks.clear();
    if (groups.empty())
        return;
    const COLORREF text = ::GetSysColor(COLOR_INFOTEXT);
    const CPen outline(::CreatePen(PS_SOLID, 1, BlendTowards(text, 255, 40)));
    const CBrush fill(::CreateSolidBrush(::GetSysColor(COLOR_INFOBK)));
    const CSelectObject pen(dc, outline);
    const CSelectObject brush(dc, fill);
    ::SetTextColor(dc, text);
    const int visibleTop = m_scrollY;
    const int visibleBottom = m_scrollY + GetClientHeight();
    for (const HiddenGroup& group : groups) {
        const long long column = std::llround(group.day - m_settings.firstDay);
        if (column < 0 || static_cast<size_t>(column) >= columns.size())
            continue;
        const std::wstring label = L"+" + std::to_wstring(group.itemIndices.size());
        SIZE size = {};
        ::GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
        const RECT& bounds = columns[static_cast<size_t>(column)];
        const RECT rect = HiddenMarkRect(group, maxLanes[static_cast<size_t>(column)], bounds.left, bounds.right,
                                         m_settings.hourHeight, {size.cx + 8, m_settings.windowMetrics.tmHeight + 2},
                                         visibleTop, visibleBottom);
        if (::IsRectEmpty(&rect))
            continue;
        ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
        RECT textRect = rect;
        ::DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &textRect,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        m_hiddenMarks.push_back(HiddenMark{rect, group});
    }
}

EString CPlannerPaneCtrl::HiddenMarkText(const HiddenMark& mark) const
{
    const std::vector<int>& indices = mark.group.itemIndices;
    EString text = CountedText(indices.size() == 1 ? L"PlannerHiddenEntry" : L"PlannerHiddenEntries", indices.size());
    for (size_t i = 0; i < std::min(indices.size(), kMarkTipEntries); ++i) {
        const PlannerItem& item = m_settings.items[static_cast<size_t>(indices[i])];
        text += L"\r\n" + TimeWithoutSeconds(item.start) + L"  " + ListedName(item.subject);
    }
    if (indices.size() > kMarkTipEntries)
        text += L"\r\n" + CountedText(L"PlannerHiddenMore", indices.size() - kMarkTipEntries);
    return text;
}

void CPlannerPaneCtrl::PaintItem(HDC dc, PlacedItem& placed, const RECT& rect)
{
    const PlannerItem& item = m_settings.items[static_cast<size_t>(placed.itemIndex)];
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    {
        const CPen shadow(::CreatePen(PS_SOLID, 1, BlendTowards(text, 255, 80)));
        const CSelectObject pen(dc, shadow);
        const CSelectObject brush(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1);
    }
    const CPen outline(::CreatePen(PS_SOLID, 1, BlendTowards(text, 255, 40)));
    const CBrush fill(::CreateSolidBrush(item.fillColor));
    const CSelectObject pen(dc, outline);
    const CSelectObject brush(dc, fill);
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    PaintItemText(dc, item, rect);
    PaintMarkBox(dc, MarkBoxOf(rect), item.completed);

    if (placed.itemIndex != m_settings.selectedIndex)
        return;
    const int midX = (rect.left + rect.right) / 2;
    const int midY = (rect.top + rect.bottom) / 2;
    const RECT squares[4] = {Square(midX, rect.top), Square(midX, rect.bottom), Square(rect.left, midY),
                             Square(rect.right, midY)};
    for (const RECT& square : squares)
        ::Rectangle(dc, square.left, square.top, square.right, square.bottom);
    m_handleZones[kEdgeTop] = {rect.left, squares[0].top, rect.right, squares[0].bottom};
    m_handleZones[kEdgeBottom] = {rect.left, squares[1].top, rect.right, squares[1].bottom};
    m_handleZones[kEdgeLeft] = {squares[2].left, rect.top, squares[2].right, rect.bottom};
    m_handleZones[kEdgeRight] = {squares[3].left, rect.top, squares[3].right, rect.bottom};
}

void CPlannerPaneCtrl::PaintItemText(HDC dc, const PlannerItem& item, const RECT& box)
{
    const int lineHeight = std::max(1, static_cast<int>(m_settings.windowMetrics.tmHeight));
    const RECT area = ItemTextRect(box, lineHeight);
    // Only whole lines, but always the first: a short box shows what it can of it.
    const int maxLines = std::max(1, static_cast<int>((area.bottom - area.top) / lineHeight));
    const CDeviceTextMeasure measure(dc);
    ::SetTextColor(dc, item.textColor);
    int top = area.top;
    for (const std::wstring& line : ItemTextLines(item.subject, area.right - area.left, maxLines, measure)) {
        RECT lineRect = {area.left, top, area.right, std::min(area.bottom, static_cast<LONG>(top + lineHeight))};
        ::DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &lineRect, DT_SINGLELINE | DT_NOPREFIX);
        top += lineHeight;
    }
}

void CPlannerPaneCtrl::PaintMarkBox(HDC dc, const RECT& box, bool completed)
{
    ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
    if (!completed)
        return;
    const int h = box.bottom - box.top;
    const int w = box.right - box.left;
    const int c = box.top + h / 3;
    const int m = box.left + w / 3 + 1;
    auto stroke = [&](COLORREF color, int shift) {
        const CPen checkPen(::CreatePen(PS_SOLID, 1, color));
        const CSelectObject selected(dc, checkPen);
        const POINT points[3] = {{box.left, c + shift}, {m, box.bottom - 3 + shift}, {box.right, box.top - 2 + shift}};
        ::Polyline(dc, points, 3);
    };
    stroke(kCheckDark, 0);
    stroke(kCheckLight, 1);
    stroke(kCheckLight, -1);
}

int CPlannerPaneCtrl::EdgeUnder(POINT contentPoint) const
{
    if (m_settings.selectedIndex < 0)
        return -1;
    for (int edge = kEdgeTop; edge <= kEdgeRight; ++edge)
        if (::PtInRect(&m_handleZones[edge], contentPoint))
            return edge;
    return -1;
}

LRESULT CPlannerPaneCtrl::OnLButtonDown(UINT, WPARAM, LPARAM lParam, bool&)
{
    if (!m_control.IsWindowEnabled())
        return 0;
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    m_pressed = true;
    m_press = point;
    const int edge = EdgeUnder(ToContent(point));
    if (edge >= 0) {
        m_settings.edgeDragKind = edge;
        m_edgeDrag = true;
        ::SetCapture(m_hWnd);
        return 0;
    }
    m_control.Notify(kPlannerButtonDown);
    if (!m_settings.Has(kPlannerReadOnly))
        SelectionClick(point, true);
    return 0;
}

LRESULT CPlannerPaneCtrl::OnRButtonDown(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    if (m_control.IsWindowEnabled() && !m_settings.Has(kPlannerReadOnly))
        SelectionClick({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false);
    handled = false; // the default turns the release into WM_CONTEXTMENU
    return 0;
}

void CPlannerPaneCtrl::SelectionClick(POINT point, bool markTest)
{
    EnsureHourCells();
    PlannerHit cellHit{.kind = kHitHourCell, .point = point};
    if (HitTest(cellHit)) {
        m_settings.selectedTime = cellHit.dateTime;
        m_settings.dropTime = cellHit.dateTime - std::floor(cellHit.dateTime);
        m_control.Notify(kPlannerSelectedTimeChanged);
    }
    const int before = m_settings.selectedIndex;
    m_settings.selectedIndex = -1;
    PlannerHit itemHit{.kind = kHitItem, .point = point};
    if (HitTest(itemHit)) {
        m_settings.selectedIndex = itemHit.index;
        RECT box = MarkBoxOf({itemHit.rect.left, itemHit.rect.top, itemHit.rect.right, itemHit.rect.bottom + 1});
        if (markTest && ::PtInRect(&box, ToContent(point)))
            m_control.Notify(kPlannerMarkBoxClicked);
    }
    if (m_settings.selectedIndex != before)
        m_control.Notify(kPlannerSelectedItemChanged);
    m_control.SetFocus();
    ::RedrawWindow(m_control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CPlannerPaneCtrl::OnMouseMove(UINT, WPARAM wParam, LPARAM lParam, bool&)
{
    if (!(wParam & MK_LBUTTON)) {
        m_edgeDrag = false;
        m_pressed = false;
        return 0;
    }
    if (m_edgeDrag || !m_pressed)
        return 0;
    // Once per press: every begin-drag would post another drag of the entries.
    if (IsDragDistance(m_press, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
        m_pressed = false;
        m_control.Notify(kPlannerBeginDrag);
    }
    return 0;
}

LRESULT CPlannerPaneCtrl::OnLButtonUp(UINT, WPARAM, LPARAM lParam, bool&)
{
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool edgeDrag = m_edgeDrag;
    m_edgeDrag = false;
    const bool pressed = m_pressed;
    m_pressed = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (edgeDrag && pressed) {
        m_settings.edgeDragDelta = EdgeDragDelta(m_press.y, point.y, m_settings.hourHeight);
        PlannerHit hit{.kind = kHitHourCell, .point = point};
        if (HitTest(hit))
            m_settings.edgeDragTargetDate = std::floor(hit.dateTime);
        m_control.Notify(kPlannerEdgeDragEnded);
    }
    return 0;
}

LRESULT CPlannerPaneCtrl::OnDoubleClick(UINT, WPARAM, LPARAM, bool&)
{
    m_control.Notify(kPlannerDoubleClick);
    return 0;
}

LRESULT CPlannerPaneCtrl::OnSetCursor(UINT, WPARAM, LPARAM, bool& handled)
{
    int edge = -1;
    if (m_settings.selectedIndex >= 0) {
        if (m_edgeDrag) {
            edge = m_settings.edgeDragKind;
        } else {
            POINT pointer = {};
            ::GetCursorPos(&pointer);
            ::ScreenToClient(m_hWnd, &pointer);
            edge = EdgeUnder(ToContent(pointer));
        }
    }
    if (edge < 0) {
        handled = false;
        return 0;
    }
    ::SetCursor(::LoadCursorW(nullptr, edge <= kEdgeBottom ? IDC_SIZENS : IDC_SIZEWE));
    return TRUE;
}

LRESULT CPlannerPaneCtrl::OnContextMenu(UINT message, WPARAM, LPARAM lParam, bool&)
{
    return m_control.SendMessage(message, reinterpret_cast<WPARAM>(m_control.m_hWnd), lParam);
}

LRESULT CPlannerPaneCtrl::OnVScroll(UINT, WPARAM wParam, LPARAM, bool&)
{
    const int page = GetClientHeight();
    const int line = m_settings.hourHeight;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: SetScrollOffset(m_scrollY - line); break;
    case SB_LINEDOWN: SetScrollOffset(m_scrollY + line); break;
    case SB_PAGEUP: SetScrollOffset(m_scrollY - page); break;
    case SB_PAGEDOWN: SetScrollOffset(m_scrollY + page); break;
    case SB_TOP: SetScrollOffset(0); break;
    case SB_BOTTOM: SetScrollOffset(24 * line); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        ::GetScrollInfo(m_hWnd, SB_VERT, &info);
        SetScrollOffset(info.nTrackPos);
        break;
    }
    default: break;
    }
    return 0;
}

LRESULT CPlannerPaneCtrl::OnMouseWheel(UINT, WPARAM wParam, LPARAM, bool&)
{
    ScrollLines(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1);
    return 0;
}

LRESULT CPlannerPaneCtrl::OnNeedMarkerText(UINT, WPARAM, LPARAM, bool&)
{
    m_control.SupplyDropMarkerText();
    return 0;
}

void CPlannerPaneCtrl::RebuildToolTips()
{
    if (!m_toolTip)
        return;
    const int count = static_cast<int>(::SendMessageW(m_toolTip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = count - 1; i >= 0; --i) {
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof(tool);
        if (::SendMessageW(m_toolTip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)))
            ::SendMessageW(m_toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    const int height = GetClientHeight();
    auto add = [&](UINT_PTR id, RECT rect) {
        ::OffsetRect(&rect, 0, -m_scrollY);
        if (::IsRectEmpty(&rect) || rect.bottom < 0 || rect.top > height)
            return;
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = m_hWnd;
        tool.uId = id;
        tool.rect = rect;
        tool.hinst = ::GetModuleHandleW(nullptr);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    };
    // The marks first: the tip answers for the first tool under the pointer, and a mark lies over a box.
    for (size_t i = 0; i < m_hiddenMarks.size(); ++i)
        add(kMarkToolBase + i, m_hiddenMarks[i].rect);
    for (size_t i = 0; i < m_settings.placed.size(); ++i)
        add(i, m_settings.placed[i].rect);
    ::SendMessageW(m_toolTip, TTM_ACTIVATE, TRUE, 0);
}

LRESULT CPlannerPaneCtrl::OnToolTipText(int, NMHDR* header, bool&)
{
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    const UINT_PTR id = info->hdr.idFrom;
    if (id >= kMarkToolBase) {
        if (id - kMarkToolBase >= m_hiddenMarks.size())
            return 0;
        m_toolTipText = HiddenMarkText(m_hiddenMarks[id - kMarkToolBase]);
        info->lpszText = m_toolTipText.data();
        return 0;
    }
    if (id >= m_settings.placed.size())
        return 0;
    const PlannerItem& item = m_settings.items[static_cast<size_t>(m_settings.placed[id].itemIndex)];
    const SYSTEMTIME start = ToSystemTime(item.start);
    wchar_t date[80] = {};
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &start, nullptr, date, 80);
    m_toolTipText = EString(date) + L" " + TimeWithoutSeconds(item.start) + L"\r\n\r\n" + item.subject + L"\r\n\r\n" +
                    item.description;
    info->lpszText = m_toolTipText.data();
    return 0;
}
