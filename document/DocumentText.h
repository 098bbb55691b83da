// The document's user-visible texts: translated, and filled without trusting a translation as a format.
#pragma once

#include <vector>

#include "foundation/EString.h"

// The UI-language text of the key; the key itself when the language has none.
EString TranslatedText(const wchar_t* key);
// The same with an English text for a key the language file lacks: a key
// that stands for a sentence with values in it.
EString TranslatedText(const wchar_t* key, const wchar_t* english);

// Fills a printf-style text with values already written as texts: each
// conversion ("%d", "%s", "%5.1f", ...) takes the next value in order, "%%"
// gives "%". No runtime formatter ever sees the text, so a translation with
// conversions the program does not expect cannot read past its arguments;
// a conversion without a value is dropped.
EString FillTextFormat(const EString& format, const std::vector<EString>& values);

// What the user is told of the exception being handled when it is no
// ComError: the command failed, and why, as far as the exception says.
// Meant for catch blocks.
EString CaughtFailureText();

// A count with its noun, "1 entry" or "3 entries": the singular or the plural
// text, each with an English fallback, with its "%d" replaced by the count.
struct CountedNoun {
    const wchar_t* oneKey;
    const wchar_t* oneEnglish;
    const wchar_t* manyKey;
    const wchar_t* manyEnglish;
};
EString CountedText(int count, const CountedNoun& noun);
