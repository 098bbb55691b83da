// dockwins::CTabDockingBox: a docking window whose content is other docking windows, one shown at a time behind a tab.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingBoxMessage.h"
#include "docking/dockwins/FlyingTabCtrl.h"
#include "docking/dockwins/TitleDockingWindow.h"
#include "winlib/ImageList.h"

namespace dockwins {

template <class TCaption, DWORD TStyle, DWORD TExStyle>
struct CDockingBoxTraits {
    using Caption = TCaption;
    static constexpr DWORD style = TStyle;
    static constexpr DWORD exStyle = TExStyle;
};

// Hidden until placed.
using CTabDockingBoxTraits =
    CDockingBoxTraits<CVC7LikeExCaption, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW,
                      WS_EX_TOOLWINDOW>;

class CTabDockingBox
    : public CTitleDockingWindowBaseImpl<CTabDockingBox, CWindowImpl<CTabDockingBox>, CTabDockingBoxTraits> {
    using Base = CTitleDockingWindowBaseImpl<CTabDockingBox, CWindowImpl<CTabDockingBox>, CTabDockingBoxTraits>;

public:
    static WindowClass GetWindowClass() { return WindowClass{.name = L"CTabDockingBox", .background = nullptr}; }

    // A box owned by the docking frame, hidden at (0, 0)-(100, 100); null
    // when its window could not be made. The box deletes itself with its window.
    static CTabDockingBox* CreateInstance(HWND frame);

    // Makes a box in the place of `window` (a docking window that is in no
    // box yet): in its container when docked, else at its rectangle. Null
    // when the container refused; the new box is then closed.
    static HWND MakeAround(HWND window, HWND container, const DockingNotifySender& sender);
    // The box of a box window; null for any other window.
    static CTabDockingBox* FromHandle(HWND window);

    bool DockTo(DockingNotifyRecord* request) override;
    bool Hide() override;
    bool Show() override;
    bool PinUp(int flags) override;

    // The tab index of the inserted window, -1 when nothing was inserted.
    int InsertWindow(int index, HWND window);
    bool RemoveWindow(HWND window);
    int IndexOfWindow(HWND window) const;
    HWND WindowAt(int index) const;
    int WindowCount() const { return m_tabs.GetItemCount(); }
    HWND ActiveWindow() const { return m_active; }
    CFlyingTabCtrl& Tabs() { return m_tabs; }

    void OnFinalMessage(HWND) override;

    BEGIN_MESSAGE_MAP(CTabDockingBox)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_SIZE, OnSize)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
        ON_MESSAGE(WM_NOTIFY, OnNotify)
        ON_MESSAGE(DockingNotify, OnBoxNotify)
        ON_MESSAGE(DockingBoxMessage, OnBoxNotify)
        ON_MESSAGE(WM_CLOSE, OnClose)
        REFLECT_NOTIFICATIONS()
        CHAIN_MESSAGE_MAP(Base)
    END_MESSAGE_MAP()

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnSize(UINT, WPARAM wParam, LPARAM, bool& handled);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, bool&) { return TRUE; }
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, bool& handled);
    LRESULT OnNotify(UINT, WPARAM, LPARAM lParam, bool& handled);
    LRESULT OnBoxNotify(UINT, WPARAM, LPARAM lParam, bool&);
    LRESULT OnClose(UINT, WPARAM wParam, LPARAM, bool&);

    bool OnAcceptDock(DockingNotifyRecord& request);
    int ShowPlaceholder(HWND dragged, POINT screen);
    int PlaceholderIndex() const;
    void RemovePlaceholder();
    bool WaitForDragToMove(HWND dragged, MSG& next);
    int InsertionIndex(POINT inStrip) const;
    bool OnGetDockingPosition(DockingPosition& position) const;
    bool OnActivate(HWND window);
    bool OnPinBox(bool show);
    bool TakeOwnPosition(DockingPosition& position) const;
    bool IsShown() const;
    bool IsOverTabs(POINT& screen) const;

    void AttachWindow(HWND window);
    void DetachWindow(HWND window);
    void CloseWhenSingle();
    bool CloseHandingBackLast();
    bool CloseActiveTab();
    void PostFinalClose();
    void OnTabSelChange();
    void OnTabDragOut();
    RECT StripBand() const;
    void PlaceActiveWindow();
    void UpdateCaption();

    CFlyingTabCtrl m_tabs;
    CImageList m_images;
    HWND m_active = nullptr;
    // While a window is dragged over the strip, a tab without a window
    // shows where it would go.
    struct Placeholder {
        HWND selectedBefore = nullptr;
        int lastSwap = -1;
        int lastCoordinate = 0;
    } m_placeholder;
    bool m_ownsItself = false;
    // The box has posted the close that ends it: it takes no window any
    // more, which would go down with it.
    bool m_closing = false;
};

} // namespace dockwins
