#include "document/xml/IdText.h"

#include <oleauto.h>

#include <climits>

IdText::Form IdText::Parse(const wchar_t* text, size_t length, long& value)
{
    // A document holds a hundred thousand ids; the system conversion is only
    // asked about the rare texts the program did not write itself.
    size_t i = 0;
    const bool negative = length > 0 && text[0] == L'-';
    if (negative)
        i = 1;
    const bool leadingZero = length > i + 1 && text[i] == L'0';
    const bool negativeZero = negative && length == 2 && text[1] == L'0';
    if (length > i && length - i <= 10 && !leadingZero && !negativeZero) {
        long long number = 0;
        size_t j = i;
        for (; j < length && text[j] >= L'0' && text[j] <= L'9'; ++j)
            number = number * 10 + (text[j] - L'0');
        if (j == length) {
            if (negative)
                number = -number;
            if (number >= LONG_MIN && number <= LONG_MAX) {
                value = static_cast<long>(number);
                return kCanonical;
            }
        }
    }
    EString copy(text, length);
    LONG converted = 0;
    if (FAILED(::VarI4FromStr(copy.data(), LOCALE_INVARIANT, 0, &converted)))
        return kNotANumber;
    value = converted;
    return kConverted;
}

EString IdText::Format(long value)
{
    return EString::Formatted(L"%ld", value);
}
