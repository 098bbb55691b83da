// dockwins::CPackageWindowFrame: a docked row or column as one frame of the frame's package.
#pragma once

#include <windows.h>

#include "docking/dockwins/IFrame.h"
#include "docking/dockwins/PackageWindowImpl.h"

namespace dockwins {

class CPackageWindowFrame : public IFrame {
public:
    // Makes the row's window, a child of `owner`; IsValid tells whether it could.
    CPackageWindowFrame(HWND owner, bool sideBySide, const RECT& rect);

    bool IsValid() const { return m_window != nullptr; }
    HWND GetHwnd() const override { return m_hwnd; }
    // Asks the row whether the dragged window may join it (rectangle in the
    // owner's client coordinates, as the frame's package works in them).
    bool AcceptDock(DockingNotifyRecord* request) override;
    int MinDistance() const override;
    void GetMinMaxInfo(MINMAXINFO* info) const override;

private:
    // Not owned: the window deletes itself after its final message.
    CPackageWindowImpl* m_window = nullptr;
    HWND m_hwnd = nullptr;
    bool m_sideBySide;
};

} // namespace dockwins
