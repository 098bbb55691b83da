#include "document/model/DateFunctions.h"

#include <cmath>

#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/OleDate.h"
#include "foundation/TimeParser.h"

double OleDateFloor(double date)
{
    return std::floor(date);
}

double OleDateFraction(double date)
{
    double whole = 0;
    return std::fabs(std::modf(date, &whole));
}

double EndOfDayTime()
{
    return 1439.0 / 1440.0;
}

int ClampToDayEnd(double& date)
{
    if (date > EndOfDayTime()) {
        date = EndOfDayTime();
        return 0;
    }
    return 1;
}

double TruncateToMinute(double time)
{
    // Whole seconds first, so that 09:01 stored as 0.37569444... stays 09:01.
    long long seconds = std::llround(OleDateFraction(time) * 86400.0);
    if (seconds >= 86400)
        seconds = 86399;
    return MakeOleTime(static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60));
}

bool IsEarlierToTheSecond(double a, double b)
{
    return std::llround(a * 86400.0) < std::llround(b * 86400.0);
}

EString FormatTimeOfDay(double date)
{
    return TimeParser::FormatTimeLocale(date);
}

double CurrentTimeOfDay()
{
    // Rebuilt from the clock's hour, minute and second: the fraction of a whole
    // date is a little off, and 10:00 would read as just before 10:00.
    OleDateParts parts;
    if (!SplitOleDate(Clock::Now(), parts))
        return TimeParser::GetCurrentTimeOfDay();
    return MakeOleTime(parts.hour, parts.minute, parts.second);
}

double StartOfCurrentWeek()
{
    const double today = Clock::Today();
    if (Locale::GetFirstDayOfWeek() == 1)
        return today - OleDayOfWeek(today) + 1;
    return today - OleDayOfWeek(today - 1) + 1;
}
