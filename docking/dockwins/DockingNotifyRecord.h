// DockingNotifyRecord: the request a dragged docking window sends while it looks for a place.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingNotify.h"

// Handles stay pointer-sized: the record lives only in memory, on the sender's stack.
struct DockingNotifyRecord {
    static constexpr DWORD InnerPackageBit = 0x80000000u; // the inner package accepted
    static constexpr DWORD AfterCentralBit = 0x1u;        // the new row goes after the central frame

    HWND window = nullptr; // the docking window being moved
    HWND target = nullptr; // the container that accepted; null on refusal
    int code = 0;
    RECT rect = {};        // screen coordinates, adjusted by the receivers
    DWORD placement = 0;

    bool IsInnerPackage() const { return (placement & InnerPackageBit) != 0; }
    bool IsAfterCentral() const { return (placement & AfterCentralBit) != 0; }
};
