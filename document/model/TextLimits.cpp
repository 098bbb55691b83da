#include "document/model/TextLimits.h"

bool TextLimits::Cut(EString& text, size_t limit)
{
    if (text.size() <= limit)
        return false;
    size_t length = limit;
    // The pair's high half would stand alone.
    if (length > 0 && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF && text[length] >= 0xDC00 &&
        text[length] <= 0xDFFF)
        --length;
    text.resize(length);
    return true;
}
