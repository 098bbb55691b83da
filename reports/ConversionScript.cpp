#include "reports/ConversionScript.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "dialogs/TranslatedOrKey.h"
#include "foundation/AtomicFileWriter.h"
#include "foundation/ComError.h"
#include "foundation/UniqueHandle.h"
#include "foundation/WaitPumpingMessages.h"
#include "reports/ScriptCommandLine.h"

namespace {

EString Message(const wchar_t* key, const EString& first, const EString& second = EString())
{
    EString text = TranslatedOrKey(key);
    text.Replace(L"%1", first.c_str());
    text.Replace(L"%2", second.c_str());
    return text;
}

// What a failed script wrote as its output: its reason in words, a line of
// plain text (UTF-16 with its mark, or ANSI); empty when it wrote none.
EString FailureReason(const EString& output)
{
    // A reason is a sentence; more is a half-written fragment.
    constexpr DWORD kLongestReason = 4096;
    constexpr size_t kShownReason = 300;
    const UniqueHandle file(::CreateFileW(output.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return EString();
    char bytes[kLongestReason];
    DWORD read = 0;
    if (!::ReadFile(file.Get(), bytes, sizeof(bytes), &read, nullptr) || read == 0 || read == sizeof(bytes))
        return EString();
    EString text;
    if (read >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
        text.assign(reinterpret_cast<const wchar_t*>(bytes + 2), (read - 2) / 2);
    } else {
        const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(read), nullptr, 0);
        text.resize(static_cast<size_t>(std::max(length, 0)));
        ::MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(read), text.data(), length);
    }
    // Its first line, without what a message box cannot show.
    EString reason;
    for (const wchar_t ch : text) {
        if (ch == L'\r' || ch == L'\n')
            break;
        if (ch >= 0x20 && (ch < 0xD800 || ch > 0xDFFF))
            reason += ch;
    }
    if (reason.size() > kShownReason)
        reason = reason.substr(0, kShownReason) + L"...";
    return reason.Trim(L" \t");
}

void RunScriptProcess(const EString& script, const EString& commandLine, const EString& output, DWORD timeLimit)
{
    // CreateProcessW may write into the command line.
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        const DWORD error = ::GetLastError();
        const HRESULT code = error ? HRESULT_FROM_WIN32(error) : E_FAIL;
        ThrowComError(code, Message(L"The script %1 could not be started: %2", script, SystemErrorText(code)));
    }
    const ProcessHandles started(info);
    const HANDLE process = started.process.Get();
    if (!WaitPumpingMessages(process, timeLimit)) {
        ::TerminateProcess(process, ERROR_TIMEOUT);
        ::WaitForSingleObject(process, 10000);
        ThrowComError(HRESULT_FROM_WIN32(ERROR_TIMEOUT),
                      Message(L"The script %1 did not end in time and was stopped.", script));
    }
    DWORD exitCode = 0;
    if (!::GetExitCodeProcess(process, &exitCode))
        ThrowLastWin32Error();
    if (exitCode == 0)
        return;
    if (const EString reason = FailureReason(output); !reason.IsEmpty())
        ThrowComError(E_FAIL, Message(L"The script %1 failed: %2", script, reason));
    ThrowComError(E_FAIL, Message(L"The script %1 failed (exit code %2).", script,
                                  EString::Formatted(L"%lu", static_cast<unsigned long>(exitCode))));
}

bool HoldsSomething(const EString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
           (data.nFileSizeHigh != 0 || data.nFileSizeLow != 0);
}

} // namespace

void ConvertWithScript(const EString& script, const EString& input, const EString& output,
                       const ScriptParameters& parameters, DWORD timeLimit)
{
    // The script's own failure is told as it is: the output may be a
    // temporary file the user never chose.
    std::optional<ComError> scriptError;
    try {
        AtomicFileWriter::Write(output, [&](const EString& temporaryPath) {
            try {
                RunScriptProcess(script, BuildScriptCommandLine(script, input, temporaryPath, parameters),
                                 temporaryPath, timeLimit);
                if (!HoldsSomething(temporaryPath))
                    ThrowComError(E_FAIL, Message(L"The script %1 wrote nothing.", script));
            } catch (const ComError& error) {
                scriptError = error;
                throw;
            }
        });
    } catch (const ComError&) {
        if (scriptError)
            throw *scriptError;
        throw;
    }
}
