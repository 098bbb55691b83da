// DockingReplaceRecord: the request (code 8) that puts another window, a new docking box, in a docked window's place.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingNotify.h"

// The replacement's handle stays pointer-sized: the record only lives in memory.
struct DockingReplaceRecord {
    HWND window = nullptr;    // the docked window to be replaced
    HWND container = nullptr; // the row that holds it
    int code = DockingReplace;
    HWND replacement = nullptr;
};
