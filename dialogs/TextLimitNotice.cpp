#include "dialogs/TextLimitNotice.h"

#include <string>

#include "dialogs/FieldLabel.h"
#include "dialogs/TranslatedOrKey.h"
#include "foundation/AppWindow.h"
#include "foundation/EString.h"
#include "foundation/ModalScope.h"

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
