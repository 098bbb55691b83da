#include "document/model/FilterInfo.h"

#include "document/model/DateFunctions.h"
#include "foundation/Clock.h"

FilterInfo::FilterInfo(int statusFilter, int deadlineFilter, int priorityFilter, int categoryId)
    : m_categoryId(categoryId), m_statusFilter(statusFilter), m_deadlineFilter(deadlineFilter),
      m_priorityFilter(priorityFilter)
{
}

double FilterInfo::GetToday() const
{
    if (!m_todayKnown) {
        m_today = Clock::Today();
        m_todayKnown = true;
    }
    return m_today;
}

double FilterInfo::GetWeekStart() const
{
    if (!m_weekStartKnown) {
        m_weekStart = StartOfCurrentWeek();
        m_weekStartKnown = true;
    }
    return m_weekStart;
}
