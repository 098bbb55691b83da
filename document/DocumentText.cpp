#include "document/DocumentText.h"

#include <cwctype>
#include <exception>
#include <new>
#include <string>

#include "foundation/CaughtException.h"
#include "foundation/ComError.h"
#include "foundation/Language.h"

EString TranslatedText(const wchar_t* key)
{
    const EString translation = Resource::Translate(key);
    return translation.IsEmpty() ? EString(key) : translation;
}

EString TranslatedText(const wchar_t* key, const wchar_t* english)
{
    const EString translation = Resource::Translate(key);
    return translation.IsEmpty() ? EString(english) : translation;
}

EString CaughtFailureText()
{
    EString reason = DescribeCaughtException();
    // Rethrowing with nothing in flight would end the program.
    if (std::current_exception()) {
        try {
            throw;
        } catch (const std::bad_alloc&) {
            reason = SystemErrorText(E_OUTOFMEMORY);
        } catch (...) {
        }
    }
    return FillTextFormat(TranslatedText(L"CommandFailed", L"The command could not be completed: %s"), {reason});
}

EString FillTextFormat(const EString& format, const std::vector<EString>& values)
{
    EString text;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') {
            text += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == L'%') {
            text += L'%';
            ++i;
            continue;
        }
        // Flags, width, precision and size, then the conversion letter.
        size_t end = i + 1;
        while (end < format.size() && !std::iswalpha(format[end]))
            ++end;
        while (end < format.size() && (format[end] == L'l' || format[end] == L'h' || format[end] == L'I'))
            ++end;
        if (end >= format.size()) {
            text += format.substr(i);
            break;
        }
        if (next < values.size())
            text += values[next++];
        i = end;
    }
    return text;
}

EString CountedText(int count, const CountedNoun& noun)
{
    EString text = count == 1 ? TranslatedText(noun.oneKey, noun.oneEnglish)
                              : TranslatedText(noun.manyKey, noun.manyEnglish);
    text.Replace(L"%d", std::to_wstring(count).c_str());
    return text;
}
