#include "document/model/Holidays.h"

#include <algorithm>
#include <cmath>

#include "foundation/OleDate.h"
#include "foundation/Options.h"

void Holidays::SetDates(const std::vector<double>& dates)
{
    m_dates = dates;
    // A NaN would break the ordering the look-up relies on, and matches no day anyway.
    std::erase_if(m_dates, [](double date) { return std::isnan(date); });
    std::sort(m_dates.begin(), m_dates.end());
}

bool Holidays::Contains(double date) const
{
    return std::binary_search(m_dates.begin(), m_dates.end(), date);
}

bool Holidays::IsHoliday(double day) const
{
    return IsHoliday(day, Options::GetIsAutoSatSun() != 0);
}

bool Holidays::IsHoliday(double day, bool weekendsAreHolidays) const
{
    bool holiday = false;
    if (weekendsAreHolidays) {
        const int weekday = OleDayOfWeek(day);
        holiday = weekday == 1 || weekday == 7;
    }
    return Contains(day) ? !holiday : holiday;
}
