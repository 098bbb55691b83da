#include "document/model/TimeRange.h"

#include <cmath>

#include "document/model/DateFunctions.h"
#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/TimeParser.h"

namespace {

// Within 00:00 .. 23:59; a value with a day part is past the day's end.
double ClampToDay(double time)
{
    if (!(time >= 0)) // NaN too
        return 0;
    ClampToDayEnd(time);
    return time;
}

} // namespace

TimeRange::TimeRange(double start, double end, const EString& name, const EString& description, int fixedTime)
    : NamedEntry(0, name, description), m_start(ClampToDay(start)), m_end(m_start), m_fixedTime(fixedTime)
{
    SetEnd(end);
}

double TimeRange::GetStartTime() const
{
    return OleDateFraction(m_start);
}

double TimeRange::GetEndTime() const
{
    return OleDateFraction(m_end);
}

void TimeRange::SetStart(double time)
{
    m_start = ClampToDay(time);
    if (m_end < m_start)
        m_start = GetEndTime();
}

void TimeRange::SetEnd(double time)
{
    const double end = ClampToDay(time);
    m_end = GetStartTime() <= end ? end : GetStartTime();
}

void TimeRange::SetStartKeepDuration(double time)
{
    const double duration = GetEndTime() - GetStartTime();
    m_start = ClampToDay(time);
    SetEnd(m_start + duration);
}

void TimeRange::SetEndToNow()
{
    SetEnd(CurrentTimeOfDay());
}

EString TimeRange::GetStartTimeXmlText() const
{
    return TimeParser::FormatTime24(m_start);
}

EString TimeRange::GetEndTimeXmlText() const
{
    return TimeParser::FormatTime24(m_end);
}

EString TimeRange::GetStartTimeText() const
{
    return FormatTimeOfDay(m_start);
}

EString TimeRange::GetEndTimeText() const
{
    return FormatTimeOfDay(m_end);
}

void TimeRange::SetStartTimeText(const EString& text)
{
    SetStartKeepDuration(TimeParser::ParseTime(text));
}

void TimeRange::SetEndTimeText(const EString& text)
{
    SetEnd(TimeParser::ParseTime(text));
}

double TimeRange::GetDuration() const
{
    return GetEndTime() - GetStartTime();
}

double TimeRange::GetDurationHours() const
{
    return GetDuration() * 24;
}

double TimeRange::GetDurationMinutes() const
{
    return GetDurationHours() * 60;
}

EString TimeRange::GetDurationText() const
{
    return Locale::FormatDecimal(GetDurationHours());
}

int TimeRange::GetPhase(double day) const
{
    const double today = Clock::Today();
    const double planned = std::floor(day);
    if (today < planned)
        return kNotBegun;
    if (today > planned)
        return kOver;
    const double now = CurrentTimeOfDay();
    if (now < GetStartTime())
        return kNotBegun;
    return now < GetEndTime() ? kRunning : kOver;
}

double TimeRange::GetRemainingHours(double day) const
{
    switch (GetPhase(day)) {
    case kNotBegun:
        return GetDurationHours();
    case kRunning:
        return (GetEndTime() - CurrentTimeOfDay()) * 24;
    default:
        return 0;
    }
}

EString TimeRange::GetRemainingHoursText(double day) const
{
    return Locale::FormatDecimal(GetRemainingHours(day));
}

bool TimeRange::IsRunningNow() const
{
    const double now = CurrentTimeOfDay();
    return GetStartTime() <= now && now < GetEndTime();
}

bool TimeRange::operator==(const TimeRange& other) const
{
    return NamedEntry::operator==(other) && GetStartTime() == other.GetStartTime() &&
           GetEndTime() == other.GetEndTime() && m_fixedTime == other.m_fixedTime;
}

bool StartsBefore(const TimeRange& a, const TimeRange& b)
{
    return a.GetStartTime() < b.GetStartTime();
}

bool StartsNoLaterToTheMinute(const TimeRange& a, const TimeRange& b)
{
    return TruncateToMinute(a.GetStartTime()) <= TruncateToMinute(b.GetStartTime());
}
