// XmlEscape: the character escaping of XML-RPC strings and member names.
#pragma once

#include <string>
#include <string_view>

// The five markup characters become entities; control bytes, 127 and every
// byte of 128 or more become decimal character references ("&#233;").
std::string XmlEscape(std::string_view text);

// Undoes the five entities, "&#039;" and decimal references up to 255; any
// other ampersand, a larger reference included, is kept as it stands.
std::string XmlUnescape(std::string_view text);
