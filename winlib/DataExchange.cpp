#include "winlib/DataExchange.h"

bool ParseWholeNumber(const EString& text, bool allowSign, long long& value)
{
    size_t at = 0;
    const size_t end = text.find_last_not_of(L" \t");
    if (end == EString::npos)
        return false;
    while (text[at] == L' ' || text[at] == L'\t')
        ++at;
    bool negative = false;
    if (allowSign && (text[at] == L'-' || text[at] == L'+')) {
        negative = text[at] == L'-';
        ++at;
    }
    if (at > end)
        return false;
    long long number = 0;
    for (; at <= end; ++at) {
        const wchar_t ch = text[at];
        if (ch < L'0' || ch > L'9')
            return false;
        number = number * 10 + (ch - L'0');
        if (number > 0xFFFFFFFFLL) // past every 32-bit value: no need to read on
            return false;
    }
    value = negative ? -number : number;
    return true;
}
