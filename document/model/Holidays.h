// Holidays: the document's holiday dates and the non-work-day test.
#pragma once

#include <vector>

class Holidays {
public:
    Holidays() = default;
    Holidays(const Holidays&) = default;
    Holidays& operator=(const Holidays&) = default;
    virtual ~Holidays() = default;

    void SetDates(const std::vector<double>& dates);
    bool Contains(double date) const;
    // Saturday and Sunday while "IsAutoSatSun" is on; a listed date inverts the answer for its day.
    bool IsHoliday(double day) const;
    // The same with the weekend setting read once by the caller.
    bool IsHoliday(double day, bool weekendsAreHolidays) const;

private:
    std::vector<double> m_dates; // sorted
};
