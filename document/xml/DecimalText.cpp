#include "document/xml/DecimalText.h"

#include <cmath>
#include <cwchar>

#include "foundation/EString.h"

namespace {

// Every one of these is a double exactly, and so is every integer below 2^53.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kMaxDigits = 15;

} // namespace

double DecimalText::Parse(const wchar_t* text, size_t length)
{
    // A task list reads two of these per task, and the runtime's reader costs
    // as much as an attribute. "-ddd.ddd" with at most fifteen digits is an
    // exact integer divided by an exact power of ten: one correctly rounded
    // division, the same double the runtime gives.
    size_t i = length > 0 && text[0] == L'-' ? 1 : 0;
    const bool negative = i == 1;
    long long mantissa = 0;
    int digits = 0, decimals = 0;
    bool point = false, plain = i < length && text[i] >= L'0' && text[i] <= L'9';
    for (; plain && i < length; ++i) {
        const wchar_t c = text[i];
        if (c >= L'0' && c <= L'9') {
            mantissa = mantissa * 10 + (c - L'0');
            decimals += point ? 1 : 0;
            plain = ++digits <= kMaxDigits;
        } else {
            plain = c == L'.' && !point;
            point = true;
        }
    }
    if (plain) {
        const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
        return negative ? -value : value;
    }
    const double value = std::wcstod(EString(text, length).c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
}
