// ElementDepth: how deep the elements of an XML text nest, read without parsing it.
#pragma once

#include <cstddef>
#include <string_view>

// The deepest nesting of elements in the text, the document element counting 1.
// Comments, CDATA sections, processing instructions and quoted attribute
// values are passed over; the text need not be well-formed.
size_t DeepestElement(std::wstring_view text);
