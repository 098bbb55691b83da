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
    // A text, name or section longer than the reader takes: the document is
    // well-formed, and another parser might read it.
    bool tooLong = false;
};

// The first thing in the bytes that the reader would refuse: bytes that are
// not UTF-8 (overlong forms, encoded surrogates, a sequence cut short),
// characters XML 1.0 cannot hold (raw or as a character reference), markup
// that is not well-formed or ends too soon, a document type, elements nested
// deeper than the reader goes, a text, attribute value, comment, CDATA
// section, processing instruction or name longer than it takes, or no
// document element at all. None when the reader takes them. A text too long
// is told with the record that holds it: the task, category, person, ... and
// its name, shortened. Linear in the bytes, without recursion; namespaces are
// not looked at.
std::optional<XmlFault> FindXmlFault(std::string_view bytes);

// The reader refuses elements nested deeper than this, give or take one:
// Wine's takes one level more. MSXML 6's MaxElementDepth is 256 as well.
constexpr size_t kDeepestReadableElement = 256;

// The reader under Wine (libxml2) refuses a text, an attribute value, a
// comment, a CDATA section or a processing instruction's data of more bytes
// of UTF-8 than this, counted as it reads them: a reference counts as the
// character it stands for, except that an "&" in an attribute value counts
// as the five bytes of "&#38;", and a CR LF as one. One text node is the run
// of text and references between two pieces of other markup. (A text of
// plain ASCII letters that the reader gets in one piece it takes at any
// length; that is not counted on, and refused too.) A document holding more
// would not open, or would open cut short after it with no word.
constexpr size_t kLongestReadableText = 10'000'000;
// The same for a name of an element, attribute, entity or processing instruction.
constexpr size_t kLongestReadableName = 50'000;
