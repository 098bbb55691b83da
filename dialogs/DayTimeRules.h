// How a start, a finish and a duration in hours follow each other within one day.
#pragma once

#include "foundation/EString.h"

// Start plus the hours, cut at 23:59 of the start's day.
double FinishFromDuration(double start, double durationHours);
// The hours from start to finish, exactly: only the hours shown are rounded.
double DurationFromTimes(double start, double finish);
// Times typed in an edit count to the second.
bool TimeChanged(double before, double after);
// The hours a new plan entry of a task books: a recurring task's whole
// estimate each time; otherwise what the done and planned hours leave of
// it, or half an hour once nothing is left.
double ProposedDuration(double estimation, double scheduled, bool recurring);
// Hours as an edit shows them: the two decimals the duration rule keeps, at
// most, in the user's decimal separator; 1.5 gives "1.5", 2.0 gives "2".
EString FormatHoursText(double hours);
