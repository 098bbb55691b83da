// MainWindowCommands: the planner's commands on large plans, each timed from the command to the window's next answer.
#pragma once

#include <functional>
#include <vector>

#include "benchmark/PlanGenerator.h"
#include "foundation/EString.h"

// A plan to measure on: `size` is the plan the commands' variants are made from.
struct CommandRun {
    const wchar_t* title;
    PlanSize size;
    const wchar_t* filePrefix;
    unsigned seed;
    // Puts back the choices a start finds (the filters, the daily plan's
    // layout, the sort), which the commands store.
    std::function<void()> beforeStart;
    // Only the figures whose names hold one of these; all when empty.
    std::vector<EString> only;
    // Why the planner is not to be started at all; empty: it is.
    EString startFailure;
};

// Today as an OLE date.
double Today();

// The commands on a variant of the plan with full categories and full days;
// each figure printed as it is taken. The number of figures not taken.
int MeasureCommands(const EString& program, const CommandRun& run);
// A day of as many entries as the plan has opened in the daily plan's list and grid.
int MeasureCrowdedDay(const EString& program, const CommandRun& run);
