// The program's log file, "QuorvaneLog.txt" in the user's documents folder.
#pragma once

#include "foundation/EString.h"

// Appends printf-style text (Microsoft runtime rules); the caller ends the line.
void LogMessage(const wchar_t* format, ...);
// Found at the first call and kept; empty when there is no documents folder.
EString GetLogFilePath();
// For tests that move the documents folder: the next call looks again.
void ForgetLogFilePath();
