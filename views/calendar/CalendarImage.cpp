#include "views/calendar/CalendarImage.h"

#include <algorithm>
#include <cmath>

#include "dialogs/TranslatedOrKey.h"
#include "foundation/Clock.h"
#include "foundation/Color.h"
#include "foundation/Language.h"
#include "foundation/Locale.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "winlib/DeviceContext.h"

namespace {

void FillFramed(HDC dc, const RECT& rect, COLORREF fill)
{
    const CBrush brush(::CreateSolidBrush(fill));
    const CSelectObject selected(dc, brush);
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawCentred(HDC dc, const EString& text, RECT rect, COLORREF background)
{
    ::SetBkColor(dc, background);
    ::DrawTextW(dc, text.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace

RECT CalendarImage::GetLaneRect(int lane, double date) const
{
    const int x = GetDateX(date);
    const int top = GetLaneTop(lane);
    // Neighbouring rectangles share their border pixels.
    return {x, top, x + kDayWidth + 1, top + kLaneHeight + 1};
}

SIZE CalendarImage::GetImageSize() const
{
    const long long days = static_cast<long long>(GetLastDate() - GetFirstDate()) + 1;
    return {static_cast<LONG>(kLabelWidth + 2 * kSideMargin + kDayWidth * std::max(days, 0LL)), kImageHeight};
}

int CalendarImage::GetDateX(double date) const
{
    return kFirstDayX + kDayWidth * static_cast<int>(WholeDay(date) - GetFirstDate());
}

std::optional<POINT> CalendarImage::GetItemPoint(int key) const
{
    const Items& plan = GetItems(kPlanLane);
    const auto item = plan.find(key);
    if (item == plan.end())
        return std::nullopt;
    return POINT{GetDateX(item->second.day), 0};
}

int CalendarImage::LaneAt(int y)
{
    for (int lane = 0; lane < kLaneCount; ++lane) {
        const int top = GetLaneTop(lane);
        if (top < y && y < top + kLaneHeight)
            return lane;
    }
    return kPlanLane;
}

double CalendarImage::DateAt(int x) const
{
    // Integer division truncates toward zero: a point just left of the first column still gives the first date.
    return GetFirstDate() + (x - kFirstDayX) / kDayWidth;
}

double CalendarImage::DayStripDateAt(int x, int y) const
{
    if (kDayStripTop < y && y < kDayStripBottom && x > kFirstDayX)
        return DateAt(x);
    return 0;
}

int CalendarImage::ItemAt(int x, int y) const
{
    for (const auto& [day, cell] : GetCells(LaneAt(y)))
        if (const int key = cell.HitTest({x, y}))
            return key;
    return 0;
}

HFONT CalendarImage::GetFont() const
{
    if (m_font.IsNull()) {
        const bool russian = PRIMARYLANGID(static_cast<LANGID>(Locale::GetUiLanguageId())) == LANG_RUSSIAN;
        m_font.Attach(::CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    russian ? RUSSIAN_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
    }
    return m_font;
}

void CalendarImage::Paint(HDC dc) const
{
    // The pen outlives the saved state, which deselects it.
    const CPen grid(::CreatePen(PS_SOLID, 1, Color::GridGray()));
    const CSavedDC saved(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SelectObject(dc, GetFont());
    ::SelectObject(dc, grid);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));

    PaintMarker(dc);
    PaintLabels(dc);

    // Only the columns the clip box meets; a year of days is thousands of columns.
    RECT clip = {};
    if (::GetClipBox(dc, &clip) == NULLREGION)
        return;
    const double firstShown = std::max(GetFirstDate(), DateAt(clip.left - kDayWidth));
    const double lastShown = std::min(GetLastDate(), DateAt(clip.right + kDayWidth));
    if (firstShown > lastShown)
        return;
    const bool weekendsOff = Options::GetIsAutoSatSun() != 0;
    const double today = Clock::Today();
    for (double day = firstShown; day <= lastShown; ++day)
        PaintDay(dc, day, m_holidays.IsHoliday(day, weekendsOff));
    // After the days: the next day's strip would cover the frame's right side.
    if (firstShown <= today && today <= lastShown)
        PaintTodayFrame(dc, today);

    for (int lane = 0; lane < kLaneCount; ++lane) {
        const Cells& cells = GetCells(lane);
        const auto end = cells.upper_bound(static_cast<long long>(lastShown));
        for (auto cell = cells.lower_bound(static_cast<long long>(firstShown)); cell != end; ++cell)
            cell->second.Paint(dc);
    }
}

void CalendarImage::PaintMarker(HDC dc) const
{
    if (m_markedDate <= 0)
        return;
    const int m = GetDateX(m_markedDate) + kDayWidth / 2;
    const CPen pen(::CreatePen(PS_SOLID, 1, Color::LightRed()));
    const CBrush brush(::CreateSolidBrush(Color::LightRed()));
    const CSelectObject selectedPen(dc, pen);
    const CSelectObject selectedBrush(dc, brush);
    const POINT corners[] = {{m + 5, kMonthStripHeight}, {m + 15, kMonthStripHeight}, {m + 10, kDayStripTop}};
    ::Polygon(dc, corners, 3);
}

void CalendarImage::PaintLabels(HDC dc) const
{
    const RECT corner = {kSideMargin, kDayStripTop, kFirstDayX + 1, kDayStripBottom + 1};
    FillFramed(dc, corner, Color::DayBackground());
    ::MoveToEx(dc, kSideMargin, kDayStripTop + 1, nullptr);
    ::LineTo(dc, kFirstDayX + 2, kDayStripBottom);
    const wchar_t* keys[kLaneCount] = {L"PLAN", L"REALITY"};
    for (int lane = 0; lane < kLaneCount; ++lane) {
        const int top = GetLaneTop(lane);
        const RECT label = {kSideMargin, top, kFirstDayX + 1, top + kLaneHeight + 1};
        FillFramed(dc, label, Color::DayBackground());
        DrawCentred(dc, TranslatedOrKey(keys[lane]), label, Color::DayBackground());
    }
}

void CalendarImage::PaintTodayFrame(HDC dc, double today) const
{
    const int x = GetDateX(today);
    const RECT strip = {x, kDayStripTop, x + kDayWidth + 1, kDayStripBottom + 1};
    const CPen pen(::CreatePen(PS_SOLID, 1, Color::TodayFrame()));
    const CSelectObject selectedPen(dc, pen);
    const CSelectObject hollow(dc, ::GetStockObject(HOLLOW_BRUSH));
    for (int grow = 1; grow <= 2; ++grow) {
        RECT frame = strip;
        ::InflateRect(&frame, grow, grow);
        ::Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
    }
}

void CalendarImage::PaintDay(HDC dc, double day, bool holiday) const
{
    const int x = GetDateX(day);
    OleDateParts parts;
    SplitOleDate(day, parts);
    if (parts.day == 1 || day == GetFirstDate()) {
        RECT month = {x + 3, kTopMargin, x + kDayWidth + 4, kDayStripTop + 1};
        const EString name = Locale::GetMonthName(day);
        ::DrawTextW(dc, name.c_str(), -1, &month, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    const COLORREF background = holiday ? Color::HolidayBackground() : Color::DayBackground();
    const RECT strip = {x, kDayStripTop, x + kDayWidth + 1, kDayStripBottom + 1};
    FillFramed(dc, strip, background);
    // "Mon, 5": the weekday's abbreviation and the day of the month.
    DrawCentred(dc, Locale::GetWeekdayName(day), strip, background);
    for (int lane = 0; lane < kLaneCount; ++lane)
        FillFramed(dc, GetLaneRect(lane, day), holiday ? Color::HolidayBackground() : Color::White());
}
