// dockwins::CSubWndFramesPackage: one of the docking frame's two packages, of rows around a central frame.
#pragma once

#include <windows.h>

#include <memory>

#include "docking/dockwins/DockingNotifyRecord.h"
#include "docking/dockwins/DockingPosition.h"
#include "docking/dockwins/IFrame.h"
#include "docking/dockwins/PtrFrame.h"
#include "docking/dockwins/WndFramesPackageBase.h"

namespace dockwins {

class CSubWndFramesPackage : public CWndFramesPackageBase<CPtrFrame<IFrame>> {
public:
    // A whole package as one frame of another: the inner package inside the outer one.
    class CFrameWrapper : public IFrame {
    public:
        explicit CFrameWrapper(CSubWndFramesPackage& package) : m_package(package) {}
        HWND GetHwnd() const override { return nullptr; }
        bool AcceptDock(DockingNotifyRecord*) override { return true; }
        int MinDistance() const override;
        void GetMinMaxInfo(MINMAXINFO* info) const override { m_package.GetMinMaxInfo(info); }
        // The wrapped package lays itself out; the batch goes on unchanged.
        HDWP DeferFramePos(HDWP batch, int x1, int y1, int x2, int y2) override;

    private:
        CSubWndFramesPackage& m_package;
    };

    // Rows are child windows of `owner`; coordinates are its client coordinates.
    CSubWndFramesPackage(HWND owner, bool sideBySide) : CWndFramesPackageBase(sideBySide), m_owner(owner) {}

    // The frame that takes size changes first (the view, or the inner package), placed at a rectangle.
    void AddCentral(std::unique_ptr<IFrame> frame, const RECT& rect);

    // The docking requests, rectangles in screen coordinates as the records carry them.
    // May the window dock here: a new row within 20 pixels of a frame's edge,
    // or an existing row's say; sets the placement's after-central bit and the feedback rectangle.
    bool AcceptDock(DockingNotifyRecord& request);
    // Makes a new row where the accepted request points and docks the window into it.
    bool Dock(DockingNotifyRecord& request);
    // A row that became empty leaves; the central frame takes its space.
    bool Undock(HWND row);
    // The row's place (side bit 1, row index, row size), then the window's place in its row.
    bool GetDockingPosition(DockingPosition& position);
    // Docks into the row at the stored index, or into a new row there.
    bool DockAtPosition(DockingPosition& position);

    int IndexOfWindow(HWND window) const;

private:
    static constexpr int kEdgeZone = 20;

    RECT ToClient(RECT rect) const;
    RECT ToScreen(RECT rect) const;
    // The new row's frame inserted at `where`; null when its window could not be made.
    HWND InsertRow(size_t where, double start, double size);

    HWND m_owner;
};

} // namespace dockwins
