// XmlWellFormed: whether UTF-8 bytes are an XML document the program's reader takes, checked in one scan.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "foundation/EString.h"

struct XmlFault {
    // Where the scan stopped, in bytes from the start.
    size_t offset = 0;
    // What is wrong, as a sentence part: "it holds the control character U+001B".
    EString reason;
};

// The first thing in the bytes that the reader would refuse: bytes that are
// not UTF-8 (overlong forms, encoded surrogates, a sequence cut short),
// characters XML 1.0 cannot hold (raw or as a character reference), markup
// that is not well-formed or ends too soon, a document type, elements nested
// deeper than the reader goes, or no document element at all. None when the
// reader takes them. Linear in the bytes, without recursion; namespaces are
// not looked at.
std::optional<XmlFault> FindXmlFault(std::string_view bytes);

// The reader refuses elements nested deeper than this, give or take one:
// Wine's takes one level more.
constexpr size_t kDeepestReadableElement = 256;
