// Entry of every test executable: unmanaged test windows, COM, a private
// registry hive for the current user, and the program's resource module.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "foundation/FileSystem.h"
#include "foundation/ResourceModule.h"
#include "foundation/UniqueHandle.h"

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
// for every hidden managed window to be withdrawn. The test executables'
// windows are left unmanaged; the program's are not touched. False when the
// setting had to be written: the display driver read its settings before
// wmain, so only a new process sees it.
bool LeaveTestWindowsUnmanaged()
{
    const EString name = L"Software\\Wine\\AppDefaults\\" +
                         FileSystem::GetFileTitle(FileSystem::GetModuleFileName()) + L".exe\\X11 Driver";
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return true;
    wchar_t value[4] = {};
    DWORD size = sizeof(value);
    const bool present = ::RegQueryValueExW(key, L"Managed", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) ==
                             ERROR_SUCCESS &&
                         value[0] == L'N';
    if (!present)
        ::RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"), 2 * sizeof(wchar_t));
    ::RegCloseKey(key);
    return present;
}

// Runs this executable once more with the same command line and standard
// handles; its exit code, or -1 when it could not start.
int RunAgain()
{
    ::SetEnvironmentVariableW(L"QUORVANE_TEST_RESTARTED", L"1"); // at most once
    EString commandLine = ::GetCommandLineW();
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    const ProcessHandles started(info);
    ::WaitForSingleObject(started.process.Get(), INFINITE);
    DWORD code = static_cast<DWORD>(-1);
    ::GetExitCodeProcess(started.process.Get(), &code);
    return static_cast<int>(code);
}

bool Restarted()
{
    return ::GetEnvironmentVariableW(L"QUORVANE_TEST_RESTARTED", nullptr, 0) > 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (!LeaveTestWindowsUnmanaged() && !Restarted())
        return RunAgain();
    testing::InitGoogleTest(&argc, argv);
    ::OleInitialize(nullptr);
    UsePrivateCurrentUserKey();
    SetResourceModule(::GetModuleHandleW(nullptr));
    const int result = RUN_ALL_TESTS();
    ::OleUninitialize();
    return result;
}
