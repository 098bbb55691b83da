// ScriptCommandLine: the command line that runs an import or export script through the script host.
#pragma once

#include "document/IReportServices.h"
#include "foundation/EString.h"

// The text in double quotes, read back as itself by the system's
// command-line parsing: a quote is escaped, and the backslashes before a
// quote or before the closing quote are doubled.
EString QuoteCommandLineArgument(const EString& text);

// The script host of the system folder, then the script, input and output
// paths, then " /Name:\"value\"" for each argument in ascending order of the
// names.
EString BuildScriptCommandLine(const EString& script, const EString& input, const EString& output,
                               ScriptParameters arguments);
