// WorkCalendar: the plan's non-work days (weekends by the setting, each stored holiday inverting its day) and counts of them over spans.
#pragma once

#include <vector>

#include "document/model/Holidays.h"

class WorkCalendar {
public:
    // The document's holiday dates; weekendsOff is the setting "IsAutoSatSun".
    WorkCalendar(const std::vector<double>& holidays, bool weekendsOff);
    virtual ~WorkCalendar() = default;

    bool IsNonWorkDay(double day) const;
    // The non-work days among first, first + 1, ... up to last, both taken as
    // whole days. Counted, not stepped through: a span may be any length.
    long long CountNonWorkDays(double first, double last) const;
    // The candidate day moved later by the non-work days between the start and
    // it, counted again as the span grows (at most ten times).
    double AdjustForNonWorkDays(double start, double candidate) const;
    // The first work day after the day.
    double NextWorkDay(double day) const;

private:
    long long CountWeekendDays(long long first, long long last) const;

    Holidays m_holidays;
    std::vector<long long> m_wholeDays; // the holidays that can fall on a day, sorted, once each
    bool m_weekendsOff;
};
