// How a start, a finish and a duration in hours follow each other within one day.
#pragma once

// Start plus the hours, cut at 23:59 of the start's day.
double FinishFromDuration(double start, double durationHours);
// The hours from start to finish, halves rounded up at two decimals.
double DurationFromTimes(double start, double finish);
// Times typed in an edit count to the second.
bool TimeChanged(double before, double after);
