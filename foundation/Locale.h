// Locale: the user's clock, week, decimal separator and UI language, and the
// texts of numbers, durations, times and dates as users read them.
#pragma once

#include "foundation/EString.h"

class Locale {
public:
    virtual ~Locale() = default;

    static bool Is24HourFormat();
    static int GetTimeEditLimit() { return 8; }
    static wchar_t GetDecimalSeparator();
    // At most one decimal, in the locale's separator: 2.0 gives "2", 2.5 "2.5".
    static EString FormatDecimal(double value);
    // Accepts both "." and ","; text that is not a finite number gives 0.
    static double ParseDecimal(const EString& text);
    // False, the value untouched, for a text that is no finite number.
    static bool TryParseDecimal(const EString& text, double& value);
    // "1d 2h 30m" of a number of hours; empty for zero or less.
    static EString FormatDuration(double hours);
    static EString FormatTime(double date);
    static EString GetMonthName(double date);
    static EString GetWeekdayName(double date);

    static unsigned GetUserLanguageId();
    static unsigned GetUiLanguageId();
    // 0 Monday .. 6 Sunday, as the locale says.
    static int GetLocaleFirstDayOfWeek();
    // 1 Sunday or 2 Monday.
    static int GetFirstDayOfWeek();
    static int GetMonthCalFirstDay();

    // The language sub folder of a user-file folder when the UI is not English.
    static EString GetLocalizedFolder(const EString& folder, bool create);
};

// A date in the user's short date form, or the long one when asked or set.
EString FormatOleDate(double date, bool longForm = false);
// The same whatever the setting says.
EString FormatOleDateInForm(double date, bool longForm);

// A number with "." whatever the locale: the form numbers take in files.
EString FormatInvariantNumber(double value, int decimals);
// 0 for a text that is not a number, or no finite one.
double ParseInvariantNumber(const EString& text);
// False, the value untouched, for a text the runtime reads as no finite number.
bool TryParseInvariantNumber(const EString& text, double& value);
