#include "document/AtomicFileWriter.h"

#include <windows.h>

#include "foundation/CaughtException.h"
#include "foundation/ComError.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"

namespace {

EString Translated(const wchar_t* text)
{
    const EString translation = Resource::Translate(text);
    return translation.IsEmpty() ? EString(text) : translation;
}

// Raises with a text that tells the user the file on disk is untouched.
[[noreturn]] void ThrowSaveError(const EString& target, HRESULT code, const EString& reason)
{
    EString text = Translated(L"The plan could not be saved to %1: %2 The file was left as it was.");
    text.Replace(L"%1", target.c_str());
    text.Replace(L"%2", (reason.IsEmpty() ? SystemErrorText(code) : reason).c_str());
    ThrowComError(code, text);
}

HRESULT LastError()
{
    const DWORD error = ::GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// Flushes the file to the disk; fails on a file that holds nothing.
HRESULT Flush(const EString& path)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    LARGE_INTEGER size = {};
    HRESULT result = S_OK;
    if (!::GetFileSizeEx(file, &size) || !::FlushFileBuffers(file))
        result = LastError();
    else if (size.QuadPart == 0)
        result = HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
    ::CloseHandle(file);
    return result;
}

} // namespace

void AtomicFileWriter::Write(const EString& target, const std::function<void(const EString&)>& write)
{
    EString folder = FileSystem::GetFolder(FileSystem::GetFullPath(target));
    if (folder.IsEmpty())
        folder = L".";
    wchar_t temporary[MAX_PATH + 1] = {};
    if (!::GetTempFileNameW(folder.c_str(), L"qvr", 0, temporary))
        ThrowSaveError(target, LastError(), EString());
    const EString temporaryPath = temporary;
    // Windows refuses to rename over a read-only file; not every system that
    // runs the program does, and the user's protection must hold everywhere.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::DeleteFileW(temporaryPath.c_str());
        ThrowSaveError(target, HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), EString());
    }
    HRESULT code = S_OK;
    EString reason;
    try {
        write(temporaryPath);
        code = Flush(temporaryPath);
        if (SUCCEEDED(code) &&
            !::MoveFileExW(temporaryPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            code = LastError();
    } catch (const ComError& error) {
        code = error.Error();
        reason = error.Description();
    } catch (...) {
        // Not the program's own error type: the user and the log learn what it was.
        LogCaughtException(L"writing a file");
        code = E_FAIL;
        reason = DescribeCaughtException();
    }
    if (SUCCEEDED(code))
        return;
    ::DeleteFileW(temporaryPath.c_str());
    ThrowSaveError(target, code, reason);
}
