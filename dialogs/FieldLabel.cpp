#include "dialogs/FieldLabel.h"

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
    const size_t end = label.find_last_not_of(L" :");
    return end == EString::npos ? EString() : label.substr(0, end + 1);
}
