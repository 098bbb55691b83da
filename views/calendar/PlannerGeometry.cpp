#include "views/calendar/PlannerGeometry.h"

#include <algorithm>
#include <cmath>

int RowMinutesOfScale(int scaleIndex)
{
    static const int kRowMinutes[] = {30, 20, 15, 10};
    return kRowMinutes[std::clamp(scaleIndex, 0, 3)];
}

bool IsValidRowMinutes(int minutes)
{
    return minutes == 10 || minutes == 15 || minutes == 20 || minutes == 30;
}

int HourHeightOf(int hourFontHeight, int minuteFontHeight, int rowMinutes, bool designatorBelow)
{
    const int rows = IsValidRowMinutes(rowMinutes) ? 60 / rowMinutes : 2;
    const int label = hourFontHeight + (designatorBelow ? minuteFontHeight : 0);
    return std::max(label + 6, (minuteFontHeight + 2) * rows);
}

RECT ItemTextRect(const RECT& box, int lineHeight)
{
    const int height = box.bottom - box.top;
    const int inset = height - 2 * 3 >= lineHeight ? 3 : std::max(1, (height - lineHeight) / 2);
    return {box.left + 6, box.top + inset, box.right - 6, box.bottom - inset};
}

std::vector<RECT> SplitIntoColumns(int left, int width, int top, int bottom, int count)
{
    std::vector<RECT> columns;
    if (count <= 0)
        return columns;
    const int each = width / count;
    for (int i = 0; i < count; ++i) {
        const int x = left + i * each;
        columns.push_back({x, top, i + 1 == count ? left + width : x + each, bottom});
    }
    return columns;
}

double TimeOfDayAtContentY(int contentY, int hourHeight)
{
    if (hourHeight <= 0)
        return 0;
    return std::clamp(static_cast<double>(contentY) / hourHeight / 24.0, 0.0, 1.0 - 1.0 / 86400.0);
}

int ContentYOfTime(double timeOfDay, int hourHeight)
{
    return static_cast<int>(timeOfDay * 24.0 * hourHeight);
}

double EdgeDragDelta(int pressY, int releaseY, int hourHeight)
{
    return hourHeight > 0 ? static_cast<double>(releaseY - pressY) / (24.0 * hourHeight) : 0;
}

bool IsDragDistance(POINT press, POINT now)
{
    const long dx = now.x - press.x;
    const long dy = now.y - press.y;
    return dx * dx + dy * dy > 25;
}

int ScrollPositionOfHour(int hour, int hourHeight, int clientHeight)
{
    const int limit = std::max(0, 24 * hourHeight - clientHeight);
    return std::clamp(hour * hourHeight, 0, limit);
}

double TimeAfterKey(double selected, UINT key, double pageDays)
{
    const double day = std::floor(selected);
    const double timeOfDay = selected - day;
    const int hour = static_cast<int>(std::floor(timeOfDay * 24.0 + 1e-7));
    constexpr double kHour = 1.0 / 24.0;
    switch (key) {
    case VK_PRIOR:
        return day + std::max(0.0, timeOfDay - pageDays);
    case VK_NEXT:
        return timeOfDay + pageDays >= 1.0 ? day + 23 * kHour : day + timeOfDay + pageDays;
    case VK_END:
        return day + 23 * kHour;
    case VK_HOME:
        return hour == 0 ? selected : day;
    case VK_LEFT:
        return selected - 1;
    case VK_RIGHT:
        return selected + 1;
    case VK_UP:
        return hour == 0 ? selected : selected - kHour;
    case VK_DOWN:
        return hour >= 23 ? selected : selected + kHour;
    default:
        return selected;
    }
}

COLORREF BlendTowards(COLORREF color, int target, int percent)
{
    auto channel = [&](int c) { return (c + ((target - c) * percent) / 100) & 0xFF; };
    return RGB(channel(GetRValue(color)), channel(GetGValue(color)), channel(GetBValue(color)));
}

bool IsDarkFill(COLORREF color)
{
    return GetRValue(color) + GetGValue(color) + GetBValue(color) < 444;
}
