// PlannerLayout: which lane each item takes on each shown day, and where its box stands in a day column.
#pragma once

#include <windows.h>

#include <vector>

#include "views/calendar/PlannerItem.h"

constexpr int kPlannerLaneCount = 5;

struct PlannerLayoutOptions {
    double firstDay = 0;
    int dayCount = 1;
    // Shorter items are laid out this long; 0 for none. Items shorter than a minute count as one.
    int minimumLength = 0;
    int rowMinutes = 30;
    bool snapToRows = false;
};

struct LaidOutItems {
    std::vector<PlacedItem> placed;
    // The records that found all five lanes taken (lane -1), in the same order.
    std::vector<PlacedItem> leftOut;
};

// Each item's records, day by day in the order of the items. Overlap is of
// whole minutes, so 09:00-10:00 ends at 09:59 and does not overlap 10:00-11:00.
// An item that finds all five lanes taken is left out on that day.
LaidOutItems LayOutPlannerItems(const std::vector<PlannerItem>& items, const PlannerLayoutOptions& options);

// The box of a placed record in the day column [left, right): lanes share the
// column, and a record with nothing beside it on the right reaches the column's
// edge. An empty rectangle when the lanes would be narrower than 8 pixels.
RECT PlacedItemRect(const PlacedItem& placed, int maxLane, int left, int right, int hourHeight);
// Lanes narrower than 8 pixels show nothing of the day.
bool LanesTooNarrow(int maxLane, int left, int right);
// The largest lane among the records of that day (0 when none).
int MaxLaneOfDay(const std::vector<PlacedItem>& placed, double day);
// The first record whose stored rectangle holds the content point; -1 for none.
int FindPlacedItemAt(const std::vector<PlacedItem>& placed, POINT contentPoint);

// Records of one day that are not drawn, chained where their minutes overlap:
// the user is shown one mark for each group.
struct HiddenGroup {
    double day = 0;
    int startMinute = 0;
    int endMinute = 0; // the last minute covered
    // The items' indices, by start.
    std::vector<int> itemIndices;
};
std::vector<HiddenGroup> GroupHiddenRecords(std::vector<PlacedItem> hidden);

// Where a group's mark stands in its day column [left, right) of lanes 0 to
// maxLane: inside the right-most box (PlacedItemRect's right edge, which the
// lanes' whole-pixel widths may leave short of the column's), across the
// column where the lanes show no boxes or the box side has not the room; at
// the foot of the group's hours as far as they are in view
// [viewTop, viewBottom), so that a long group keeps its mark on screen while
// any of it shows; empty when none of it is in view.
RECT HiddenMarkRect(const HiddenGroup& group, int maxLane, int left, int right, int hourHeight, SIZE mark,
                    int viewTop, int viewBottom);
