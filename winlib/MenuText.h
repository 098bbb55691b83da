// MenuText: the parts of a menu item's text: its mnemonic, its label and its shortcut.
#pragma once

#include <string_view>

namespace MenuText {

// The lower-case letter after the first single '&' ("&&" is a literal
// ampersand); 0 when the text has none.
wchar_t Mnemonic(std::wstring_view text);

// The label before the first TAB.
std::wstring_view Label(std::wstring_view text);
// The shortcut after the first TAB; empty when there is no TAB.
std::wstring_view Shortcut(std::wstring_view text);

} // namespace MenuText
