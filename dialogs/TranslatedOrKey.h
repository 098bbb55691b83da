// The translation of a key, or the key itself when the language has no line for it.
#pragma once

#include "foundation/EString.h"

EString TranslatedOrKey(const wchar_t* key);
