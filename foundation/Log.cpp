#include "foundation/Log.h"

#include <cstdio>

#include "foundation/CTFile.h"
#include "foundation/FileSystem.h"

namespace {
constexpr int kCsidlPersonal = 5;
}

EString GetLogFilePath()
{
    const EString documents = FileSystem::GetSpecialFolder(kCsidlPersonal);
    return documents.empty() ? EString() : FileSystem::JoinPath(documents, L"QuorvaneLog.txt");
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
