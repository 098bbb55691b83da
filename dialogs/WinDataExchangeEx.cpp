#include "dialogs/WinDataExchangeEx.h"

#include "dialogs/TypedValues.h"
#include "foundation/Locale.h"
#include "foundation/TimeParser.h"

namespace {

COLORREF SwapRedAndBlue(COLORREF colour)
{
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

} // namespace

EString FormatColourText(COLORREF colour)
{
    return EString::Formatted(L"%06X", static_cast<unsigned>(SwapRedAndBlue(colour & 0xFFFFFF)));
}

bool ParseColourText(const EString& text, COLORREF& colour)
{
    const size_t first = text.find_first_not_of(L" \t");
    const size_t last = text.find_last_not_of(L" \t");
    if (first == EString::npos || last - first + 1 > 6)
        return false;
    unsigned value = 0;
    for (size_t at = first; at <= last; ++at) {
        const wchar_t ch = text[at];
        unsigned digit = 0;
        if (ch >= L'0' && ch <= L'9')
            digit = static_cast<unsigned>(ch - L'0');
        else if (ch >= L'a' && ch <= L'f')
            digit = static_cast<unsigned>(ch - L'a' + 10);
        else if (ch >= L'A' && ch <= L'F')
            digit = static_cast<unsigned>(ch - L'A' + 10);
        else
            return false;
        value = value * 16 + digit;
    }
    colour = SwapRedAndBlue(value);
    return true;
}

bool ParseDecimalInRange(const EString& text, double minimum, double maximum, double& value)
{
    double number = 0;
    if (!ReadTypedDecimal(text, number) || number < minimum || number > maximum)
        return false;
    value = number;
    return true;
}

bool ParseTimeText(const EString& text, bool appendAmPm, double& time)
{
    if (appendAmPm && text.find_first_of(L"APap") == EString::npos && ReadTypedTime(text + TimeParser::GetCurrentAmPm(), time))
        return true;
    return ReadTypedTime(text, time);
}

EString FormatTimeOfDayText(double date)
{
    return TimeParser::FormatTimeLocale(TimeParser::GetTimeOfDay(date));
}

EString FormatDecimalForEdit(double value)
{
    return Locale::FormatDecimal(value);
}
