#include "document/model/ReminderInfo.h"

#include <cmath>

#include "foundation/Clock.h"
#include "foundation/TimeParser.h"

ReminderInfo::ReminderInfo() : m_alarmDate(Clock::Now()), m_alarmTime(m_alarmDate)
{
}

ReminderInfo::ReminderInfo(int taskId, double alarmDate, double alarmTime)
    : NamedEntry(taskId, EString(), EString()), m_alarmDate(alarmDate), m_alarmTime(alarmTime)
{
}

EString ReminderInfo::GetAlarmDateXmlText() const
{
    return DateParser::FormatDate(m_alarmDate);
}

void ReminderInfo::SetAlarmDateXmlText(const EString& text)
{
    m_alarmDate = DateParser::ParseDate(text);
}

EString ReminderInfo::GetAlarmTimeXmlText() const
{
    return TimeParser::FormatTime24(m_alarmTime);
}

void ReminderInfo::SetAlarmTimeXmlText(const EString& text)
{
    m_alarmTime = TimeParser::ParseTime(text);
}

void ReminderInfo::SnoozeFor(int minutes)
{
    const double alarm = Clock::Now() + minutes / 1440.0;
    // Whole seconds, as the clock gives them: the plain fraction of the sum is
    // a little off, and an alarm meant for midnight could keep the day before.
    double day = std::floor(alarm);
    long long seconds = std::llround((alarm - day) * 86400.0);
    if (seconds >= 86400) {
        day += 1;
        seconds -= 86400;
    }
    m_alarmDate = day;
    m_alarmTime = static_cast<double>(seconds) / 86400.0;
}

bool ReminderInfo::operator==(const ReminderInfo& other) const
{
    return NamedEntry::operator==(other) && m_alarmDate == other.m_alarmDate && m_alarmTime == other.m_alarmTime;
}
