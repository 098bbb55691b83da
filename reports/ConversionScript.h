// ConversionScript: runs an import or export script and takes its output only when the script succeeded.
#pragma once

#include <windows.h>

#include "document/IReportServices.h"
#include "foundation/EString.h"

// A script host that meets a script error shows a message box and waits
// for ever; a script this slow is taken for stuck.
inline constexpr DWORD kConversionScriptTimeLimit = 5 * 60 * 1000;

// Runs the script over the input file and waits for it (dispatching the
// thread's messages). The script writes a new file beside the output, which
// replaces the output only when the script ended with 0 and wrote something.
// A script that cannot start, fails, writes nothing or outlasts the limit (it
// is then ended) raises a ComError saying so, and the output keeps its bytes.
// A script that fails may write its reason, one line of text, as its output
// (UTF-16 with its mark, or ANSI): the error then gives it instead of the
// exit code.
void ConvertWithScript(const EString& script, const EString& input, const EString& output,
                       const ScriptParameters& parameters, DWORD timeLimit = kConversionScriptTimeLimit);
