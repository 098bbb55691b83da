// ReportPeriods: the periods a report can cover: the custom periods of this run and the last three weeks.
#pragma once

#include <cstddef>
#include <vector>

#include "foundation/EString.h"

// Whole days as OLE dates, both included.
struct ReportPeriod {
    double start = 0;
    double end = 0;
    bool operator==(const ReportPeriod&) const = default;
};

// The custom periods chosen in this run of the program, newest first; never saved.
std::vector<ReportPeriod>& StoredReportPeriods();

// The reports dialog's view of the stored periods. Its combo lists the stored
// periods, then "ThisWeek", "LastWeek", "TwoWeeksAgo" and "CustomWeek". The
// periods a dialog adds stay only when it commits; otherwise they go with it.
class ReportPeriodList {
public:
    explicit ReportPeriodList(std::vector<ReportPeriod>& stored = StoredReportPeriods()) : m_stored(stored) {}
    ReportPeriodList(const ReportPeriodList&) = delete;
    ReportPeriodList& operator=(const ReportPeriodList&) = delete;
    ~ReportPeriodList() { DiscardUncommitted(); }

    // The combo's texts, top to bottom.
    std::vector<EString> GetTexts() const;
    size_t GetStoredCount() const { return m_stored.size(); }
    // The index of "CustomWeek", the last entry.
    int GetCustomIndex() const { return static_cast<int>(m_stored.size()) + 3; }
    // A stored period, or a week: 0 this week, 1 last week, 2 the week
    // before; "CustomWeek" itself is this week.
    ReportPeriod GetRange(int index) const;
    // weeksAgo whole weeks before this week, Monday or Sunday to the sixth day after.
    static ReportPeriod GetWeekRange(int weeksAgo);
    // Stores the period cut to whole days unless an equal one is stored;
    // returns its index in the combo (0 when it was added).
    int Add(double since, double to);
    int GetAddedCount() const { return m_added; }
    void Commit() { m_committed = true; }
    // Takes this dialog's additions off the front of the stored list, unless committed.
    void DiscardUncommitted();

    static EString FormatPeriod(const ReportPeriod& period);

private:
    std::vector<ReportPeriod>& m_stored;
    bool m_committed = false;
    int m_added = 0;
};
