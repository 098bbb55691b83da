// dockwins::CPackageWindowImpl: the window of one docked row or column, laying its docking windows out with splitters.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingNotifyRecord.h"
#include "docking/dockwins/DockingPosition.h"
#include "docking/dockwins/WndFrame.h"
#include "docking/dockwins/WndFramesPackageBase.h"
#include "winlib/SelfDeletingWindowImpl.h"

namespace dockwins {

class CPackageWindowImpl : public CSelfDeletingWindowImpl<CPackageWindowImpl> {
public:
    static constexpr const wchar_t* className = L"CPackageWindowFrame::CPackageWindow";
    static WindowClass GetWindowClass() { return WindowClass{.name = className, .background = nullptr}; }

    // `sideBySide`: the row's windows stand along x.
    explicit CPackageWindowImpl(bool sideBySide) : m_package(sideBySide) {}

    using CPackage = CWndFramesPackageBase<CWndFrame>;
    const CPackage& Package() const { return m_package; }
    bool IsSideBySide() const { return m_package.IsSideBySide(); }

    BEGIN_MESSAGE_MAP(CPackageWindowImpl)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_PAINT, OnPaint)
        ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
        ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
        ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
        ON_MESSAGE(DockingNotify, OnDockingNotify)
    END_MESSAGE_MAP()

    // A docking window taken into a row becomes its child and is told so;
    // released, it floats again as a pop-up.
    static void TakeIn(HWND window, HWND row, bool sideBySide);
    static void Release(HWND window);

private:
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, bool&) { return TRUE; }
    LRESULT OnSize(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnSetCursor(UINT, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool&);
    LRESULT OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool&);

    bool AcceptDock(DockingNotifyRecord& request);
    bool Dock(DockingNotifyRecord& request);
    bool Undock(HWND window);
    bool GetDockingPosition(DockingPosition& position) const;
    bool DockAtPosition(DockingPosition& position);
    bool Replace(HWND old, HWND replacement);
    int MinSizeAlongRow(HWND window) const;
    int IndexOf(HWND window) const;

    CPackage m_package;
    // The last window has left and the close is posted: the row takes no window any more.
    bool m_closing = false;
};

} // namespace dockwins
