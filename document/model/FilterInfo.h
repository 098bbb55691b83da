// FilterInfo: the selected category and the three filter choices of the task list.
#pragma once

class FilterInfo {
public:
    FilterInfo(int statusFilter, int deadlineFilter, int priorityFilter, int categoryId);
    FilterInfo(const FilterInfo&) = default;
    FilterInfo& operator=(const FilterInfo&) = default;
    virtual ~FilterInfo() = default;

    // 0 when no particular category is selected.
    int GetCategoryId() const { return m_categoryId; }
    int GetStatusFilter() const { return m_statusFilter; }
    void SetStatusFilter(int value) { m_statusFilter = value; }
    int GetDeadlineFilter() const { return m_deadlineFilter; }
    void SetDeadlineFilter(int value) { m_deadlineFilter = value; }
    int GetPriorityFilter() const { return m_priorityFilter; }
    void SetPriorityFilter(int value) { m_priorityFilter = value; }

    // Today and the first day of the current week, read from the clock and
    // the settings once per filter: a selection tests thousands of tasks
    // against one filter.
    double GetToday() const;
    double GetWeekStart() const;

private:
    int m_categoryId;
    int m_statusFilter;
    int m_deadlineFilter;
    int m_priorityFilter;
    mutable double m_today = -1;
    mutable bool m_todayKnown = false;
    mutable double m_weekStart = -1;
    mutable bool m_weekStartKnown = false;
};
