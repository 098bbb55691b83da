#include "dialogs/TextLimitNotice.h"

#include <string>

#include "dialogs/TranslatedOrKey.h"
#include "foundation/AppWindow.h"
#include "foundation/EString.h"
#include "foundation/ModalScope.h"
#include "winlib/Window.h"

namespace {

// The text of the static just before the field in the tab order, as a user
// reads it: no mnemonic marks, no colon.
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

} // namespace

void TellTextTooLong(HWND dialog, int fieldId, int maxLength)
{
    const HWND field = ::GetDlgItem(dialog, fieldId);
    const EString label = FieldLabel(field);
    EString text = TranslatedOrKey(label.empty() ? L"This field holds %2 characters, but it keeps at most %3. Nothing "
                                                   L"was saved: shorten the text and try again."
                                                 : L"The field \"%1\" holds %2 characters, but it keeps at most %3. "
                                                   L"Nothing was saved: shorten the text and try again.");
    text.Replace(L"%2", std::to_wstring(::GetWindowTextLengthW(field)).c_str());
    text.Replace(L"%3", std::to_wstring(maxLength).c_str());
    text.Replace(L"%1", label.c_str());
    const ModalScope modal;
    ::MessageBoxW(dialog, text.c_str(), AppProductName().c_str(), MB_OK | MB_ICONEXCLAMATION);
}
