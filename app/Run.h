// Run: the program between its module set-up and its end: handover, main window, message loop.
#pragma once

#include "foundation/EString.h"

// The process's exit code: 0 after a handover to the running instance or
// when the main window cannot be made, else the quit message's (1 after a
// normal close).
int Run(const EString& commandLineText);
