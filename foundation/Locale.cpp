#include "foundation/Locale.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/OleDate.h"
#include "foundation/Options.h"

namespace {

const wchar_t* const kMonthNames[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                                      L"July",    L"August",   L"September", L"October", L"November", L"December"};
const wchar_t* const kWeekdayAbbreviations[] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};

} // namespace

bool Locale::Is24HourFormat()
{
    const DWORD setting = Options::GetTimeFormat();
    if (setting != 0)
        return setting == 1;
    wchar_t clock[2] = {};
    if (!::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ITIME, clock, 2))
        return true;
    return clock[0] == L'1';
}

wchar_t Locale::GetDecimalSeparator()
{
    wchar_t separator[4] = {};
    if (!::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4) || !separator[0])
        return L'.';
    return separator[0];
}

EString Locale::FormatDecimal(double value)
{
    const long long tenths = std::llround(std::fabs(value) * 10.0);
    if (tenths == 0)
        return L"0";
    EString text = EString::Formatted(L"%lld%c%lld", tenths / 10, GetDecimalSeparator(), tenths % 10);
    text.TrimRight(L"0");
    text.TrimRight(L".,");
    if (text.empty())
        text = L"0";
    if (value < 0)
        text.insert(0, 1, L'-');
    return text;
}

double Locale::ParseDecimal(const EString& text)
{
    double value = 0;
    TryParseDecimal(text, value);
    return value;
}

bool Locale::TryParseDecimal(const EString& text, double& value)
{
    EString number = text;
    number.Replace(L",", L".");
    return TryParseInvariantNumber(number, value);
}

EString Locale::FormatDuration(double hours)
{
    const double halfSecond = 1.0 / (2 * 86400.0);
    double span = hours / 24.0;
    span += span >= 0 ? halfSecond : -halfSecond;
    const long long days = static_cast<long long>(span);
    const long long h = static_cast<long long>(span * 24) % 24;
    long long m = static_cast<long long>(span * 1440) % 60;
    const long long seconds = static_cast<long long>(span * 86400) % 60;
    if (m == 0 && seconds > 0)
        m = 1;
    EString text;
    auto append = [&text](long long amount, const wchar_t* unit) {
        if (amount <= 0)
            return;
        if (!text.empty())
            text += L" ";
        text += EString::Formatted(L"%lld%s", amount, unit);
    };
    append(days, L"d");
    append(h, L"h");
    append(m, L"m");
    return text;
}

EString Locale::FormatTime(double date)
{
    OleDateParts parts;
    if (!SplitOleDate(date, parts))
        return EString();
    if (Is24HourFormat())
        return EString::Formatted(L"%02d:%02d", parts.hour, parts.minute);
    const int hour12 = parts.hour % 12 == 0 ? 12 : parts.hour % 12;
    return EString::Formatted(L"%02d:%02d %s", hour12, parts.minute, parts.hour < 12 ? L"AM" : L"PM");
}

EString Locale::GetMonthName(double date)
{
    OleDateParts parts;
    if (!SplitOleDate(date, parts))
        return EString();
    return Resource::Translate(kMonthNames[parts.month - 1]);
}

EString Locale::GetWeekdayName(double date)
{
    OleDateParts parts;
    if (!SplitOleDate(date, parts))
        return EString();
    return EString::Formatted(L"%s, %d", Resource::Translate(kWeekdayAbbreviations[parts.dayOfWeek - 1]).c_str(),
                              parts.day);
}

unsigned Locale::GetUserLanguageId()
{
    return ::GetUserDefaultLangID() & 0x3FF;
}

unsigned Locale::GetUiLanguageId()
{
    const unsigned setting = Options::GetUiLanguage() & 0xFFFF;
    return setting != 0 ? setting : GetUserLanguageId();
}

int Locale::GetLocaleFirstDayOfWeek()
{
    wchar_t first[4] = {};
    if (!::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, first, 4))
        return 0;
    return _wtoi(first);
}

int Locale::GetFirstDayOfWeek()
{
    const DWORD setting = Options::GetStartOfWeek();
    if (setting != 0)
        return static_cast<int>(setting);
    return GetLocaleFirstDayOfWeek() == 0 ? 2 : 1;
}

int Locale::GetMonthCalFirstDay()
{
    return GetFirstDayOfWeek() == 1 ? 6 : 0;
}

EString Locale::GetLocalizedFolder(const EString& folder, bool create)
{
    const unsigned language = GetUiLanguageId();
    if (language == Language::kEnglish || !Language::IsAvailable(language))
        return folder;
    const EString name = Language(static_cast<unsigned short>(language)).GetName();
    if (name.empty())
        return folder;
    const EString candidate = FileSystem::JoinPath(folder, name);
    if (FileSystem::FileExists(candidate))
        return candidate;
    if (create) {
        ::CreateDirectoryW(candidate.c_str(), nullptr);
        return candidate;
    }
    return folder;
}

EString FormatOleDate(double date, bool longForm)
{
    return FormatOleDateInForm(date, longForm || Options::GetIsLongDateFormat() != 0);
}

EString FormatOleDateInForm(double date, bool longForm)
{
    OleDateParts parts;
    if (!SplitOleDate(date, parts))
        return EString();
    SYSTEMTIME system = {};
    system.wYear = static_cast<WORD>(parts.year);
    system.wMonth = static_cast<WORD>(parts.month);
    system.wDay = static_cast<WORD>(parts.day);
    system.wDayOfWeek = static_cast<WORD>(parts.dayOfWeek - 1);
    const DWORD flags = longForm ? DATE_LONGDATE : DATE_SHORTDATE;
    wchar_t buffer[50] = {};
    if (!::GetDateFormatW(LOCALE_USER_DEFAULT, flags, &system, nullptr, buffer, 50))
        return EString();
    return buffer;
}

EString FormatInvariantNumber(double value, int decimals)
{
    // The Microsoft runtime formats with "." unless a C locale is set, and
    // the program never sets one.
    return EString::Formatted(L"%.*f", decimals, value);
}

bool TryParseInvariantNumber(const EString& text, double& value)
{
    // The runtime reads "nan", "inf" and "1e999" too: no number that a
    // user or a file may give, and one that no text can show again.
    const double read = std::wcstod(text.c_str(), nullptr);
    if (!std::isfinite(read))
        return false;
    value = read;
    return true;
}

double ParseInvariantNumber(const EString& text)
{
    double value = 0;
    TryParseInvariantNumber(text, value);
    return value;
}
