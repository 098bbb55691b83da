#include "winlib/FileNameLengthGuard.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <vector>

#include "foundation/AppWindow.h"
#include "foundation/CaughtException.h"
#include "foundation/Language.h"

namespace {

constexpr UINT_PTR kGuardId = 0x514E; // one subclass of this kind on a dialog
constexpr int kLongestFolder = 32768;

EString Translated(const wchar_t* text)
{
    const EString translation = Resource::Translate(text);
    return translation.IsEmpty() ? EString(text) : translation;
}

bool IsSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

// The explorer-style dialog's name box, or the old one's edit.
HWND NameField(HWND dialog)
{
    const HWND combo = ::GetDlgItem(dialog, cmb13);
    return combo ? combo : ::GetDlgItem(dialog, edt1);
}

EString FieldText(HWND field)
{
    const int length = ::GetWindowTextLengthW(field);
    EString text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(field, text.data(), length + 1)));
    return text;
}

// The folder the dialog shows; where it shows none of the file system (the
// desktop, the computer), the process's, as Wine's dialog takes it then.
EString ShownFolder(HWND dialog)
{
    std::vector<wchar_t> folder(kLongestFolder, L'\0');
    const LRESULT length =
        ::SendMessageW(dialog, CDM_GETFOLDERPATH, kLongestFolder, reinterpret_cast<LPARAM>(folder.data()));
    if (length > 0 && length <= kLongestFolder)
        return EString(folder.data());
    folder.assign(kLongestFolder, L'\0');
    ::GetCurrentDirectoryW(kLongestFolder, folder.data());
    return EString(folder.data());
}

// True when the name was refused and the user told.
bool RefuseLongName(HWND dialog, const EString& defaultExtension)
{
    const HWND field = NameField(dialog);
    if (!field)
        return false;
    const size_t length = FormedPathLength(ShownFolder(dialog), FieldText(field), defaultExtension);
    if (length <= kMaxDialogPathLength)
        return false;
    // Replaced rather than formatted: a translated text is no format to trust.
    EString text = Translated(L"The name is too long: the file's path would have %1 characters, and a path has at "
                              L"most %2. Choose a shorter name or a folder nearer the top of the drive.");
    text.Replace(L"%1", std::to_wstring(length).c_str());
    text.Replace(L"%2", std::to_wstring(kMaxDialogPathLength).c_str());
    ::MessageBoxW(dialog, text.c_str(), AppProductName().c_str(), MB_OK | MB_ICONEXCLAMATION);
    // The dialog manager selects an edit's text, not that of a combo box's edit.
    ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    if (field == ::GetDlgItem(dialog, cmb13))
        ::SendMessageW(field, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    return true;
}

LRESULT CALLBACK GuardProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR data)
{
    // OK from the button, Enter or the dialog's own keys: the system's
    // handler of it forms the path first.
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        try {
            if (RefuseLongName(dialog, *reinterpret_cast<const EString*>(data)))
                return 0;
        } catch (...) {
            LogCaughtException(L"the file dialog's name check");
        }
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(dialog, GuardProcedure, id);
    }
    return ::DefSubclassProc(dialog, message, wParam, lParam);
}

} // namespace

size_t FormedPathLength(const EString& folder, const EString& typed, const EString& defaultExtension)
{
    size_t length = typed.size();
    const bool namesDrive = typed.size() >= 2 && typed[1] == L':';
    const bool namesShare = typed.size() >= 2 && IsSeparator(typed[0]) && IsSeparator(typed[1]);
    if (!namesDrive && !namesShare) {
        if (!typed.empty() && IsSeparator(typed[0]))
            length += std::min<size_t>(folder.size(), 2);
        else
            length += folder.size() + (folder.empty() || IsSeparator(folder.back()) ? 0 : 1);
    }
    if (!defaultExtension.IsEmpty()) {
        const EString ending = L"." + defaultExtension;
        if (typed.size() < ending.size() || EString(typed.substr(typed.size() - ending.size())).CompareNoCase(ending.c_str()) != 0)
            length += ending.size();
    }
    return length;
}

void GuardFileNameLength(HWND fileDialog, const EString* defaultExtension)
{
    static const EString none;
    ::SetWindowSubclass(fileDialog, GuardProcedure, kGuardId,
                        reinterpret_cast<DWORD_PTR>(defaultExtension ? defaultExtension : &none));
}
