#include "foundation/AtomicFileWriter.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "foundation/CaughtException.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/UniqueHandle.h"

namespace {

// "<target name>.~qvsave-<8 hex digits>.tmp": no user names a file so.
constexpr wchar_t kTemporaryMark[] = L".~qvsave-";
// Beside a target whose path leaves no room for its name, one character
// longer than the earlier versions' shortened name:
// "~qv<8 hex digits of the target's name><8 hex digits>.tmp".
constexpr wchar_t kShortMark[] = L"~qv";
// Earlier versions gave every such target's files one name, "q.~qvsave-<8 hex digits>.tmp".
constexpr wchar_t kEarlierShortName[] = L"q";
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

bool EqualNoCase(std::wstring_view a, std::wstring_view b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool AreHexDigits(std::wstring_view text)
{
    return std::all_of(text.begin(), text.end(), [](wchar_t ch) { return iswxdigit(ch) != 0; });
}

// A temporary file named after its target: the target's name, or none.
std::optional<std::wstring_view> NamedTemporaryOwner(std::wstring_view fileName)
{
    const size_t mark = fileName.rfind(kTemporaryMark);
    if (mark == std::wstring_view::npos || mark == 0)
        return std::nullopt;
    const size_t digits = mark + Length(kTemporaryMark);
    if (fileName.size() != digits + kTemporaryDigits + Length(kTemporaryEnd) ||
        !AreHexDigits(fileName.substr(digits, kTemporaryDigits)) ||
        !EqualNoCase(fileName.substr(digits + kTemporaryDigits), kTemporaryEnd))
        return std::nullopt;
    return fileName.substr(0, mark);
}

// A temporary file of the shortened form: the digits of its target's name, or none.
std::optional<std::wstring_view> ShortTemporaryOwner(std::wstring_view fileName)
{
    const size_t owner = Length(kShortMark);
    const size_t end = owner + 2 * kTemporaryDigits;
    if (fileName.size() != end + Length(kTemporaryEnd) || !EqualNoCase(fileName.substr(0, owner), kShortMark) ||
        !AreHexDigits(fileName.substr(owner, 2 * kTemporaryDigits)) ||
        !EqualNoCase(fileName.substr(end), kTemporaryEnd))
        return std::nullopt;
    return fileName.substr(owner, kTemporaryDigits);
}

// The 8 hex digits that stand for the target's name in the shortened form,
// alike for every spelling of it the file system takes for the same.
EString NameDigits(const EString& fileName)
{
    EString upper = fileName;
    ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    uint32_t hash = 2166136261u;
    for (const wchar_t ch : upper)
        hash = (hash ^ static_cast<uint16_t>(ch)) * 16777619u;
    return EString::Formatted(L"%08x", static_cast<unsigned>(hash));
}

// "plan.qvr.auto" beside "plan.qvr", either way round: a copy saved with its plan.
bool IsCopyName(std::wstring_view first, std::wstring_view second)
{
    const std::wstring_view shorter = first.size() < second.size() ? first : second;
    const std::wstring_view longer = first.size() < second.size() ? second : first;
    return longer.size() > shorter.size() && longer[shorter.size()] == L'.' &&
           EqualNoCase(longer.substr(0, shorter.size()), shorter);
}

// Whether a file of that name in the folder has its temporary files in the
// shortened form, by the rule earlier versions followed too.
bool HasShortTemporaryNames(const EString& folder, const EString& fileName)
{
    return FileSystem::JoinPath(folder, fileName).size() + Length(kTemporaryMark) + kTemporaryDigits +
               Length(kTemporaryEnd) >=
           MAX_PATH;
}

// Creates an empty file of a fresh temporary name beside the target.
HRESULT CreateTemporaryFile(const EString& folder, const EString& target, EString& temporaryPath)
{
    static unsigned counter = 0;
    const EString name = FileNameOf(target);
    // A plan whose path is near the limit must still be saved: its temporary
    // file then stands for the plan's name by digits.
    const EString stem = HasShortTemporaryNames(folder, name)
                             ? FileSystem::JoinPath(folder, kShortMark + NameDigits(name))
                             : FileSystem::JoinPath(folder, name) + kTemporaryMark;
    for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
        const unsigned number = (::GetTickCount() * 2654435761u) ^ (::GetCurrentProcessId() << 16) ^ ++counter;
        temporaryPath = stem + EString::Formatted(L"%08x", number) + kTemporaryEnd;
        if (UniqueHandle(::CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr)))
            return S_OK;
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return LastError();
    }
    return HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
}

// Flushes the file to the disk; fails on a file that holds nothing unless it
// may. Readers may look at it meanwhile.
HRESULT Flush(const EString& path, bool mayBeEmpty)
{
    const UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return LastError();
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file.Get(), &size) || !::FlushFileBuffers(file.Get()))
        return LastError();
    if (size.QuadPart == 0 && !mayBeEmpty)
        return HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
    return S_OK;
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
    return NamedTemporaryOwner(fileName) || ShortTemporaryOwner(fileName);
}

void AtomicFileWriter::RemoveLeftovers(const EString& target)
{
    const EString folder = FolderOf(target);
    const EString name = FileNameOf(FileSystem::GetFullPath(target));
    const bool shortNames = HasShortTemporaryNames(folder, name);
    const EString digits = NameDigits(name);
    std::vector<EString> leftovers;
    // Files of the earlier shortened form tell no target: they are the
    // target's only when no other file here could have made them.
    std::vector<EString> earlierForm;
    bool otherOwner = false;
    WIN32_FIND_DATAW found;
    const UniqueFindHandle search(::FindFirstFileW(FileSystem::JoinPath(folder, L"*").c_str(), &found));
    if (!search)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const EString fileName = found.cFileName;
        // Only this target's: another file's temporary files may belong to a save that is running.
        if (const auto owner = NamedTemporaryOwner(fileName)) {
            if (EqualNoCase(*owner, name))
                leftovers.push_back(FileSystem::JoinPath(folder, fileName));
            else if (shortNames && EqualNoCase(*owner, kEarlierShortName))
                earlierForm.push_back(FileSystem::JoinPath(folder, fileName));
        } else if (const auto owner = ShortTemporaryOwner(fileName)) {
            if (shortNames && EqualNoCase(*owner, digits))
                leftovers.push_back(FileSystem::JoinPath(folder, fileName));
        } else if (!EqualNoCase(fileName, name)) {
            if (EqualNoCase(fileName, kEarlierShortName) ||
                (HasShortTemporaryNames(folder, fileName) && !IsCopyName(fileName, name)))
                otherOwner = true;
        }
    } while (::FindNextFileW(search.Get(), &found));
    if (!otherOwner)
        leftovers.insert(leftovers.end(), earlierForm.begin(), earlierForm.end());
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
