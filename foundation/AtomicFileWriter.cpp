#include "foundation/AtomicFileWriter.h"

#include <windows.h>

#include <vector>

#include "foundation/CaughtException.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"

namespace {

// "<target name>.~qvsave-<8 hex digits>.tmp": no user names a file so.
constexpr wchar_t kTemporaryMark[] = L".~qvsave-";
constexpr wchar_t kTemporaryEnd[] = L".tmp";
constexpr size_t kTemporaryDigits = 8;
constexpr int kMaxNameTries = 100;
constexpr DWORD kRetryWaitMs = 100;

constexpr size_t Length(const wchar_t* text)
{
    return std::char_traits<wchar_t>::length(text);
}

EString Translated(const wchar_t* text)
{
    const EString translation = Resource::Translate(text);
    return translation.IsEmpty() ? EString(text) : translation;
}

// Raises with a text that tells the user the file on disk is untouched.
[[noreturn]] void ThrowSaveError(const AtomicWriteRules& rules, const EString& target, HRESULT code,
                                 const EString& reason)
{
    EString text = Translated(rules.failureText);
    text.Replace(L"%1", target.c_str());
    text.Replace(L"%2", (reason.IsEmpty() ? SystemErrorText(code) : reason).c_str());
    ThrowComError(code, text);
}

HRESULT LastError()
{
    const DWORD error = ::GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

EString FileNameOf(const EString& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == EString::npos ? path : EString(path.substr(slash + 1));
}

EString FolderOf(const EString& target)
{
    const EString folder = FileSystem::GetFolder(FileSystem::GetFullPath(target));
    return folder.IsEmpty() ? EString(L".") : folder;
}

// Creates an empty file of a fresh temporary name beside the target.
HRESULT CreateTemporaryFile(const EString& folder, const EString& target, EString& temporaryPath)
{
    static unsigned counter = 0;
    EString stem = FileSystem::JoinPath(folder, FileNameOf(target)) + kTemporaryMark;
    // A plan whose path is near the limit must still be saved: its temporary
    // file then goes without the plan's name.
    if (stem.size() + kTemporaryDigits + Length(kTemporaryEnd) >= MAX_PATH)
        stem = FileSystem::JoinPath(folder, L"q") + kTemporaryMark;
    for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
        const unsigned number = (::GetTickCount() * 2654435761u) ^ (::GetCurrentProcessId() << 16) ^ ++counter;
        temporaryPath = stem + EString::Formatted(L"%08x", number) + kTemporaryEnd;
        const HANDLE file = ::CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
            return S_OK;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return LastError();
    }
    return HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
}

// Flushes the file to the disk; fails on a file that holds nothing unless it
// may. Readers may look at it meanwhile.
HRESULT Flush(const EString& path, bool mayBeEmpty)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    LARGE_INTEGER size = {};
    HRESULT result = S_OK;
    if (!::GetFileSizeEx(file, &size) || !::FlushFileBuffers(file))
        result = LastError();
    else if (size.QuadPart == 0 && !mayBeEmpty)
        result = HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
    ::CloseHandle(file);
    return result;
}

// The replacement keeps what the user set on the file: hidden, system and
// archive marks, and who may read or change it.
HRESULT CopyProtection(const EString& target, const EString& temporaryPath)
{
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return S_OK;
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if ((attributes & kKept) && !::SetFileAttributesW(temporaryPath.c_str(), attributes & kKept))
        return LastError();
    // File systems without access lists (FAT, some shares) have none to keep.
    constexpr SECURITY_INFORMATION kAccess = DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    ::GetFileSecurityW(target.c_str(), kAccess, nullptr, 0, &needed);
    if (needed == 0)
        return S_OK;
    std::vector<BYTE> descriptor(needed);
    if (!::GetFileSecurityW(target.c_str(), kAccess, descriptor.data(), needed, &needed))
        return S_OK;
    if (!::SetFileSecurityW(temporaryPath.c_str(), kAccess, descriptor.data()))
        return LastError();
    return S_OK;
}

bool IsSharingError(HRESULT code)
{
    return code == HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) || code == HRESULT_FROM_WIN32(ERROR_LOCK_VIOLATION) ||
           code == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
}

HRESULT Rename(const EString& temporaryPath, const EString& target, const AtomicWriteRules& rules)
{
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (rules.replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(temporaryPath.c_str(), target.c_str(), flags))
            return S_OK;
        const HRESULT code = LastError();
        if (!IsSharingError(code) || attempt >= rules.renameAttempts)
            return code;
        if (rules.waitBeforeRetry)
            rules.waitBeforeRetry();
        else
            ::Sleep(kRetryWaitMs);
    }
}

} // namespace

bool AtomicFileWriter::IsTemporaryName(const EString& fileName)
{
    const size_t mark = fileName.rfind(kTemporaryMark);
    if (mark == EString::npos || mark == 0)
        return false;
    const size_t digits = mark + Length(kTemporaryMark);
    if (fileName.size() != digits + kTemporaryDigits + Length(kTemporaryEnd))
        return false;
    for (size_t i = digits; i < digits + kTemporaryDigits; ++i)
        if (!iswxdigit(fileName[i]))
            return false;
    return EString(fileName.substr(digits + kTemporaryDigits)).CompareNoCase(kTemporaryEnd) == 0;
}

void AtomicFileWriter::RemoveLeftovers(const EString& target)
{
    const EString folder = FolderOf(target);
    const EString name = FileNameOf(FileSystem::GetFullPath(target));
    const EString pattern = FileSystem::JoinPath(folder, name + kTemporaryMark + L"*" + kTemporaryEnd);
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::vector<EString> leftovers;
    do {
        const EString fileName = found.cFileName;
        // Only this target's: another file's temporary files may belong to a save that is running.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTemporaryName(fileName) &&
            EString(fileName.substr(0, fileName.rfind(kTemporaryMark))).CompareNoCase(name.c_str()) == 0)
            leftovers.push_back(FileSystem::JoinPath(folder, fileName));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    // A save in progress holds its file open without delete sharing: it stays.
    for (const EString& path : leftovers)
        ::DeleteFileW(path.c_str());
}

void AtomicFileWriter::Write(const EString& target, const std::function<void(const EString&)>& write,
                             const AtomicWriteRules& rules)
{
    const EString folder = FolderOf(target);
    // Windows refuses to rename over a read-only file; not every system that
    // runs the program does, and the user's protection must hold everywhere.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ThrowSaveError(rules, target, HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), EString());
    EString temporaryPath;
    HRESULT code = CreateTemporaryFile(folder, target, temporaryPath);
    if (FAILED(code))
        ThrowSaveError(rules, target, code, EString());
    EString reason;
    try {
        write(temporaryPath);
        code = Flush(temporaryPath, rules.mayBeEmpty);
        if (SUCCEEDED(code))
            code = CopyProtection(target, temporaryPath);
        if (SUCCEEDED(code))
            code = Rename(temporaryPath, target, rules);
    } catch (const ComError& error) {
        code = error.Error();
        reason = error.Description();
    } catch (...) {
        // Not the program's own error type: the user and the log learn what it was.
        LogCaughtException(L"writing a file");
        code = E_FAIL;
        reason = DescribeCaughtException();
    }
    if (SUCCEEDED(code)) {
        // Now that the target is whole, nothing of a killed save of it is needed.
        RemoveLeftovers(target);
        return;
    }
    ::DeleteFileW(temporaryPath.c_str());
    ThrowSaveError(rules, target, code, reason);
}
