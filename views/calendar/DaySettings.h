// CDaySettings: what the day planner control and its pane share: metrics, colours, items, selection and the last edge drag.
#pragma once

#include <windows.h>

#include <vector>

#include "document/model/Holidays.h"
#include "views/calendar/PlannerItem.h"
#include "winlib/GdiObject.h"

// Style flags of the day planner.
enum DayPlannerStyle : int {
    kPlannerReadOnly = 0x001,
    kPlannerNoHeader = 0x002,
    kPlannerNoSelectedDayHighlight = 0x004,
    kPlannerNoTimeColumn = 0x008,
    kPlannerRedHolidays = 0x020,
    kPlannerSnapToRows = 0x040,
    kPlannerKeysToParent = 0x100,
    kPlannerSelectedHourAlwaysVisible = 0x200,
};

// Notification codes: WM_COMMAND to the control's parent, the control's id in
// the low word, the code in the high word, the sending window as lParam.
enum DayPlannerNotification : WORD {
    kPlannerSelectedTimeChanged = 1,
    kPlannerSelectedItemChanged = 2,
    kPlannerButtonDown = 3,
    kPlannerDoubleClick = 4,
    kPlannerFirstDayChanged = 6,
    kPlannerBeginDrag = 8,
    kPlannerFocus = 9,
    kPlannerMarkBoxClicked = 10,
    kPlannerEdgeDragEnded = 11,
};

enum PlannerEdge : int { kEdgeTop = 0, kEdgeBottom = 1, kEdgeLeft = 2, kEdgeRight = 3 };

struct CDaySettings {
    HFONT windowFont = nullptr; // the stock GUI font, not owned
    CFont hourFont;
    CFont minuteFont;
    TEXTMETRICW windowMetrics = {};
    TEXTMETRICW hourMetrics = {};
    TEXTMETRICW minuteMetrics = {};
    int headerHeight = 0;
    int timeColumnWidth = 0;
    int hourHeight = 0;

    COLORREF offHoursFill = 0;
    COLORREF hourLabelFill = 0;
    COLORREF workHoursFill = 0;
    COLORREF gridLine = 0;

    int rowScaleIndex = 0;
    int rowMinutes = 30;

    double edgeDragDelta = 0;      // days
    double edgeDragTargetDate = 0; // the day the pointer was released over
    int edgeDragKind = kEdgeTop;

    bool layoutDirty = true;
    std::vector<PlannerItem> items;
    std::vector<HourCell> hourCells;
    std::vector<PlacedItem> placed;
    // The records the five lanes had no room for.
    std::vector<PlacedItem> leftOut;

    int styleFlags = 0;
    // The time of day last shown by the drop marker or last clicked; 0 for none.
    double dropTime = 0;
    double selectedTime = 0;
    double firstDay = 0;
    int dayCount = 1;
    int firstWorkHour = 8;
    int lastWorkHour = 16;
    int minimumLength = 0;
    int selectedIndex = -1;
    Holidays holidays;
    bool clock24 = true;
    int snapMinutes = 15;

    bool Has(int flag) const { return (styleFlags & flag) != 0; }
};
