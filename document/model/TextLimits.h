// TextLimits: the longest names and descriptions the plan keeps, in UTF-16 units, and the cut that holds a text to them.
#pragma once

#include <cstddef>

#include "foundation/EString.h"

namespace TextLimits {

// What the task and category dialogs take; a name from anywhere else (a
// mail's subject, a paste, an import, a rename in place) is held to the same.
constexpr size_t kTaskName = 200;
constexpr size_t kCategoryName = 100;

// Any description, and any other text of a record. The XML reader under
// Wine refuses a text or an attribute value of more than 10,000,000 bytes of
// UTF-8, and the saved plan would not open again. A UTF-16 unit takes at
// most 3 of them (a surrogate pair 4 for its two units), and an "&" in an
// attribute counts as the 5 of "&#38;": a million units stay below half of
// it whatever they are, and the dialogs' editors handle them.
constexpr size_t kDescription = 1'000'000;

// Holds the text to at most `limit` units, never keeping half of a
// surrogate pair; true when it was cut.
bool Cut(EString& text, size_t limit);

} // namespace TextLimits
