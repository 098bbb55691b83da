// ReminderInfo: when the reminder of a task fires; its id is the task's.
#pragma once

#include "document/model/NamedEntry.h"

class ReminderInfo : public NamedEntry {
public:
    // Fires now.
    ReminderInfo();
    ReminderInfo(int taskId, double alarmDate, double alarmTime);

    // The whole day is used.
    double GetAlarmDate() const { return m_alarmDate; }
    void SetAlarmDate(double date) { m_alarmDate = date; }
    // The time of day is used.
    double GetAlarmTime() const { return m_alarmTime; }
    void SetAlarmTime(double time) { m_alarmTime = time; }

    // "%Y-%m-%d" and "%H:%M", the document's forms.
    EString GetAlarmDateXmlText() const;
    void SetAlarmDateXmlText(const EString& text);
    EString GetAlarmTimeXmlText() const;
    void SetAlarmTimeXmlText(const EString& text);

    // Fires again the given minutes from now, on the next day when that passes midnight.
    void SnoozeFor(int minutes);

    bool operator==(const ReminderInfo& other) const;

private:
    double m_alarmDate;
    double m_alarmTime;
};
