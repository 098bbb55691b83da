// LoadResourceText: stylesheets shipped inside the program as RT_HTML resources.
#pragma once

#include "foundation/EString.h"

// Resource ids of the stylesheets the program carries.
constexpr unsigned kFindStylesheetId = 1000;
constexpr unsigned kTaskPlanEntriesStylesheetId = 1001;

// The resource's bytes read in the ANSI code page; empty when it is missing.
EString LoadResourceText(unsigned id);
