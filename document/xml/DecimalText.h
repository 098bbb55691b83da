// DecimalText: reading the decimal texts of hours, fast for the plain form the program writes.
#pragma once

#include <cstddef>

class DecimalText {
public:
    virtual ~DecimalText() = default;

    // The leading number of the text exactly as wcstod reads it; 0 when there
    // is none, or when it is no finite number ("nan", "inf", "1e999").
    static double Parse(const wchar_t* text, size_t length);
};
