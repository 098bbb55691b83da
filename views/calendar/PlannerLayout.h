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

// Each item's records, day by day in the order of the items. Overlap is of
// whole minutes, so 09:00-10:00 ends at 09:59 and does not overlap 10:00-11:00.
// An item that finds all five lanes taken is left out on that day.
std::vector<PlacedItem> LayOutPlannerItems(const std::vector<PlannerItem>& items, const PlannerLayoutOptions& options);

// The box of a placed record in the day column [left, right): lanes share the
// column, and a record with nothing beside it on the right reaches the column's
// edge. An empty rectangle when the lanes would be narrower than 8 pixels.
RECT PlacedItemRect(const PlacedItem& placed, int maxLane, int left, int right, int hourHeight);
// The largest lane among the records of that day (0 when none).
int MaxLaneOfDay(const std::vector<PlacedItem>& placed, double day);
// The first record whose stored rectangle holds the content point; -1 for none.
int FindPlacedItemAt(const std::vector<PlacedItem>& placed, POINT contentPoint);
