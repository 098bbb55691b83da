// DockingPinRequest: the request (code 12) that sends one window, or a box's windows, to an auto-hide bar.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingNotify.h"
#include "docking/dockwins/DockingSide.h"

// Handles and the list stay pointer-sized: the request only lives in memory.
struct DockingPinRequest {
    static constexpr int ShowAtOnce = 0x1;

    HWND window = nullptr;    // the window to show first
    HWND container = nullptr; // the auto-hide manager's window, filled in by the frame
    int code = DockingPinUp;
    dockwins::CDockingSide side;
    int size = 0;             // the pane's size across its side
    int flags = 0;
    int windowCount = 0;      // fewer than 2: a single pane
    HWND* windows = nullptr;  // the box's windows in tab order, windowCount of them
};
