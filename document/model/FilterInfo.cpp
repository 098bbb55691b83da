#include "document/model/FilterInfo.h"

#include "document/model/DateFunctions.h"

FilterInfo::FilterInfo(int statusFilter, int deadlineFilter, int priorityFilter, int categoryId)
    : m_categoryId(categoryId), m_statusFilter(statusFilter), m_deadlineFilter(deadlineFilter),
      m_priorityFilter(priorityFilter)
{
}

double FilterInfo::GetWeekStart() const
{
    if (!m_weekStartKnown) {
        m_weekStart = StartOfCurrentWeek();
        m_weekStartKnown = true;
    }
    return m_weekStart;
}
