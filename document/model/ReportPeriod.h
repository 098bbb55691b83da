// ReportPeriod: the first and last day a report covers.
#pragma once

#include "foundation/EString.h"

class ReportPeriod {
public:
    ReportPeriod() = default;
    ReportPeriod(const ReportPeriod&) = default;
    ReportPeriod& operator=(const ReportPeriod&) = default;
    virtual ~ReportPeriod() = default;

    // Keeps the whole days.
    void SetDays(double first, double last);
    double GetFirstDay() const { return m_firstDay; }
    double GetLastDay() const { return m_lastDay; }
    // "first-last" in the user's short date form.
    EString GetText() const;

    bool operator==(const ReportPeriod& other) const = default;

private:
    double m_firstDay = 0;
    double m_lastDay = 0;
};
