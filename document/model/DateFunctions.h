// Date and time-of-day arithmetic shared by the plan records.
#pragma once

#include "foundation/EString.h"

double OleDateFloor(double date);
// The time of day of a date (for dates before 1899 too, whose times count forwards).
double OleDateFraction(double date);
// 23:59:00: no stored time of day is later.
double EndOfDayTime();
// Cuts a time later than 23:59:00 down to it; 0 when it had to, else 1.
int ClampToDayEnd(double& date);
double TruncateToMinute(double time);
// Times compared to the second: sums of times are a little off in binary.
bool IsEarlierToTheSecond(double a, double b);
EString FormatTimeOfDay(double date);
double CurrentTimeOfDay();
// The first day of the current week: Sunday when weeks start on Sunday, else Monday.
double StartOfCurrentWeek();
