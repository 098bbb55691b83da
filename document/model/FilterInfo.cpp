#include "document/model/FilterInfo.h"

FilterInfo::FilterInfo(int statusFilter, int deadlineFilter, int priorityFilter, int categoryId)
    : m_categoryId(categoryId), m_statusFilter(statusFilter), m_deadlineFilter(deadlineFilter),
      m_priorityFilter(priorityFilter)
{
}
