#include "winlib/MenuText.h"

#include <cwctype>

namespace MenuText {

wchar_t Mnemonic(std::wstring_view text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] != L'&')
            return static_cast<wchar_t>(std::towlower(text[i + 1]));
        ++i;
    }
    return 0;
}

std::wstring_view Label(std::wstring_view text)
{
    return text.substr(0, text.find(L'\t'));
}

std::wstring_view Shortcut(std::wstring_view text)
{
    const size_t tab = text.find(L'\t');
    return tab == std::wstring_view::npos ? std::wstring_view() : text.substr(tab + 1);
}

} // namespace MenuText
