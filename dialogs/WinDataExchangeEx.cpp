#include "dialogs/WinDataExchangeEx.h"

#include <cwchar>

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

COLORREF ParseColourText(const EString& text)
{
    const EString number = L"0x" + text;
    const unsigned long value = std::wcstoul(number.c_str(), nullptr, 16);
    // Longer texts would leave bits that are no colour in the top byte.
    return SwapRedAndBlue(static_cast<COLORREF>(value & 0xFFFFFF));
}

bool ParseDecimalInRange(const EString& text, double minimum, double maximum, double& value)
{
    double number = 0;
    if (!Locale::TryParseDecimal(text, number) || number < minimum || number > maximum)
        return false;
    value = number;
    return true;
}

double ParseTimeText(const EString& text, bool appendAmPm)
{
    EString time = text;
    if (appendAmPm && time.find_first_of(L"APap") == EString::npos)
        time += TimeParser::GetCurrentAmPm();
    return TimeParser::ParseTime(time);
}

EString FormatTimeOfDayText(double date)
{
    return TimeParser::FormatTimeLocale(TimeParser::GetTimeOfDay(date));
}

EString FormatDecimalForEdit(double value)
{
    return Locale::FormatDecimal(value);
}
