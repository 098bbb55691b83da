#include "document/model/ReportPeriod.h"

#include <windows.h>

#include <cmath>

#include "foundation/Locale.h"
#include "foundation/OleDate.h"


void ReportPeriod::SetDays(double first, double last)
{
    m_firstDay = std::floor(first);
    m_lastDay = std::floor(last);
}

EString ReportPeriod::GetText() const
{
    // The short form whatever the setting: a period reads as two dates.
    return FormatOleDateInForm(m_firstDay, false) + L"-" + FormatOleDateInForm(m_lastDay, false);
}
