#include "document/model/RecurrenceInfo.h"

#include <cmath>

#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"
#include "foundation/TimeParser.h"

namespace {

constexpr int kSearchDays = 1000;

// A calendar day stepped forward without splitting a date at every step.
class CalendarDay {
public:
    explicit CalendarDay(double day) : m_day(day)
    {
        OleDateParts parts;
        SplitOleDate(day, parts);
        m_year = parts.year;
        m_month = parts.month;
        m_dayOfMonth = parts.day;
        m_dayOfWeek = parts.dayOfWeek;
        m_daysInMonth = DaysInMonth(m_year, m_month);
    }

    double Day() const { return m_day; }
    int DayOfMonth() const { return m_dayOfMonth; }
    int DayOfWeek() const { return m_dayOfWeek; }
    int DaysInThisMonth() const { return m_daysInMonth; }

    void Next()
    {
        m_day += 1.0;
        m_dayOfWeek = m_dayOfWeek % 7 + 1;
        if (++m_dayOfMonth <= m_daysInMonth)
            return;
        m_dayOfMonth = 1;
        if (++m_month > 12) {
            m_month = 1;
            ++m_year;
        }
        m_daysInMonth = DaysInMonth(m_year, m_month);
    }

private:
    double m_day;
    int m_year = 0;
    int m_month = 0;
    int m_dayOfMonth = 0;
    int m_dayOfWeek = 0;
    int m_daysInMonth = 0;
};

// Walks a rule day by day from its start date, judging each day and counting
// the occurrences. The settings the rule depends on are read once per walk.
class OccurrenceWalker {
public:
    explicit OccurrenceWalker(const RecurrenceInfo& rule)
        : m_rule(rule), m_day(std::floor(rule.GetStartDate())),
          m_weekendsAreHolidays(rule.GetPatternPeriod() == RecurrenceInfo::kDaily &&
                                rule.GetDayWorkday() != RecurrenceInfo::kAllDays && Options::GetIsAutoSatSun() != 0),
          m_firstDayOfWeek(rule.GetPatternPeriod() == RecurrenceInfo::kWeekly ? Locale::GetFirstDayOfWeek() : 0)
    {
    }

    double Day() const { return m_day.Day(); }
    int Count() const { return m_count; }

    // Judges the current day; call once per day, then Step.
    bool Judge()
    {
        const bool first = m_first;
        m_first = false;
        bool occurs = false;
        switch (m_rule.GetPatternPeriod()) {
        case RecurrenceInfo::kDaily:
            occurs = JudgeDaily();
            break;
        case RecurrenceInfo::kWeekly:
            // A new week starts the next period before its first day is judged.
            if (!first && m_day.DayOfWeek() == m_firstDayOfWeek)
                ++m_period;
            occurs = InPeriod(m_rule.GetEveryWeekIndex()) && m_rule.GetWeekdayFlag(m_day.DayOfWeek()) == 1;
            break;
        case RecurrenceInfo::kMonthly:
            if (!first && m_day.DayOfMonth() == 1)
                ++m_period;
            occurs = JudgeMonthly();
            break;
        default:
            break;
        }
        if (occurs)
            ++m_count;
        return occurs;
    }

    void Step() { m_day.Next(); }

private:
    // Whether the current period is the first of its cycle of index + 1 periods.
    bool InPeriod(int index)
    {
        if (m_period > index)
            m_period = 0;
        return m_period == 0;
    }

    bool Qualifies() const
    {
        switch (m_rule.GetDayWorkday()) {
        case RecurrenceInfo::kAllDays:
            return true;
        case RecurrenceInfo::kWorkingDays:
            return !m_rule.IsHoliday(m_day.Day(), m_weekendsAreHolidays);
        case RecurrenceInfo::kHolidays:
            return m_rule.IsHoliday(m_day.Day(), m_weekendsAreHolidays);
        default:
            return false;
        }
    }

    // Days that do not qualify are not counted in the cycle.
    bool JudgeDaily()
    {
        if (!Qualifies())
            return false;
        const bool occurs = InPeriod(m_rule.GetEveryDayIndex());
        ++m_period;
        return occurs;
    }

