#include "foundation/TimeParser.h"

#include <windows.h>
#include <oleauto.h>

#include <cmath>

#include "foundation/Clock.h"
#include "foundation/Locale.h"
#include "foundation/OleDate.h"

namespace {

bool IsAmPmLetter(wchar_t ch)
{
    return ch == L'A' || ch == L'P' || ch == L'a' || ch == L'p';
}

size_t FindAmPmLetter(const EString& text)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (IsAmPmLetter(text[i]))
            return i;
    return EString::npos;
}

bool AllDigits(const EString& text, size_t from, size_t to)
{
    for (size_t i = from; i < to; ++i)
        if (text[i] < L'0' || text[i] > L'9')
            return false;
    return from < to;
}

// "H:MM" or "HH:MM", the form the document stores: read here, exactly and
// quickly, since a document holds many thousands of them.
bool ParseStoredTime(const EString& text, double& time)
{
    const size_t colon = text.find(L':');
    if (colon == EString::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
        return false;
    if (!AllDigits(text, 0, colon) || !AllDigits(text, colon + 1, text.size()))
        return false;
    const int hour = _wtoi(text.substr(0, colon).c_str());
    const int minute = _wtoi(text.substr(colon + 1).c_str());
    if (hour > 23 || minute > 59)
        return false;
    time = MakeOleTime(hour, minute);
    return true;
}

} // namespace

EString TimeParser::GetAmPmPart(const EString& text)
{
    const size_t letter = FindAmPmLetter(text);
    if (letter == EString::npos)
        return EString();
    return text.Mid(static_cast<int>(letter));
}

EString TimeParser::GetTimePart(const EString& text)
{
    const size_t letter = FindAmPmLetter(text);
    if (letter == EString::npos)
        return text;
    EString part = text.Left(static_cast<int>(letter));
    part.Trim(L" \t");
    return part;
}

EString TimeParser::NormalizeTime(const EString& text)
{
    EString time = GetTimePart(text);
    time.Replace(L".", L":");
    time.Replace(L",", L":");
    if (time.find(L':') == EString::npos) {
        switch (time.size()) {
        case 1:
        case 2:
            time += L":00";
            break;
        case 3:
            time.insert(1, L":");
            break;
        case 4:
            time.insert(2, L":");
            break;
        default:
            break;
        }
    }
    return time + GetAmPmPart(text);
}

double TimeParser::ParseTime(const EString& text)
{
    if (text.empty())
        return 0;
    const EString normalized = NormalizeTime(text);
    double time = 0;
    if (ParseStoredTime(normalized, time))
        return time;
    DATE converted = 0;
    if (FAILED(::VarDateFromStr(const_cast<wchar_t*>(normalized.c_str()), LOCALE_USER_DEFAULT, VAR_TIMEVALUEONLY,
                                &converted)))
        return 0;
    // Wine's conversion can be one unit in the last place off (07:15): whole
    // seconds give every reading of a time the same value.
    return std::round(GetTimeOfDay(converted) * 86400.0) / 86400.0;
}

EString TimeParser::FormatTime24(double date)
{
    OleDateParts parts;
    if (!SplitOleDate(date, parts))
        return EString();
    return EString::Formatted(L"%02d:%02d", parts.hour, parts.minute);
}

EString TimeParser::FormatTimeLocale(double date)
{
    return Locale::FormatTime(date);
}

EString TimeParser::GetAmPmDesignator(bool am)
{
    return GetAmPmPart(FormatTimeLocale(MakeOleTime(am ? 2 : 14, 0)));
}

EString TimeParser::GetCurrentAmPm()
{
    return GetAmPmPart(FormatTimeLocale(Clock::Now()));
}

double TimeParser::GetTimeOfDay(double date)
{
    double whole = 0;
    return std::modf(date, &whole);
}

double TimeParser::GetCurrentTimeOfDay()
{
    return GetTimeOfDay(Clock::Now());
}

EString DateParser::FormatDate(double date)
{
    OleDateParts parts;
    if (!SplitOleDate(date, parts))
        return EString();
    return EString::Formatted(L"%04d-%02d-%02d", parts.year, parts.month, parts.day);
}

double DateParser::ParseDate(const EString& text)
{
    if (text.empty())
        return 0;
    // The document's own form is read exactly and quickly (documents hold
    // thousands of dates), whatever the locale.
    if (text.size() == 10 && text[4] == L'-' && text[7] == L'-' && AllDigits(text, 0, 4) && AllDigits(text, 5, 7) &&
        AllDigits(text, 8, 10)) {
        const int year = _wtoi(text.substr(0, 4).c_str());
        const int month = _wtoi(text.substr(5, 2).c_str());
        const int day = _wtoi(text.substr(8, 2).c_str());
        if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
            return 0;
        if (year < 100)
            return -1;
        return MakeOleDate(year, month, day);
    }
    DATE converted = 0;
    const HRESULT result = ::VarDateFromStr(const_cast<wchar_t*>(text.c_str()), 0, VAR_DATEVALUEONLY, &converted);
    if (result == DISP_E_TYPEMISMATCH)
        return 0;
    if (FAILED(result))
        return -1;
    return std::trunc(converted);
}

double CTimeGridCalc::RoundToGrid(double time, int minutes)
{
    // The time of day to the second, as a date splits; but the last half
    // second of a day rounds up to its end, not to the next day's 00:00.
    const double fraction = std::fabs(TimeParser::GetTimeOfDay(time));
    const int ofDay = std::isfinite(fraction) ? static_cast<int>(std::llround(fraction * 86400.0) / 60) : 0;
    // A grid of no minutes keeps the time to the minute rather than divide by zero.
    if (minutes <= 0)
        return ofDay / 1440.0;
    const long long steps = static_cast<long long>(std::floor(static_cast<double>(ofDay) / minutes + 0.5));
    return static_cast<double>(steps * minutes) / 60.0 / 24.0;
}

double AdvMath::RoundTo(double value, int decimals)
{
    const double scale = Pow(10.0, decimals);
    const double scaled = value * scale;
    if (scaled - std::floor(scaled) >= 0.5)
        return std::ceil(scaled) / scale;
    return std::floor(scaled) / scale;
}

int AdvMath::CompareValues(double a, double b)
{
    const double difference = a - b;
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

double AdvMath::Pow(double base, int exponent)
{
    const bool reciprocal = exponent < 0;
    unsigned long long n = reciprocal ? 0ULL - static_cast<unsigned long long>(static_cast<long long>(exponent))
                                      : static_cast<unsigned long long>(exponent);
    double result = 1.0;
    double factor = base;
    while (n) {
        if (n & 1)
            result *= factor;
        factor *= factor;
        n >>= 1;
    }
    return reciprocal ? 1.0 / result : result;
}
