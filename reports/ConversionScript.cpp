#include "reports/ConversionScript.h"

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

void RunScriptProcess(const EString& script, const EString& commandLine, DWORD timeLimit)
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
    if (exitCode != 0)
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
                                 timeLimit);
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
