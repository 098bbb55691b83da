#include "reports/ScriptCommandLine.h"

#include <algorithm>

#include "foundation/FileSystem.h"
#include "reports/Flow.h"

EString QuoteCommandLineArgument(const EString& text)
{
    EString quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there each one is doubled
        // and one more escapes the quote.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

EString Flow::FormatScriptArgument(const EString& name, const EString& value)
{
    return L" /" + name + L":" + QuoteCommandLineArgument(value);
}

EString BuildScriptCommandLine(const EString& script, const EString& input, const EString& output,
                               ScriptParameters arguments)
{
    // The system's host by its full path: a bare name is looked for in the
    // program's and the current folder first.
    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    const EString host = FileSystem::JoinPath(EString(system, length < MAX_PATH ? length : 0), L"WScript.exe");
    EString commandLine = QuoteCommandLineArgument(host) + L" " + QuoteCommandLineArgument(script) + L" " +
                          QuoteCommandLineArgument(input) + L" " + QuoteCommandLineArgument(output);
    std::stable_sort(arguments.begin(), arguments.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    for (const auto& [name, value] : arguments)
        commandLine += Flow::FormatScriptArgument(name, value);
    return commandLine;
}
