#include "dialogs/DayTimeRules.h"

#include <cmath>

#include "document/model/DateFunctions.h"
#include "foundation/Locale.h"
#include "foundation/TimeParser.h"

double FinishFromDuration(double start, double durationHours)
{
    const double dayEnd = OleDateFloor(start) + EndOfDayTime();
    const double finish = start + durationHours / 24.0;
    return finish > dayEnd ? dayEnd : finish;
}

double DurationFromTimes(double start, double finish)
{
    return (finish - start) * 24.0;
}

bool TimeChanged(double before, double after)
{
    return std::fabs(after - before) * 86400.0 >= 0.5;
}

double ProposedDuration(double estimation, double scheduled, bool recurring)
{
    if (recurring)
        return estimation;
    return scheduled < estimation ? estimation - scheduled : 0.5;
}

EString FormatHoursText(double hours)
{
    const long long hundredths = std::llround(std::fabs(hours) * 100.0);
    EString text = EString::Formatted(L"%lld%c%02lld", hundredths / 100, Locale::GetDecimalSeparator(), hundredths % 100);
    text.TrimRight(L"0");
    text.TrimRight(L".,");
    if (text.empty())
        text = L"0";
    if (hours < 0 && hundredths != 0)
        text.insert(0, 1, L'-');
    return text;
}
