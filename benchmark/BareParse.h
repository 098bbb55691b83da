// BareParse: what every benchmark figure is compared with: MSXML's parse of the plan's text, nothing more.
#pragma once

#include <cstddef>

#include "foundation/Bstr.h"

// Raises a COM error when the text does not parse.
void BareParse(const Bstr& text);
// The bytes the parsed document adds to this process's working set while it is held.
std::size_t BareParsedWorkingSet(const Bstr& text);
