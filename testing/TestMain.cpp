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

} // namespace

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ::OleInitialize(nullptr);
    UsePrivateCurrentUserKey();
    SetResourceModule(::GetModuleHandleW(nullptr));
    const int result = RUN_ALL_TESTS();
    ::OleUninitialize();
    return result;
}
