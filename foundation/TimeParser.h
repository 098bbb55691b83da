// TimeParser: times of day typed by users ("9", "930", "9.30", "9pm") and their texts.
#pragma once

#include "foundation/EString.h"

class TimeParser {
public:
    virtual ~TimeParser() = default;

    // The day fraction of a typed time; 0 for an empty or unreadable text.
    static double ParseTime(const EString& text);
    static EString NormalizeTime(const EString& text);
    static EString GetAmPmPart(const EString& text);
    static EString GetTimePart(const EString& text);

    // "%H:%M": the form times take in the document.
    static EString FormatTime24(double date);
    static EString FormatTimeLocale(double date);
    static EString GetAmPmDesignator(bool am);
    static EString GetCurrentAmPm();
    static double GetTimeOfDay(double date);
    static double GetCurrentTimeOfDay();
};

class DateParser {
public:
    virtual ~DateParser() = default;

    // "%Y-%m-%d": the form dates take in the document.
    static EString FormatDate(double date);
    // 0 for an empty text or one that is not a date, -1 for a date out of range.
    static double ParseDate(const EString& text);
};

class CTimeGridCalc {
public:
    virtual ~CTimeGridCalc() = default;
    // The time of day rounded to the nearest multiple of the minutes.
    static double RoundToGrid(double time, int minutes);
};

class AdvMath {
public:
    virtual ~AdvMath() = default;
    // Halves round toward positive infinity: 2.25 gives 2.3, -2.25 gives -2.2.
    static double RoundTo(double value, int decimals);
    static int CompareValues(double a, double b);
    static double Pow(double base, int exponent);
};
