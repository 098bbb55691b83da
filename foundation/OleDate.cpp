#include "foundation/OleDate.h"

#include <cmath>

namespace {

constexpr double kMinOleDate = -657434.0;   // 1 January 100
constexpr double kMaxOleDate = 2958465.99999; // 31 December 9999, 23:59:59

// Days from 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// OLE day 0 (1899-12-30) counted from 1970-01-01.
constexpr long long kOleEpochFromUnix = -25569;

} // namespace

bool IsValidOleDate(double date)
{
    return std::isfinite(date) && date >= kMinOleDate && date <= kMaxOleDate;
}

bool SplitOleDate(double date, OleDateParts& parts)
{
    if (!IsValidOleDate(date))
        return false;
    // Negative dates count whole days backwards but times forwards:
    // -1.25 is 29 December 1899, 06:00.
    double whole = std::trunc(date);
    double fraction = std::fabs(date - whole);
    long long seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += date < 0 ? -1 : 1;
    }
    const long long days = static_cast<long long>(whole);
    CivilFromDays(days + kOleEpochFromUnix, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    // 1899-12-30 was a Saturday.
    const long long weekday = ((days % 7) + 7 + 6) % 7; // 0 Sunday
    parts.dayOfWeek = static_cast<int>(weekday) + 1;
    return true;
}

double MakeOleDate(int year, int month, int day)
{
    // Let the month run over into other years first.
    long long m = month - 1;
    long long y = year + (m >= 0 ? m / 12 : (m - 11) / 12);
    m = ((m % 12) + 12) % 12;
    const long long days = DaysFromCivil(y, m + 1, 1) + (day - 1);
    return static_cast<double>(days - kOleEpochFromUnix);
}

double MakeOleTime(int hour, int minute, int second)
{
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

double MakeOleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    const double date = MakeOleDate(year, month, day);
    const double time = MakeOleTime(hour, minute, second);
    return date >= 0 ? date + time : date - time;
}

int OleDayOfWeek(double date)
{
    OleDateParts parts;
    return SplitOleDate(date, parts) ? parts.dayOfWeek : 0;
}

int DaysInMonth(int year, int month)
{
    return static_cast<int>(MakeOleDate(year, month + 1, 1) - MakeOleDate(year, month, 1));
}
