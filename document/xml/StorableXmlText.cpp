#include "document/xml/StorableXmlText.h"

namespace {

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// How many units at `at` belong to the text: 1 or 2 (a surrogate pair), 0
// for a unit that must be left out.
size_t StorableUnits(std::wstring_view text, size_t at)
{
    const wchar_t c = text[at];
    // Almost every character of a plan: decided with one comparison pair.
    if (c >= 0x20 && c < 0xD800)
        return 1;
    if (c < 0x20)
        return c == L'\t' || c == L'\n' || c == L'\r' ? 1 : 0;
    if (IsHighSurrogate(c))
        return at + 1 < text.size() && IsLowSurrogate(text[at + 1]) ? 2 : 0;
    if (IsLowSurrogate(c))
        return 0;
    return c == 0xFFFE || c == 0xFFFF ? 0 : 1;
}

} // namespace

std::wstring_view StorableXmlText(std::wstring_view text, std::wstring& cleaned)
{
    size_t at = 0;
    while (at < text.size()) {
        const size_t units = StorableUnits(text, at);
        if (units == 0)
            break;
        at += units;
    }
    if (at == text.size())
        return text;
    // From the first unit left out on, the rest is copied as it is checked.
    cleaned.assign(text.substr(0, at));
    cleaned.reserve(text.size() - 1);
    for (++at; at < text.size();) {
        const size_t units = StorableUnits(text, at);
        if (units != 0)
            cleaned.append(text.substr(at, units));
        at += units == 0 ? 1 : units;
    }
    return cleaned;
}
