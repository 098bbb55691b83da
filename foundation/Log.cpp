#include "foundation/Log.h"

#include <shlobj.h>

#include <cstdio>
#include <mutex>
#include <optional>

#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"

namespace {

// Lines may come from any thread.
std::mutex g_pathLock;
std::optional<EString> g_path;

EString FindLogFilePath()
{
    const EString documents = FileSystem::GetSpecialFolder(CSIDL_PERSONAL);
    return documents.empty() ? EString() : FileSystem::JoinPath(documents, L"QuorvaneLog.txt");
}

} // namespace

EString GetLogFilePath()
{
    const std::lock_guard lock(g_pathLock);
    if (!g_path)
        g_path = FindLogFilePath();
    return *g_path;
}

void ForgetLogFilePath()
{
    const std::lock_guard lock(g_pathLock);
    g_path.reset();
}

void LogMessage(const wchar_t* format, ...)
{
    EString line;
    va_list args;
    va_start(args, format);
    line.FormatV(format, args);
    va_end(args);

    const EString path = GetLogFilePath();
    if (path.empty())
        return;
    FILE* file = _wfopen(path.c_str(), L"a+");
    if (!file)
        return; // no log is better than a failing caller
    const std::string text = WideToAnsi(line);
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
}
