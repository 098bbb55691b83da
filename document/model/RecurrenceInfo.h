// RecurrenceInfo: the recurrence rule of a task and the days it gives.
#pragma once

#include <array>

#include "document/model/Holidays.h"
#include "document/model/TimeRange.h"

class RecurrenceInfo : public TimeRange, public Holidays {
public:
    enum PatternPeriod { kDaily = 0, kWeekly = 1, kMonthly = 2, kNone = 3 };
    enum DayFilter { kAllDays = 0, kWorkingDays = 1, kHolidays = 2 };
    enum MonthPattern { kDayOfMonth = 0, kWeekdayOfMonth = 1 };
    enum EndType { kNoEnd = 0, kEndAfterOccurrences = 1, kEndByDate = 2 };
    static constexpr int kLastWeek = 4;

    // Every day from today, without end.
    RecurrenceInfo();
    // The holiday dates are not copied: the copy tests working days without them until SetDates.
    RecurrenceInfo(const RecurrenceInfo& other);
    // Assignment takes the holiday dates along.
    RecurrenceInfo& operator=(const RecurrenceInfo& other) = default;
    // weekdays: the flags Sunday to Saturday.
    RecurrenceInfo(const TimeRange& times, int patternPeriod, int everyDayIndex, int dayWorkday, int everyWeekIndex,
                   const std::array<int, 7>& weekdays, int monthPattern, int monthDay, int everyDayOfMonth,
                   int everyWeekdayOfMonth, int weekNoMonth, int weekdayMonth, double startDate, double endDate,
                   int endType, int occurrencesNumber);

    int GetPatternPeriod() const { return m_patternPeriod; }
    void SetPatternPeriod(int value) { m_patternPeriod = value; }
    // Intervals are stored less one: 0 every, 1 every second, ...
    int GetEveryDayIndex() const { return m_everyDayIndex; }
    void SetEveryDayIndex(int value) { m_everyDayIndex = value; }
    int GetDayWorkday() const { return m_dayWorkday; }
    void SetDayWorkday(int value) { m_dayWorkday = value; }
    int GetEveryWeekIndex() const { return m_everyWeekIndex; }
    void SetEveryWeekIndex(int value) { m_everyWeekIndex = value; }
    int GetSunday() const { return m_weekdays[0]; }
    void SetSunday(int value) { m_weekdays[0] = value; }
    int GetMonday() const { return m_weekdays[1]; }
    void SetMonday(int value) { m_weekdays[1] = value; }
    int GetTuesday() const { return m_weekdays[2]; }
    void SetTuesday(int value) { m_weekdays[2] = value; }
    int GetWednesday() const { return m_weekdays[3]; }
    void SetWednesday(int value) { m_weekdays[3] = value; }
    int GetThursday() const { return m_weekdays[4]; }
    void SetThursday(int value) { m_weekdays[4] = value; }
    int GetFriday() const { return m_weekdays[5]; }
    void SetFriday(int value) { m_weekdays[5] = value; }
    int GetSaturday() const { return m_weekdays[6]; }
    void SetSaturday(int value) { m_weekdays[6] = value; }
    // The flag of a day of the week, 1 Sunday .. 7 Saturday; 0 for any other number.
    int GetWeekdayFlag(int dayOfWeek) const;
    int GetMonthPattern() const { return m_monthPattern; }
    void SetMonthPattern(int value) { m_monthPattern = value; }
    int GetMonthDay() const { return m_monthDay; }
    void SetMonthDay(int value) { m_monthDay = value; }
    int GetEveryDayOfMonth() const { return m_everyDayOfMonth; }
    void SetEveryDayOfMonth(int value) { m_everyDayOfMonth = value; }
    int GetEveryWeekdayOfMonth() const { return m_everyWeekdayOfMonth; }
    void SetEveryWeekdayOfMonth(int value) { m_everyWeekdayOfMonth = value; }
    // 0 first .. 3 fourth, 4 last.
    int GetWeekNoMonth() const { return m_weekNoMonth; }
    void SetWeekNoMonth(int value) { m_weekNoMonth = value; }
    // 0 Sunday .. 6 Saturday.
    int GetWeekdayMonth() const { return m_weekdayMonth; }
    void SetWeekdayMonth(int value) { m_weekdayMonth = value; }
    int GetEndType() const { return m_endType; }
    void SetEndType(int value) { m_endType = value; }
    int GetOccurrencesNumber() const { return m_occurrencesNumber; }
    void SetOccurrencesNumber(int value) { m_occurrencesNumber = value; }

    double GetStartDate() const { return m_startDate; }
    double GetEndDate() const { return m_endDate; }
    // A value outside the dates the system can hold is kept but marked invalid.
    void SetStartDate(double date);
    void SetEndDate(double date);
    bool IsStartDateValid() const { return m_startDateValid; }
    bool IsEndDateValid() const { return m_endDateValid; }
    // "%Y-%m-%d"; an invalid date gives an empty text, and an empty text the date 0.
    EString GetStartDateXmlText() const;
    EString GetEndDateXmlText() const;
    void SetStartDateXmlText(const EString& text);
    void SetEndDateXmlText(const EString& text);

    bool OccursOn(double day) const;
    // From the start date through the day, the end rule not applied.
    int CountOccurrences(double day) const;
    // The first occurrence on or after the day (today for 0) within 1000 days; 0 when none.
    double NextOccurrence(double day) const;

    bool IsEveryDay() const;
    void SetEveryDay();

    bool operator==(const RecurrenceInfo& other) const;

private:
    // Whether the end rule lets an occurrence on the day through, given the count up to it.
    bool EndAllows(double day, int count) const;

    int m_patternPeriod = kDaily;
    int m_everyDayIndex = 0;
    int m_dayWorkday = kAllDays;
    int m_everyWeekIndex = 0;
    std::array<int, 7> m_weekdays = {};
    int m_monthPattern = kDayOfMonth;
    int m_monthDay = 1;
    int m_everyDayOfMonth = 0;
    int m_everyWeekdayOfMonth = 0;
    int m_weekNoMonth = 0;
    int m_weekdayMonth = 1;
    double m_startDate = 0;
    bool m_startDateValid = true;
    double m_endDate = 0;
    bool m_endDateValid = true;
    int m_endType = kNoEnd;
    int m_occurrencesNumber = 1;
};
