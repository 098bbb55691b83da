#include "dialogs/FieldLabel.h"

#include <algorithm>

#include "winlib/Window.h"

EString FieldLabel(HWND field)
{
    const HWND before = ::GetWindow(field, GW_HWNDPREV);
    wchar_t className[16] = {};
    if (!before || !::GetClassNameW(before, className, 16) || lstrcmpiW(className, L"Static") != 0)
        return EString();
    const EString text = CWindow(before).GetWindowText();
    EString label;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        label += text[i];
    }
    // A sign in front of a field ("#" before a colour's digits) names nothing.
    if (std::none_of(label.begin(), label.end(), [](wchar_t ch) { return ::IsCharAlphaNumericW(ch); }))
        return EString();
    const size_t end = label.find_last_not_of(L" :");
    return label.substr(0, end + 1);
}
