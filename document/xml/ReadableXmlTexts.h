// ReadableXmlTexts: an XML text from outside with each of its texts short enough for the reader, before it is parsed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text with every attribute value, text and CDATA section that holds
// more than `limit` characters cut after `limit + 1` of them: the reader
// refuses a text of megabytes, or drops all that follows it, and would take
// none of the rest. What is left is still longer than the limit, so the
// records read from it are cut again (TextCuts), counted and told. A
// character counts as a UTF-16 unit, a reference as the one it stands for
// and a CR LF as one, so the record read has at least as many. A cut falls
// between whole characters, never inside a reference. Comments and
// processing instructions stay as they are. A text with nothing so long is
// given back as it is, copying nothing; otherwise the view is of `fitted`,
// which the function fills. Linear, without recursion; the markup need not
// be well-formed.
std::wstring_view ReadableXmlTexts(std::wstring_view text, size_t limit, std::wstring& fitted);
