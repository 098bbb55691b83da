// PlanEntryEdits: how the time grid turns plan entries into planner items and the planner's edge drags back into entries.
#pragma once

#include <vector>

#include "document/model/TaskPlanEntry.h"
#include "views/calendar/PlannerItem.h"

// The item of an entry planned on `day`: its times, whole minutes of length,
// its task's colour with text that stays readable on it, and its id as data.
PlannerItem PlannerItemOfEntry(const TaskPlanEntry& entry, double day);

// A top or bottom edge dragged by `delta` days: the start or the end moves,
// within the day (never before 00:00) and never past the other end.
void ApplyEdgeDrag(TimeRange& range, int edgeKind, double delta);

// A side edge dragged from the shown day onto `targetDay` copies the entry to
// every day between them, the shown day itself excluded.
std::vector<double> DaysToCopyTo(double shownDay, double targetDay);
