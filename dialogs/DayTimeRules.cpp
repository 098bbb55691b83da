#include "dialogs/DayTimeRules.h"

#include <cmath>

#include "document/model/DateFunctions.h"
#include "foundation/TimeParser.h"

double FinishFromDuration(double start, double durationHours)
{
    const double dayEnd = OleDateFloor(start) + EndOfDayTime();
    const double finish = start + durationHours / 24.0;
    return finish > dayEnd ? dayEnd : finish;
}

double DurationFromTimes(double start, double finish)
{
    return AdvMath::RoundTo((finish - start) * 24.0, 2);
}

bool TimeChanged(double before, double after)
{
    return std::fabs(after - before) * 86400.0 >= 0.5;
}
