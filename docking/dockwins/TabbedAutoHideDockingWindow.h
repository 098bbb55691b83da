// CTabbedAutoHideDockingWindow: the pane that hosts one view of the main window; it docks, floats, joins tab boxes and pins to an auto-hide bar.
#pragma once

#include <windows.h>

#include "docking/dockwins/BoxedDockingWindow.h"

struct TabbedAutoHideDockingWindowTraits {
    static constexpr DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
    static constexpr DWORD exStyle = WS_EX_TOOLWINDOW;
};

class CTabbedAutoHideDockingWindow
    : public dockwins::CBoxedDockingWindowImpl<CTabbedAutoHideDockingWindow, TabbedAutoHideDockingWindowTraits> {
    using Base = dockwins::CBoxedDockingWindowImpl<CTabbedAutoHideDockingWindow, TabbedAutoHideDockingWindowTraits>;

public:
    // A pane that deletes itself once its window is gone.
    static CTabbedAutoHideDockingWindow* CreateInstance();

    // `parent` is the docking frame.
    HWND Create(HWND parent, const RECT& rect, const wchar_t* title = nullptr, DWORD style = 0, DWORD exStyle = 0);

    // The view the pane shows: it fills the pane and lends it its small icon.
    void SetClient(HWND client);
    HWND Client() const { return m_client; }
    void SetReflectNotifications(bool reflect) { m_reflect = reflect; }

    // A message of the loop offered to the view while it has the focus.
    bool PreTranslateMessage(MSG* message);

    // Pinned to an auto-hide bar counts as visible.
    bool IsVisible() const;
    void Toggle();

    bool Hide() override;
    bool Show() override;
    void GetMinMaxInfo(MINMAXINFO* info) const override;

    // Joins the box `target` at `index`; false when it is no docking box.
    bool DockInto(HWND target, int index);
    using Base::PinUp;
    bool PinUp(dockwins::CDockingSide side, int size, bool showAtOnce);

    // What the window-state store keeps, and putting the pane back from it.
    bool GetDockingPosition(DockingPosition& position) const;
    bool SetDockingPosition(const DockingPosition& position);

    void OnFinalMessage(HWND) override;

    BEGIN_MESSAGE_MAP(CTabbedAutoHideDockingWindow)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
        ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
        CHAIN_MESSAGE_MAP(Base)
        if (m_reflect)
            REFLECT_NOTIFICATIONS()
    END_MESSAGE_MAP()

private:
    LRESULT OnSize(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, bool& handled);
    void FitClient();
    bool HasRememberedPlace() const { return m_hasPosition && m_position.container; }

    HWND m_client = nullptr;
    bool m_reflect = false;
    bool m_ownsItself = false;
};
