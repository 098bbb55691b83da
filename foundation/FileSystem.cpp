#include "foundation/FileSystem.h"

#include <shellapi.h>
#include <shlobj.h>
#include <cstdlib>
#include <vector>

#include "foundation/AtomicFileWriter.h"
#include "foundation/CTFile.h"
#include "foundation/ComError.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation/RegistryKey.h"
#include "foundation/UniqueHandle.h"
#include "foundation/WaitPumpingMessages.h"

namespace {

struct PathPieces {
    wchar_t drive[_MAX_DRIVE] = {};
    wchar_t dir[_MAX_DIR] = {};
    wchar_t name[_MAX_FNAME] = {};
    wchar_t ext[_MAX_EXT] = {};
};

PathPieces SplitPath(const EString& path)
{
    PathPieces pieces;
    if (_wsplitpath_s(path.c_str(), pieces.drive, _MAX_DRIVE, pieces.dir, _MAX_DIR, pieces.name, _MAX_FNAME,
                      pieces.ext, _MAX_EXT) != 0)
        return PathPieces();
    return pieces;
}

bool IsSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

} // namespace

EString FileSystem::GetFileTitle(const EString& path)
{
    return SplitPath(path).name;
}

EString FileSystem::GetFolder(const EString& path)
{
    const PathPieces pieces = SplitPath(path);
    return EString(pieces.drive) + pieces.dir;
}

EString FileSystem::GetExtension(const EString& path)
{
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i)
        if (IsSeparator(path[i]))
            start = i + 1;
    const size_t dot = path.rfind(L'.');
    if (dot == EString::npos || dot < start)
        return EString();
    return EString(path.substr(dot + 1));
}

EString FileSystem::GetPathWithoutExtension(const EString& path)
{
    return JoinPath(GetFolder(path), GetFileTitle(path));
}

EString FileSystem::JoinPath(const EString& a, const EString& b)
{
    EString tail = b;
    if (!tail.empty() && tail[0] == L'\\')
        tail.erase(0, 1);
    // An empty folder must not turn a file name into a path from the drive root.
    if (a.empty())
        return tail;
    EString joined = a;
    if (joined.back() != L'\\')
        joined += L'\\';
    joined += tail;
    return joined;
}

EString FileSystem::GetFullPath(const EString& path)
{
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return EString();
    std::vector<wchar_t> buffer(needed + 1, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0 || length >= buffer.size())
        return EString();
    return EString(buffer.data(), length);
}

bool FileSystem::IsFullPath(const EString& path)
{
    return GetFullPath(path).CompareNoCase(path.c_str()) == 0;
}

bool FileSystem::FileExists(const EString& path)
{
    if (path.empty())
        return false;
    WIN32_FIND_DATAW data;
    return static_cast<bool>(UniqueFindHandle(::FindFirstFileW(path.c_str(), &data)));
}

bool FileSystem::EnsureFolder(const EString& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    return ::CreateDirectoryW(path.c_str(), nullptr) != 0;
}

EString FileSystem::GetModuleFileName()
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return EString(buffer, length < MAX_PATH ? length : MAX_PATH - 1);
}

EString FileSystem::GetProgramFolderPath(const EString& relative)
{
    return JoinPath(GetFolder(GetModuleFileName()), relative);
}

EString FileSystem::GetTempFolder()
{
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
    return length && length <= MAX_PATH ? EString(buffer, length) : EString();
}

EString FileSystem::GetSpecialFolder(int folderId)
{
    // The wide entry keeps folder names that the ANSI code page cannot spell.
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return EString();
    return EString(buffer);
}

EString FileSystem::GetAppDataFolder()
{
    const EString appData = GetSpecialFolder(CSIDL_APPDATA);
    if (appData.empty())
        return EString();
    const EString folder = JoinPath(appData, L"Quorvane");
    EnsureFolder(folder);
    return folder;
}

EString FileSystem::GetDocumentsFolder()
{
    return GetSpecialFolder(CSIDL_PERSONAL | CSIDL_FLAG_CREATE);
}