    bool JudgeMonthly()
    {
        switch (m_rule.GetMonthPattern()) {
        case RecurrenceInfo::kDayOfMonth:
            return InPeriod(m_rule.GetEveryDayOfMonth()) && m_day.DayOfMonth() == m_rule.GetMonthDay();
        case RecurrenceInfo::kWeekdayOfMonth:
            return InPeriod(m_rule.GetEveryWeekdayOfMonth()) && IsWeekdayOfMonth();
        default:
            return false;
        }
    }

    bool IsWeekdayOfMonth() const
    {
        if (m_day.DayOfWeek() != m_rule.GetWeekdayMonth() + 1)
            return false;
        if (m_rule.GetWeekNoMonth() == RecurrenceInfo::kLastWeek)
            return m_day.DayOfMonth() + 7 > m_day.DaysInThisMonth();
        return (m_day.DayOfMonth() - 1) / 7 == m_rule.GetWeekNoMonth();
    }

    const RecurrenceInfo& m_rule;
    CalendarDay m_day;
    const bool m_weekendsAreHolidays;
    const int m_firstDayOfWeek;
    bool m_first = true;
    int m_period = 0;
    int m_count = 0;
};

bool IsKnownPattern(int patternPeriod)
{
    return patternPeriod == RecurrenceInfo::kDaily || patternPeriod == RecurrenceInfo::kWeekly ||
           patternPeriod == RecurrenceInfo::kMonthly;
}

EString DateXmlText(double date, bool valid)
{
    return valid ? DateParser::FormatDate(date) : EString();
}

} // namespace

RecurrenceInfo::RecurrenceInfo() : m_startDate(Clock::Today()), m_endDate(Clock::Today())
{
}

RecurrenceInfo::RecurrenceInfo(const RecurrenceInfo& other) : TimeRange(other), Holidays()
{
    *this = other;
    SetDates({});
}

RecurrenceInfo::RecurrenceInfo(const TimeRange& times, int patternPeriod, int everyDayIndex, int dayWorkday,
                               int everyWeekIndex, const std::array<int, 7>& weekdays, int monthPattern, int monthDay,
                               int everyDayOfMonth, int everyWeekdayOfMonth, int weekNoMonth, int weekdayMonth,
                               double startDate, double endDate, int endType, int occurrencesNumber)
    : TimeRange(times), m_patternPeriod(patternPeriod), m_everyDayIndex(everyDayIndex), m_dayWorkday(dayWorkday),
      m_everyWeekIndex(everyWeekIndex), m_weekdays(weekdays), m_monthPattern(monthPattern), m_monthDay(monthDay),
      m_everyDayOfMonth(everyDayOfMonth), m_everyWeekdayOfMonth(everyWeekdayOfMonth), m_weekNoMonth(weekNoMonth),
      m_weekdayMonth(weekdayMonth), m_endType(endType), m_occurrencesNumber(occurrencesNumber)
{
    SetStartDate(startDate);
    SetEndDate(endDate);
}

int RecurrenceInfo::GetWeekdayFlag(int dayOfWeek) const
{
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? m_weekdays[dayOfWeek - 1] : 0;
}

void RecurrenceInfo::SetStartDate(double date)
{
    m_startDate = date;
    m_startDateValid = IsValidOleDate(date);
}

void RecurrenceInfo::SetEndDate(double date)
{
    m_endDate = date;
    m_endDateValid = IsValidOleDate(date);
}

EString RecurrenceInfo::GetStartDateXmlText() const
{
    return DateXmlText(m_startDate, m_startDateValid);
}

EString RecurrenceInfo::GetEndDateXmlText() const
{
    return DateXmlText(m_endDate, m_endDateValid);
}

void RecurrenceInfo::SetStartDateXmlText(const EString& text)
{
    const double date = DateParser::ParseDate(text);
    SetStartDate(date);
    // The parser's answer for a date out of range.
    if (date == -1)
        m_startDateValid = false;
}

