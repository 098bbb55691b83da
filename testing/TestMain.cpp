// Entry of every test executable: COM, a private registry hive for the
// current user, and the program's resource module.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "foundation/FileSystem.h"
#include "foundation/ResourceModule.h"

namespace {

// Test executables run side by side in one Wine prefix: each one gets its
// own stand-in for HKEY_CURRENT_USER so that settings never leak between them.
void UsePrivateCurrentUserKey()
{
    const EString name = L"Software\\QuorvaneTests\\" + FileSystem::GetFileTitle(FileSystem::GetModuleFileName());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, name.c_str());
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) == ERROR_SUCCESS) {
        ::RegOverridePredefKey(HKEY_CURRENT_USER, key);
        ::RegCloseKey(key);
    }
}

// No window manager runs on the virtual display: Wine would wait two seconds
// for every hidden window of a managed top-level window to be withdrawn. The
// test executables' windows are left unmanaged; the program's are not touched.
void LeaveTestWindowsUnmanaged()
{
    const EString name = L"Software\\Wine\\AppDefaults\\" +
                         FileSystem::GetFileTitle(FileSystem::GetModuleFileName()) + L".exe\\X11 Driver";
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                          &key, nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"), 2 * sizeof(wchar_t));
        ::RegCloseKey(key);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    LeaveTestWindowsUnmanaged(); // before the first window loads the display driver
    ::OleInitialize(nullptr);
    UsePrivateCurrentUserKey();
    SetResourceModule(::GetModuleHandleW(nullptr));
    const int result = RUN_ALL_TESTS();
    ::OleUninitialize();
    return result;
}
