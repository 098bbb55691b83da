#include "foundation/HtmlHelp.h"

#include "foundation/RegistryKey.h"
#include "foundation/SystemLibrary.h"

namespace {

using HtmlHelpW = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

const wchar_t kHelpControlKey[] = L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr WORD kHtmlHelpOrdinal = 15;

HMODULE LoadRegisteredHelpControl()
{
    RegistryKey key;
    EString path;
    if (!key.Open(HKEY_CLASSES_ROOT, kHelpControlKey, KEY_READ) || !key.QueryString(nullptr, path) || path.empty())
        return nullptr;
    wchar_t expanded[MAX_PATH] = {};
    const DWORD length = ::ExpandEnvironmentStringsW(path.c_str(), expanded, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return nullptr;
    // A bare file name would be searched for; only a full path is taken here.
    if (!wcschr(expanded, L'\\'))
        return nullptr;
    return ::LoadLibraryW(expanded);
}

HtmlHelpW FindHtmlHelp()
{
    HMODULE control = LoadRegisteredHelpControl();
    if (!control)
        control = LoadSystemLibrary(L"hhctrl.ocx");
    if (!control)
        return nullptr;
    return reinterpret_cast<HtmlHelpW>(
        reinterpret_cast<void*>(::GetProcAddress(control, MAKEINTRESOURCEA(kHtmlHelpOrdinal))));
}

} // namespace

HWND CallHtmlHelp(HWND window, const wchar_t* fileAndTopic, UINT command, DWORD_PTR data)
{
    static bool failed = false;
    static HtmlHelpW htmlHelp = nullptr;
    if (failed)
        return nullptr;
    if (!htmlHelp) {
        htmlHelp = FindHtmlHelp();
        if (!htmlHelp) {
            failed = true;
            return nullptr;
        }
    }
    return htmlHelp(window, fileAndTopic, command, data);
}
