#include "dialogs/TypedValues.h"

#include <cmath>
#include <cwchar>

#include "foundation/OleDate.h"

namespace {

bool IsDigit(wchar_t ch)
{
    return ch >= L'0' && ch <= L'9';
}

bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t';
}

EString TrimmedBlanks(const EString& text)
{
    size_t first = 0;
    size_t end = text.size();
    while (first < end && IsBlank(text[first]))
        ++first;
    while (end > first && IsBlank(text[end - 1]))
        --end;
    return text.substr(first, end - first);
}

// A run of one or two digits (hours) or exactly two (minutes, seconds) at `at`.
bool ReadDigits(const EString& text, size_t& at, size_t least, size_t most, int& value)
{
    size_t count = 0;
    value = 0;
    while (at < text.size() && IsDigit(text[at]) && count < most) {
        value = value * 10 + (text[at] - L'0');
        ++at;
        ++count;
    }
    return count >= least;
}

// The clock part as the user's short forms write it: "9" and "12" are whole
// hours, "930" and "0930" hours and minutes; "." and "," stand for ":".
EString ClockWithColons(EString clock)
{
    for (wchar_t& ch : clock)
        if (ch == L'.' || ch == L',')
            ch = L':';
    if (clock.find(L':') != EString::npos)
        return clock;
    switch (clock.size()) {
    case 1:
    case 2:
        return clock + L":00";
    case 3:
        return clock.substr(0, 1) + L":" + clock.substr(1);
    case 4:
        return clock.substr(0, 2) + L":" + clock.substr(2);
    default:
        return clock;
    }
}

// 0 for none, 1 for AM, 2 for PM; -1 for a text that is neither.
int ReadHalfOfDay(const EString& text)
{
    if (text.empty())
        return 0;
    const EString upper = [&] {
        EString copy = text;
        for (wchar_t& ch : copy)
            if (ch >= L'a' && ch <= L'z')
                ch = static_cast<wchar_t>(ch - L'a' + L'A');
        return copy;
    }();
    if (upper == L"A" || upper == L"AM")
        return 1;
    if (upper == L"P" || upper == L"PM")
        return 2;
    return -1;
}

} // namespace

bool ReadTypedTime(const EString& text, double& time)
{
    if (text.size() > static_cast<size_t>(kLongestTypedValue))
        return false;
    size_t letter = 0;
    while (letter < text.size() && !wcschr(L"AaPp", text[letter]))
        ++letter;
    const int half = ReadHalfOfDay(TrimmedBlanks(text.substr(letter)));
    const EString clock = ClockWithColons(TrimmedBlanks(text.substr(0, letter)));
    if (half < 0)
        return false;

    size_t at = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!ReadDigits(clock, at, 1, 2, hour) || at >= clock.size() || clock[at++] != L':' ||
        !ReadDigits(clock, at, 2, 2, minute))
        return false;
    if (at < clock.size() && (clock[at++] != L':' || !ReadDigits(clock, at, 2, 2, second)))
        return false;
    if (at != clock.size() || hour > 23 || minute > 59 || second > 59)
        return false;
    // An hour past twelve reads as itself whatever half of the day is given.
    if (half != 0 && hour <= 12)
        hour = hour % 12 + (half == 2 ? 12 : 0);
    else if (half == 1)
        return false;
    time = MakeOleTime(hour, minute, second);
    return true;
}

bool ReadTypedDecimal(const EString& text, double& value)
{
    if (text.size() > static_cast<size_t>(kLongestTypedValue))
        return false;
    EString number = TrimmedBlanks(text);
    size_t at = 0;
    if (at < number.size() && (number[at] == L'-' || number[at] == L'+'))
        ++at;
    size_t digits = 0;
    size_t separators = 0;
    for (; at < number.size(); ++at) {
        wchar_t& ch = number[at];
        if (IsDigit(ch)) {
            ++digits;
        } else if (ch == L'.' || ch == L',') {
            ch = L'.';
            ++separators;
        } else {
            return false;
        }
    }
    if (digits == 0 || separators > 1)
        return false;
    const double read = std::wcstod(number.c_str(), nullptr);
    if (!std::isfinite(read))
        return false;
    value = read;
    return true;
}
