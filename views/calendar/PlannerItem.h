// PlannerItem, PlacedItem, HourCell: the records the day planner keeps of its entries, their places and its hour cells.
#pragma once

#include <windows.h>

#include "foundation/EString.h"

// One box of the planner; its owner keeps the plan entry's id in `data`.
struct PlannerItem {
    double start = 0; // date and time of day
    int lengthMinutes = 0;
    COLORREF textColor = 0;
    COLORREF fillColor = RGB(255, 255, 255);
    EString subject;
    EString description;
    bool completed = false;
    int fixedTime = 0;
    int data = 0;
};

// Where one item stands on one shown day.
struct PlacedItem {
    int itemIndex = -1;
    // A later lane holds an item beside this one, so it keeps to its own lane.
    bool overlappedRight = false;
    double day = 0;
    // Content coordinates, bottom one pixel above the painted bottom; written by painting.
    RECT rect = {};
    int startMinute = 0;
    // The last minute covered.
    int endMinute = 0;
    int lengthMinutes = 0;
    int lane = 0;
};

// One hour of one day in the grid, as last painted.
struct HourCell {
    RECT rect = {};
    double start = 0;
    int lengthMinutes = 60;
};
