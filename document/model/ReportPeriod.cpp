#include "document/model/ReportPeriod.h"

#include <windows.h>

#include <cmath>

#include "foundation/OleDate.h"

namespace {

// The short form whatever the long-date setting says: a period reads as two dates.
EString FormatShortDate(double date)
{
    OleDateParts parts;
    if (!SplitOleDate(date, parts))
        return EString();
    SYSTEMTIME system = {};
    system.wYear = static_cast<WORD>(parts.year);
    system.wMonth = static_cast<WORD>(parts.month);
    system.wDay = static_cast<WORD>(parts.day);
    system.wDayOfWeek = static_cast<WORD>(parts.dayOfWeek - 1);
    wchar_t buffer[80] = {};
    if (!::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &system, nullptr, buffer, 80))
        return EString();
    return buffer;
}

} // namespace

void ReportPeriod::SetDays(double first, double last)
{
    m_firstDay = std::floor(first);
    m_lastDay = std::floor(last);
}

EString ReportPeriod::GetText() const
{
    return FormatShortDate(m_firstDay) + L"-" + FormatShortDate(m_lastDay);
}
