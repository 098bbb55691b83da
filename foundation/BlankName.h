// BlankName: a name typed of blanks only names nothing.
#pragma once

#include "foundation/EString.h"

// True for an empty name and for one of blanks, line breaks and other
// characters that show nothing: a list or tree would show its entry without a label.
bool IsBlankName(const EString& name);
