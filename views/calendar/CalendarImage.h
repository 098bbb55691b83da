// CalendarImage: the deadlines calendar's drawing: fixed geometry of day columns and two lanes, painting and hit tests.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "document/model/Holidays.h"
#include "views/calendar/PlanItemsMan.h"
#include "winlib/GdiObject.h"

// Content coordinates: the caller adds its scroll offset to window points.
class CalendarImage : public PlanItemsMan {
public:
    static constexpr int kDayWidth = 60;
    static constexpr int kTopMargin = 10;
    static constexpr int kSideMargin = 5;
    static constexpr int kMonthStripHeight = 16;
    static constexpr int kDayStripHeight = 16;
    static constexpr int kLaneHeight = 60;
    static constexpr int kLabelWidth = 60;
    static constexpr int kFirstDayX = kLabelWidth + kSideMargin;
    static constexpr int kDayStripTop = kMonthStripHeight + kTopMargin;
    static constexpr int kDayStripBottom = kDayStripTop + kDayStripHeight;
    static constexpr int kImageHeight = kMonthStripHeight + 2 * kTopMargin + kDayStripHeight + 2 * kLaneHeight;

    CalendarImage() = default;
    CalendarImage(const CalendarImage&) = delete;
    CalendarImage& operator=(const CalendarImage&) = delete;
    ~CalendarImage() override = default;

    RECT GetLaneRect(int lane, double date) const override;

    // 0 for none.
    void SetMarkedDate(double date) { m_markedDate = date; }
    void SetHolidays(const std::vector<double>& dates) { m_holidays.SetDates(dates); }
    bool IsHoliday(double date) const { return m_holidays.IsHoliday(date); }

    SIZE GetImageSize() const;
    int GetDateX(double date) const;
    static int GetLaneTop(int lane) { return kDayStripBottom + PlanItemsMan::LaneIndex(lane) * kLaneHeight; }
    // The left of the key's PLAN day, at y 0; none for a key without a PLAN item.
    std::optional<POINT> GetItemPoint(int key) const;

    // The lane strictly inside whose top and bottom y lies; PLAN (0) also when in neither.
    static int LaneAt(int y);
    double DateAt(int x) const;
    // 0 outside the day strip.
    double DayStripDateAt(int x, int y) const;
    // The key of the box under the point in the lane LaneAt(y); 0 when none.
    int ItemAt(int x, int y) const;

    // Paints the days that meet the DC's clip box.
    void Paint(HDC dc) const;

private:
    void PaintMarker(HDC dc) const;
    void PaintLabels(HDC dc) const;
    void PaintDay(HDC dc, double day, bool holiday) const;
    void PaintTodayFrame(HDC dc, double today) const;
    HFONT GetFont() const;

    double m_markedDate = 0;
    Holidays m_holidays;
    mutable CFont m_font;
};
