// dockwins::IFrame: one item a frames package lays out: a window, a nested package, or a row of docked windows.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingNotifyRecord.h"

namespace dockwins {

class IFrame {
public:
    IFrame() = default;
    IFrame(const IFrame&) = delete;
    IFrame& operator=(const IFrame&) = delete;
    virtual ~IFrame() = default;

    // The window this frame places; null for a nested package.
    virtual HWND GetHwnd() const = 0;
    // May a dragged window dock into this frame.
    virtual bool AcceptDock(DockingNotifyRecord* request) = 0;
    // The frame's minimum extent along its package's direction.
    virtual int MinDistance() const = 0;
    // Adds the frame's limits.
    virtual void GetMinMaxInfo(MINMAXINFO* info) const = 0;
    // Places the frame in (x1, y1)-(x2, y2); null when the batch failed.
    virtual HDWP DeferFramePos(HDWP batch, int x1, int y1, int x2, int y2)
    {
        // Nothing is copied from where the window stood: under Wine a maximised frame's bits
        // there are no longer the window's, and they would stand, unpainted, as its content.
        return ::DeferWindowPos(batch, GetHwnd(), nullptr, x1, y1, x2 - x1, y2 - y1,
                                SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
};

} // namespace dockwins
