#include "dialogs/TranslatedOrKey.h"

#include "foundation/Language.h"

EString TranslatedOrKey(const wchar_t* key)
{
    EString text = Resource::Translate(key);
    return text.empty() ? EString(key) : text;
}
