// PlannerGeometry: the day planner's rules of pixels and times: row heights, columns, times under points, drags and keys.
#pragma once

#include <windows.h>

#include <vector>

// 30, 20, 15 or 10 minutes per row for the indices 0 to 3 (clamped).
int RowMinutesOfScale(int scaleIndex);
bool IsValidRowMinutes(int minutes);
// Pixels per hour: room for the hour label (with the 12-hour clock's AM or PM
// below it), or for every row's minute label.
int HourHeightOf(int hourFontHeight, int minuteFontHeight, int rowMinutes, bool designatorBelow = false);

// Where an item's subject is written: its box inset by 6 and 3, the 3 giving
// way (to 1 at least) where a short box would otherwise cut its one line.
RECT ItemTextRect(const RECT& box, int lineHeight);

// Splits [left, left + width) into `count` equal columns; the last takes the remainder.
std::vector<RECT> SplitIntoColumns(int left, int width, int top, int bottom, int count);

// The time of day (a fraction of a day) at a content y, within the day.
double TimeOfDayAtContentY(int contentY, int hourHeight);
// The content y of a time of day.
int ContentYOfTime(double timeOfDay, int hourHeight);
// A vertical drag of an edge, in days; not snapped to the grid.
double EdgeDragDelta(int pressY, int releaseY, int hourHeight);
// A press becomes a drag once the pointer is more than 5 pixels away.
bool IsDragDistance(POINT press, POINT now);
// The scroll position that puts the hour at the top, within [0, content - client].
int ScrollPositionOfHour(int hour, int hourHeight, int clientHeight);

// The selected date and time after an arrow, page, Home or End key; the same
// value for any other key or where the key stops (Up at hour 0, Home in hour 0).
// `pageDays` is the pane's height as a fraction of a day.
double TimeAfterKey(double selected, UINT key, double pageDays);

// Each channel moved `percent` of the way towards `target`, in integer steps.
COLORREF BlendTowards(COLORREF color, int target, int percent);
// Text on a fill this dark is drawn in the window colour.
bool IsDarkFill(COLORREF color);
