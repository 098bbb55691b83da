// TimeRange: a named block of time within one day, 00:00 <= start <= end <= 23:59.
#pragma once

#include "document/model/NamedEntry.h"

class TimeRange : public NamedEntry {
public:
    enum Phase { kNotBegun = 0, kRunning = 1, kOver = 2 };

    TimeRange() = default;
    TimeRange(double start, double end, const EString& name, const EString& description, int fixedTime);

    // Times of day.
    double GetStartTime() const;
    double GetEndTime() const;
    // A start after the end becomes the end.
    void SetStart(double time);
    // Kept within the day and not before the start.
    void SetEnd(double time);
    // Moves the start and the end with it, cutting the block at 23:59.
    void SetStartKeepDuration(double time);
    void SetEndToNow();
    void EndNow() { SetEndToNow(); }

    // "%H:%M", the document's form.
    EString GetStartTimeXmlText() const;
    EString GetEndTimeXmlText() const;
    EString GetStartTimeText() const;
    EString GetEndTimeText() const;
    // An empty or unreadable text gives 00:00.
    void SetStartTimeText(const EString& text);
    void SetEndTimeText(const EString& text);

    double GetDurationHours() const;
    double GetDurationMinutes() const;
    // In days, like a date span.
    double GetDuration() const;
    EString GetDurationText() const;

    // Of the block planned on the given day, against now.
    int GetPhase(double day) const;
    double GetRemainingHours(double day) const;
    EString GetRemainingHoursText(double day) const;
    // Times of day only: start <= now < end.
    bool IsRunningNow() const;
    bool ContainsNow() const { return IsRunningNow(); }

    int GetFixedTime() const { return m_fixedTime; }
    void SetFixedTime(int fixedTime) { m_fixedTime = fixedTime; }

    bool operator==(const TimeRange& other) const;

private:
    double m_start = 0;
    double m_end = 0;
    int m_fixedTime = 0;
};

// Orders of the day's plan entries.
bool StartsBefore(const TimeRange& a, const TimeRange& b);
bool StartsNoLaterToTheMinute(const TimeRange& a, const TimeRange& b);
