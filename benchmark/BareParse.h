// BareParse: what every benchmark figure is compared with: MSXML's parse of the plan's text, nothing more.
#pragma once

#include "foundation/Bstr.h"

// Raises a COM error when the text does not parse.
void BareParse(const Bstr& text);
