#include "reports/ReportPeriods.h"

#include <algorithm>
#include <cmath>

#include "dialogs/TranslatedOrKey.h"
#include "document/model/DateFunctions.h"
#include "foundation/Locale.h"

namespace {

constexpr const wchar_t* kWeekKeys[] = {L"ThisWeek", L"LastWeek", L"TwoWeeksAgo", L"CustomWeek"};

double WholeDay(double date)
{
    return std::trunc(date);
}

} // namespace

std::vector<ReportPeriod>& StoredReportPeriods()
{
    static std::vector<ReportPeriod> periods;
    return periods;
}

std::vector<EString> ReportPeriodList::GetTexts() const
{
    std::vector<EString> texts;
    for (const ReportPeriod& period : m_stored)
        texts.push_back(FormatPeriod(period));
    for (const wchar_t* key : kWeekKeys)
        texts.push_back(TranslatedOrKey(key));
    return texts;
}

ReportPeriod ReportPeriodList::GetRange(int index) const
{
    if (index >= 0 && static_cast<size_t>(index) < m_stored.size())
        return m_stored[static_cast<size_t>(index)];
    const int week = index - static_cast<int>(m_stored.size());
    return GetWeekRange(week >= 0 && week <= 2 ? week : 0);
}

ReportPeriod ReportPeriodList::GetWeekRange(int weeksAgo)
{
    const double start = StartOfCurrentWeek() - 7.0 * weeksAgo;
    return {start, start + 6};
}

int ReportPeriodList::Add(double since, double to)
{
    const ReportPeriod period{WholeDay(since), WholeDay(to)};
    const auto found = std::find(m_stored.begin(), m_stored.end(), period);
    if (found != m_stored.end())
        return static_cast<int>(found - m_stored.begin());
    m_stored.insert(m_stored.begin(), period);
    ++m_added;
    return 0;
}

void ReportPeriodList::DiscardUncommitted()
{
    if (m_committed)
        return;
    const size_t removed = std::min(static_cast<size_t>(m_added), m_stored.size());
    m_stored.erase(m_stored.begin(), m_stored.begin() + static_cast<std::ptrdiff_t>(removed));
    m_added = 0;
}

EString ReportPeriodList::FormatPeriod(const ReportPeriod& period)
{
    return FormatOleDateInForm(period.start, false) + L"-" + FormatOleDateInForm(period.end, false);
}