EString FileSystem::MakeNumberedFileName(const EString& path, int number)
{
    EString name = GetFileTitle(path);
    if (number > 0)
        name += EString::Formatted(L"%d", number);
    const EString extension = SplitPath(path).ext;
    return name + extension;
}

EString FileSystem::MakeUniqueFileName(const EString& folder, const EString& name, const EString& extension)
{
    for (int number = 0;; ++number) {
        EString candidate = name;
        if (number > 0)
            candidate += EString::Formatted(L"%d", number);
        candidate += L".";
        candidate += extension;
        if (!FileExists(JoinPath(folder, candidate)))
            return candidate;
    }
}

EString FileSystem::MakeTempFileName()
{
    wchar_t buffer[MAX_PATH] = {};
    if (!::GetTempFileNameW(GetTempFolder().c_str(), L"zem", 0, buffer))
        return EString();
    return EString(buffer);
}

bool FileSystem::CopyFileChecked(const EString& target, const EString& source, bool overwrite)
{
    if (GetFullPath(target).CompareNoCase(GetFullPath(source).c_str()) == 0)
        return false;
    if (!overwrite && FileExists(target))
        return false;
    // Copied beside the target, which it replaces only when whole.
    AtomicWriteRules rules;
    rules.replaceExisting = overwrite;
    rules.mayBeEmpty = true;
    try {
        AtomicFileWriter::Write(
            target,
            [&](const EString& temporaryPath) {
                if (!::CopyFileW(source.c_str(), temporaryPath.c_str(), FALSE))
                    ThrowLastWin32Error();
            },
            rules);
        return true;
    } catch (const ComError&) {
        return false;
    }
}

bool FileSystem::OpenWithShell(const EString& file, const EString& parameters, bool wait)
{
    const EString folder = GetFolder(file);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = wait ? SEE_MASK_NOCLOSEPROCESS : 0;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOW;
    if (!::ShellExecuteExW(&info))
        return false;
    const UniqueHandle process(info.hProcess);
    if (process)
        WaitPumpingMessages(process.Get());
    return true;
}

EString FileSystem::ChooseNewerFile(const EString& first, const EString& second)
{
    CTFile firstFile(first.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    CTFile secondFile(second.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    return secondFile.GetLastWriteTime() < firstFile.GetLastWriteTime() ? first : second;
}

bool FileSystem::AppKeyExists(const wchar_t* subKey)
{
    RegistryKey key;
    return key.Open(HKEY_CURRENT_USER, JoinPath(Options::AppKeyPath(), subKey).c_str(), KEY_READ | KEY_WRITE);
}

bool RunProcessAndWait(const EString& commandLine, bool wait)
{
    // CreateProcessW may write into the command line.
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        LogMessage(L"Cannot start %s: %s\n", commandLine.c_str(),
                   SystemErrorText(HRESULT_FROM_WIN32(::GetLastError())).c_str());
        return false;
    }
    const ProcessHandles started(process);
    if (wait)
        WaitPumpingMessages(started.process.Get());
    return true;
}

void MigrateRecentFileList()
{
    if (FileSystem::AppKeyExists(L"Recent Document List") || !FileSystem::AppKeyExists(L"Recent File List"))
        return;
    const EString firstFile = Options::ReadString(L"Recent File List", L"File1", EString());
    RegistryKey documents;
    if (!documents.Create(HKEY_CURRENT_USER,
                          FileSystem::JoinPath(Options::AppKeyPath(), L"Recent Document List").c_str()))
        return;
    documents.SetString(L"Document1", firstFile);
    documents.SetDword(L"DocumentCount", 4);
}

bool CommandLine::Parse(const EString& arguments)
{
    EString argument = arguments;
    argument.Trim(L"\"");
    if (argument.empty())
        return false;
    m_argument = argument;
    m_hasDocument = 1;
    return true;
}

EString CommandLine::GetDocumentPath() const
{
    if (!HasDocument())
        return EString();
    const EString full = FileSystem::GetFullPath(m_argument);
    return full.IsEmpty() ? m_argument : full;
}
