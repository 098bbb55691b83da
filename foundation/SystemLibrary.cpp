#include "foundation/SystemLibrary.h"

#include <string>

namespace {

// The library's path in the system folder; empty when the folder is unknown.
std::wstring SystemFolderPath(const wchar_t* fileName)
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    return std::wstring(folder, length) + L"\\" + fileName;
}

} // namespace

void SearchLibrariesInSystemFolderOnly()
{
    // Looked up rather than imported: Windows 7 has it only with an update,
    // and without it the program must still start.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Without it, at least the current folder leaves the search.
    ::SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* fileName)
{
    // The flag also keeps the library's own imports in the system folder.
    if (const HMODULE library = ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return library;
    // A system without the flag's update refuses it as a parameter; the full
    // path then names the one file that may be loaded.
    if (::GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    const std::wstring path = SystemFolderPath(fileName);
    return path.empty() ? nullptr : ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool IsRunningOnWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}
