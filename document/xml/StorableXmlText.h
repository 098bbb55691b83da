// StorableXmlText: a text as an XML 1.0 document can hold it.
#pragma once

#include <string>
#include <string_view>

// The text without the characters XML 1.0 cannot hold, left out rather than
// replaced: C0 controls other than tab, LF and CR (U+0000 too), U+FFFE,
// U+FFFF, and surrogates that are not part of a high-low pair. A text that
// holds none of them is given back as it is, copying nothing; otherwise the
// view is of `cleaned`, which the function fills.
std::wstring_view StorableXmlText(std::wstring_view text, std::wstring& cleaned);
