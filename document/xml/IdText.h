// IdText: reading the integer texts of ids and references, fast for the canonical form.
#pragma once

#include "foundation/EString.h"

class IdText {
public:
    enum Form {
        kCanonical, // what "%d" writes, so an XPath comparison with "%d" matches it
        kConverted, // another text the system's conversion reads as a number ("+7", " 7", "7.0")
        kNotANumber,
    };

    virtual ~IdText() = default;

    // The value as the document's integer reader converts it.
    static Form Parse(const wchar_t* text, size_t length, long& value);
    static Form Parse(const EString& text, long& value) { return Parse(text.c_str(), text.size(), value); }
    static EString Format(long value);
};
