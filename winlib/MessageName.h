// MessageName: a window message as a log line names it ("WM_CREATE", "WM_USER+5", "0xC123").
#pragma once

#include <windows.h>

#include "foundation/EString.h"

EString MessageName(UINT message);
