#include "document/xml/WorkCalendar.h"

#include <algorithm>
#include <cmath>

namespace {

// The days an OLE date can hold (years 100 to 9999).
constexpr double kFirstDay = -657434;
constexpr double kLastDay = 2958465;

long long WholeDay(double day)
{
    if (!(day >= kFirstDay)) // NaN too
        return static_cast<long long>(kFirstDay);
    return static_cast<long long>(std::floor(std::min(day, kLastDay)));
}

long long FloorDiv(long long a, long long b)
{
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Day 0, 30 December 1899, is a Saturday: days 0 and 1 modulo 7 are the weekend.
bool IsWeekend(long long day)
{
    const long long weekday = ((day % 7) + 7) % 7;
    return weekday == 0 || weekday == 1;
}

} // namespace

WorkCalendar::WorkCalendar(const std::vector<double>& holidays, bool weekendsOff) : m_weekendsOff(weekendsOff)
{
    m_holidays.SetDates(holidays);
    // Only a whole-day date is ever asked about.
    for (const double date : holidays)
        if (std::isfinite(date) && date == std::floor(date) && date >= kFirstDay && date <= kLastDay)
            m_wholeDays.push_back(static_cast<long long>(date));
    std::sort(m_wholeDays.begin(), m_wholeDays.end());
    m_wholeDays.erase(std::unique(m_wholeDays.begin(), m_wholeDays.end()), m_wholeDays.end());
}

bool WorkCalendar::IsNonWorkDay(double day) const
{
    return m_holidays.IsHoliday(day, m_weekendsOff);
}

long long WorkCalendar::CountWeekendDays(long long first, long long last) const
{
    long long count = 0;
    for (const long long residue : {0LL, 1LL})
        count += FloorDiv(last - residue, 7) - FloorDiv(first - 1 - residue, 7);
    return count;
}

long long WorkCalendar::CountNonWorkDays(double first, double last) const
{
    const long long from = WholeDay(first), to = WholeDay(last);
    if (from > to)
        return 0;
    long long count = m_weekendsOff ? CountWeekendDays(from, to) : 0;
    const auto begin = std::lower_bound(m_wholeDays.begin(), m_wholeDays.end(), from);
    const auto end = std::upper_bound(m_wholeDays.begin(), m_wholeDays.end(), to);
    for (auto day = begin; day != end; ++day)
        count += m_weekendsOff && IsWeekend(*day) ? -1 : 1;
    return count;
}

double WorkCalendar::AdjustForNonWorkDays(double start, double candidate) const
{
    long long added = 0;
    for (int round = 0; round < 10; ++round) {
        const long long count = CountNonWorkDays(start, candidate + static_cast<double>(added));
        if (count == added)
            break;
        added = count;
    }
    return candidate + static_cast<double>(added);
}

double WorkCalendar::NextWorkDay(double day) const
{
    // Ends within the stored holidays and one weekend of the day.
    double target = std::floor(day) + 1;
    while (IsNonWorkDay(target) && target < kLastDay)
        target += 1;
    return target;
}
