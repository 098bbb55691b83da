#include "testing/TestSupport.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"
#include "foundation/Options.h"
#include "foundation/UniqueHandle.h"

EString SourcePath(const wchar_t* relative)
{
    EString path = relative;
    for (auto& ch : path)
        if (ch == L'/')
            ch = L'\\';
    return FileSystem::JoinPath(QUORVANE_SOURCE_DIR_WINE, path);
}

namespace {
void RemoveTree(const EString& folder)
{
    EString from = folder;
    from.push_back(L'\0'); // SHFileOperation takes a double-terminated list
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&operation);
}
} // namespace

EString MakeScratchFolder(const wchar_t* name)
{
    const EString folder = FileSystem::JoinPath(FileSystem::GetTempFolder(), EString(L"qv-") + name);
    RemoveTree(folder);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void WriteFileBytes(const EString& path, const std::string& bytes)
{
    const UniqueHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::vector<EString> FileNamesIn(const EString& folder)
{
    std::vector<EString> names;
    WIN32_FIND_DATAW found;
    const UniqueFindHandle search(::FindFirstFileW(FileSystem::JoinPath(folder, L"*").c_str(), &found));
    if (!search)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileW(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

void AgeFile(const EString& path, int minutes)
{
    const UniqueHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return;
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{.LowPart = now.dwLowDateTime, .HighPart = now.dwHighDateTime};
    time.QuadPart -= static_cast<ULONGLONG>(minutes) * 60 * 10'000'000;
    const FILETIME written{.dwLowDateTime = time.LowPart, .dwHighDateTime = time.HighPart};
    ::SetFileTime(file.Get(), nullptr, nullptr, &written);
}

std::string ReadFileBytes(const EString& path)
{
    CTFile file(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    return file.IsOpen() ? file.ReadBytes() : std::string();
}

bool WaitFor(const std::function<bool()>& condition, unsigned timeoutMs)
{
    return WaitFor(condition, timeoutMs, [](MSG*) { return false; });
}

bool WaitFor(const std::function<bool()>& condition, unsigned timeoutMs, const std::function<bool(MSG*)>& preTranslate)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount64() >= deadline)
            return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (preTranslate(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

int RunProgramBeside(const wchar_t* program, const EString& arguments, unsigned timeoutMs)
{
    const EString path = FileSystem::JoinPath(FileSystem::GetFolder(FileSystem::GetModuleFileName()), program);
    EString commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    const ProcessHandles started(info);
    const HANDLE process = started.process.Get();
    const bool ended = WaitFor([&] { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeoutMs);
    DWORD code = static_cast<DWORD>(-1);
    if (ended)
        ::GetExitCodeProcess(process, &code);
    else
        ::TerminateProcess(process, 1);
    return ended ? static_cast<int>(code) : -1;
}

void ClearProgramRegistry()
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Mellowbrake\\Quorvane");
}

namespace {

// The test entry's stand-in key for the current user (see TestMain.cpp).
EString PrivateCurrentUserKeyName()
{
    return L"Software\\QuorvaneTests\\" + FileSystem::GetFileTitle(FileSystem::GetModuleFileName());
}

} // namespace

ChildProgramSetting::ChildProgramSetting(const wchar_t* name, DWORD value)
    : ChildProgramSetting(name, REG_DWORD, &value, sizeof(value))
{
}

ChildProgramSetting::ChildProgramSetting(const wchar_t* name, const EString& value)
    : ChildProgramSetting(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)))
{
}

ChildProgramSetting::ChildProgramSetting(const wchar_t* name, DWORD type, const void* bytes, DWORD size) : m_name(name)
{
    // The real key is reached with the stand-in lifted for a moment; the
    // handle keeps pointing at it once the stand-in is back.
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegCreateKeyExW(HKEY_CURRENT_USER, Options::OptionsKeyPath(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key, nullptr);
    HKEY privateKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, PrivateCurrentUserKeyName().c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &privateKey, nullptr) == ERROR_SUCCESS) {
        ::RegOverridePredefKey(HKEY_CURRENT_USER, privateKey);
        ::RegCloseKey(privateKey);
    }
    if (!m_key)
        return;
    DWORD oldSize = 0;
    m_hadValue = ::RegQueryValueExW(m_key, name, nullptr, &m_oldType, nullptr, &oldSize) == ERROR_SUCCESS;
    if (m_hadValue) {
        m_oldBytes.resize(oldSize);
        m_hadValue = ::RegQueryValueExW(m_key, name, nullptr, &m_oldType, m_oldBytes.data(), &oldSize) ==
                     ERROR_SUCCESS;
        m_oldBytes.resize(oldSize);
    }
    ::RegSetValueExW(m_key, name, 0, type, static_cast<const BYTE*>(bytes), size);
}

ChildProgramSetting::~ChildProgramSetting()
{
    if (!m_key)
        return;
    if (m_hadValue)
        ::RegSetValueExW(m_key, m_name.c_str(), 0, m_oldType, m_oldBytes.data(),
                         static_cast<DWORD>(m_oldBytes.size()));
    else
        ::RegDeleteValueW(m_key, m_name.c_str());
    ::RegCloseKey(m_key);
}

EString ChildProgramSetting::ReadText() const
{
    if (!m_key)
        return EString();
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(m_key, m_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return EString();
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(m_key, m_name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return EString();
    return EString(text.data());
}
