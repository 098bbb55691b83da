#include "views/calendar/PlannerLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinutesPerDay = 24 * 60;

// Whole minutes from the day's midnight, counting seconds down: 09:30:59 is minute 570.
long long MinutesFromDay(double date, double day)
{
    const long long seconds = std::llround((date - day) * 86400.0);
    return seconds >= 0 ? seconds / 60 : -((-seconds + 59) / 60);
}

bool Overlaps(const PlacedItem& a, const PlacedItem& b)
{
    return !(a.endMinute < b.startMinute || b.endMinute < a.startMinute);
}

} // namespace

std::vector<PlacedItem> LayOutPlannerItems(const std::vector<PlannerItem>& items, const PlannerLayoutOptions& options)
{
    std::vector<PlacedItem> placed;
    placed.reserve(items.size() + 1);
    const double firstDay = std::floor(options.firstDay);
    const int rowMinutes = options.rowMinutes > 0 ? options.rowMinutes : 30;
    for (int d = 0; d < options.dayCount; ++d) {
        const double day = firstDay + d;
        // Indices into `placed`: a lane keeps naming the same record however the array grows.
        std::vector<int> lanes[kPlannerLaneCount];
        for (size_t i = 0; i < items.size(); ++i) {
            int length = std::max(items[i].lengthMinutes, std::max(options.minimumLength, 1));
            const long long start = MinutesFromDay(items[i].start, day);
            const long long end = start + length - 1;
            if (end < 0 || start > kMinutesPerDay - 1)
                continue;
            PlacedItem record;
            record.itemIndex = static_cast<int>(i);
            record.day = day;
            record.startMinute = static_cast<int>(std::max<long long>(start, 0));
            record.endMinute = static_cast<int>(std::min<long long>(end, kMinutesPerDay - 1));
            if (options.snapToRows) {
                record.startMinute -= record.startMinute % rowMinutes;
                if (record.endMinute % rowMinutes != 0)
                    record.endMinute = record.endMinute - record.endMinute % rowMinutes + rowMinutes - 1;
            }
            record.lengthMinutes = record.endMinute - record.startMinute;

            int lane = -1;
            // Records in earlier lanes get this one beside them, but only once it is placed:
            // an item left out must not narrow the ones it would have stood beside.
            std::vector<int> besideThis;
            for (int l = 0; l < kPlannerLaneCount; ++l) {
                bool conflict = false;
                for (int other : lanes[l]) {
                    if (!Overlaps(record, placed[other]))
                        continue;
                    conflict = true;
                    if (lane < 0)
                        besideThis.push_back(other);
                    else
                        record.overlappedRight = true;
                }
                if (!conflict && lane < 0)
                    lane = l;
            }
            if (lane < 0)
                continue;
            for (int other : besideThis)
                placed[other].overlappedRight = true;
            record.lane = lane;
            lanes[lane].push_back(static_cast<int>(placed.size()));
            placed.push_back(record);
        }
    }
    return placed;
}

RECT PlacedItemRect(const PlacedItem& placed, int maxLane, int left, int right, int hourHeight)
{
    const int laneWidth = (right - left) / (maxLane + 1);
    if (laneWidth < 8)
        return {};
    const int width = placed.overlappedRight ? laneWidth : (maxLane - placed.lane + 1) * laneWidth;
    RECT rect;
    rect.left = left + placed.lane * laneWidth + 4;
    rect.right = rect.left + width - 8;
    rect.top = placed.startMinute * hourHeight / 60;
    rect.bottom = placed.endMinute * hourHeight / 60;
    return rect;
}

int MaxLaneOfDay(const std::vector<PlacedItem>& placed, double day)
{
    int maxLane = 0;
    for (const PlacedItem& record : placed)
        if (record.day == day)
            maxLane = std::max(maxLane, record.lane);
    return maxLane;
}

int FindPlacedItemAt(const std::vector<PlacedItem>& placed, POINT contentPoint)
{
    for (size_t i = 0; i < placed.size(); ++i)
        if (::PtInRect(&placed[i].rect, contentPoint))
            return static_cast<int>(i);
    return -1;
}
