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

} // namespace

LaidOutItems LayOutPlannerItems(const std::vector<PlannerItem>& items, const PlannerLayoutOptions& options)
{
    LaidOutItems result;
    std::vector<PlacedItem>& placed = result.placed;
    const double firstDay = std::floor(options.firstDay);
    const int rowMinutes = options.rowMinutes > 0 ? options.rowMinutes : 30;
    // Each lane's minutes, naming the record that covers them: a lane's records
    // never overlap, so the records beside a new one are read off its minutes,
    // and a day of thousands of items is not compared pair by pair.
    std::vector<int> lanes[kPlannerLaneCount];
    // Rows that do not divide the day may snap the last record's end past midnight.
    const auto laneMinutes = static_cast<size_t>(kMinutesPerDay + rowMinutes);
    for (int d = 0; d < options.dayCount; ++d) {
        const double day = firstDay + d;
        for (std::vector<int>& lane : lanes)
            lane.assign(laneMinutes, -1);
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

            // The first lane free over the record's minutes; those before it hold
            // records that get this one beside them, but only once it is placed:
            // an item left out must not narrow the ones it would have stood beside.
            int lane = -1;
            std::vector<int> besideThis;
            for (int l = 0; l < kPlannerLaneCount && !record.overlappedRight; ++l) {
                const std::vector<int>& minutes = lanes[l];
                bool conflict = false;
                for (int minute = record.startMinute; minute <= record.endMinute;) {
                    const int other = minutes[static_cast<size_t>(minute)];
                    if (other < 0) {
                        ++minute;
                        continue;
                    }
                    conflict = true;
                    if (lane >= 0)
                        break;
                    besideThis.push_back(other);
                    minute = placed[static_cast<size_t>(other)].endMinute + 1;
                }
                if (conflict && lane >= 0)
                    record.overlappedRight = true;
                if (!conflict && lane < 0)
                    lane = l;
            }
            if (lane < 0) {
                record.lane = -1;
                record.overlappedRight = false;
                result.leftOut.push_back(record);
                continue;
            }
            for (int other : besideThis)
                placed[static_cast<size_t>(other)].overlappedRight = true;
            record.lane = lane;
            std::fill(lanes[lane].begin() + record.startMinute, lanes[lane].begin() + record.endMinute + 1,
                      static_cast<int>(placed.size()));
            placed.push_back(record);
        }
    }
    return result;
}

bool LanesTooNarrow(int maxLane, int left, int right)
{
    return (right - left) / (maxLane + 1) < 8;
}

RECT PlacedItemRect(const PlacedItem& placed, int maxLane, int left, int right, int hourHeight)
{
    if (LanesTooNarrow(maxLane, left, right))
        return {};
    const int laneWidth = (right - left) / (maxLane + 1);
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

std::vector<HiddenGroup> GroupHiddenRecords(std::vector<PlacedItem> hidden)
{
    std::sort(hidden.begin(), hidden.end(), [](const PlacedItem& a, const PlacedItem& b) {
        if (a.day != b.day)
            return a.day < b.day;
        if (a.startMinute != b.startMinute)
            return a.startMinute < b.startMinute;
        return a.itemIndex < b.itemIndex;
    });
    std::vector<HiddenGroup> groups;
    for (const PlacedItem& record : hidden) {
        if (groups.empty() || groups.back().day != record.day || record.startMinute > groups.back().endMinute)
            groups.push_back(HiddenGroup{record.day, record.startMinute, record.endMinute, {}});
        HiddenGroup& group = groups.back();
        group.endMinute = std::max(group.endMinute, record.endMinute);
        group.itemIndices.push_back(record.itemIndex);
    }
    return groups;
}

RECT HiddenMarkRect(const HiddenGroup& group, int maxLane, int left, int right, int hourHeight, SIZE mark,
                    int viewTop, int viewBottom)
{
    const int top = std::max(group.startMinute * hourHeight / 60, viewTop);
    const int bottom = std::min((group.endMinute + 1) * hourHeight / 60, viewBottom);
    if (top >= bottom)
        return {};
    RECT rect;
    // Inside the right-most box where the column has the room, else across the column.
    rect.right = right - 1;
    if (!LanesTooNarrow(maxLane, left, right)) {
        PlacedItem rightMost;
        rightMost.lane = maxLane;
        const int boxRight = PlacedItemRect(rightMost, maxLane, left, right, hourHeight).right;
        if (boxRight - 1 - mark.cx >= left + 1)
            rect.right = boxRight - 1;
    }
    rect.left = std::max(left + 1, static_cast<int>(rect.right - mark.cx));
    if (rect.left >= rect.right)
        return {};
    rect.bottom = bottom - 2;
    rect.top = rect.bottom - mark.cy;
    if (rect.top < top) {
        rect.top = top;
        rect.bottom = top + mark.cy;
    }
    return rect;
}