void RecurrenceInfo::SetEndDateXmlText(const EString& text)
{
    const double date = DateParser::ParseDate(text);
    SetEndDate(date);
    if (date == -1)
        m_endDateValid = false;
}

bool RecurrenceInfo::EndAllows(double day, int count) const
{
    switch (m_endType) {
    case kNoEnd:
        return true;
    case kEndAfterOccurrences:
        return count <= m_occurrencesNumber;
    case kEndByDate:
        // The day itself, not its whole day: a time on the end day is past the end.
        return m_endDateValid && day <= m_endDate;
    default:
        return false;
    }
}

bool RecurrenceInfo::OccursOn(double day) const
{
    if (!IsKnownPattern(m_patternPeriod) || !m_startDateValid || !IsValidOleDate(day))
        return false;
    const double last = std::floor(day);
    OccurrenceWalker walk(*this);
    bool occurs = false;
    for (; walk.Day() <= last; walk.Step())
        occurs = walk.Judge();
    return occurs && EndAllows(day, walk.Count());
}

int RecurrenceInfo::CountOccurrences(double day) const
{
    if (!IsKnownPattern(m_patternPeriod) || !m_startDateValid || !IsValidOleDate(day))
        return 0;
    const double last = std::floor(day);
    OccurrenceWalker walk(*this);
    for (; walk.Day() <= last; walk.Step())
        walk.Judge();
    return walk.Count();
}

double RecurrenceInfo::NextOccurrence(double day) const
{
    const double from = day == 0 ? Clock::Today() : day;
    if (!IsValidOleDate(from))
        return 0;
    if (m_patternPeriod == kNone)
        return from + 1;
    if (!IsKnownPattern(m_patternPeriod) || !m_startDateValid)
        return 0;
    // One walk serves every candidate day: each would walk the same days from the start again.
    const double first = std::floor(from);
    const double last = first + (kSearchDays - 1);
    for (OccurrenceWalker walk(*this); walk.Day() <= last; walk.Step()) {
        const bool occurs = walk.Judge();
        if (walk.Day() < first)
            continue;
        const double candidate = from + (walk.Day() - first);
        if (occurs && EndAllows(candidate, walk.Count()))
            return candidate;
        // Past the end, no later day can occur.
        if ((m_endType == kEndAfterOccurrences && walk.Count() > m_occurrencesNumber) ||
            (m_endType == kEndByDate && !EndAllows(candidate, 0)))
            return 0;
    }
    return 0;
}

bool RecurrenceInfo::IsEveryDay() const
{
    return m_patternPeriod == kDaily && (m_dayWorkday == kAllDays || m_dayWorkday == kWorkingDays) &&
           m_everyDayIndex == 0 && m_endType == kNoEnd;
}

void RecurrenceInfo::SetEveryDay()
{
    m_patternPeriod = kDaily;
    m_everyDayIndex = 0;
    m_dayWorkday = kAllDays;
    m_endType = kNoEnd;
}

bool RecurrenceInfo::operator==(const RecurrenceInfo& other) const
{
    return TimeRange::operator==(other) && m_patternPeriod == other.m_patternPeriod &&
           m_everyDayIndex == other.m_everyDayIndex && m_dayWorkday == other.m_dayWorkday &&
           m_everyWeekIndex == other.m_everyWeekIndex && m_weekdays == other.m_weekdays &&
           m_monthPattern == other.m_monthPattern && m_monthDay == other.m_monthDay &&
           m_everyDayOfMonth == other.m_everyDayOfMonth && m_everyWeekdayOfMonth == other.m_everyWeekdayOfMonth &&
           m_weekNoMonth == other.m_weekNoMonth && m_weekdayMonth == other.m_weekdayMonth &&
           m_startDate == other.m_startDate && m_startDateValid == other.m_startDateValid &&
           m_endDate == other.m_endDate && m_endDateValid == other.m_endDateValid && m_endType == other.m_endType &&
           m_occurrencesNumber == other.m_occurrencesNumber;
}
