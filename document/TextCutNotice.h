// TextCutNotice: what the user is told of the names and descriptions a paste, an import or a drop had cut.
#pragma once

#include "document/model/TextCuts.h"
#include "foundation/EString.h"

// A sentence for each kind of text that was cut: how many, the limit and the
// first record's name; empty when nothing was cut.
EString TextCutNotice(const TextCuts& cuts);
