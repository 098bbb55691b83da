// HTML carried inside RTF: telling such RTF apart and taking the HTML back out.
#pragma once

#include <string>

// The first "\from" control word decides: true only for "\fromhtml".
bool IsRtfFromHtml(const std::string& rtf);

// The HTML of RTF that encapsulates it; empty when no "{\*\htmltag" group exists.
std::string ExtractHtmlFromRtf(const std::string& rtf);
