// dockwins::CDockingWindowBaseImpl: a pop-up that floats, docks by its caption and remembers where it was.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingNotifySender.h"
#include "docking/dockwins/DockingPosition.h"
#include "docking/dockwins/FloatingPlacement.h"
#include "docking/dockwins/KeepFocus.h"
#include "docking/dockwins/MoveTracker.h"
#include "winlib/WindowImpl.h"

namespace dockwins {

// A point packed into a mouse message's lParam, signed as on a multi-monitor desktop.
inline POINT PointOf(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

struct DockingWindowTraits {
    static constexpr DWORD style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
    static constexpr DWORD exStyle = WS_EX_TOOLWINDOW;
};

// The docked-state notification a container sends (WM_USER): wParam 0 when
// the window leaves, else 1 with the high word 1 for a side-by-side row.
struct DockedState {
    bool docked;
    bool horizontalCaption;
    HWND container;
    static DockedState From(WPARAM wParam, LPARAM lParam)
    {
        if (wParam == 0)
            return {false, true, nullptr};
        return {true, HIWORD(wParam) != 1, reinterpret_cast<HWND>(lParam)};
    }
};

template <class T, class TBase = CWindowImpl<T>, class TTraits = DockingWindowTraits>
class CDockingWindowBaseImpl : public TBase {
public:
    using CMoveTracker = dockwins::CMoveTracker;

    HWND Create(HWND frame, const RECT& rect, const wchar_t* title = nullptr, DWORD style = 0, DWORD exStyle = 0)
    {
        m_sender.SetFrame(frame);
        return TBase::Create(CreateArgs{.parent = frame,
                                        .title = title,
                                        .style = style ? style : TTraits::style,
                                        .exStyle = exStyle ? exStyle : TTraits::exStyle,
                                        .rect = rect});
    }

    bool IsDocked() const { return m_container != nullptr; }
    HWND Container() const { return m_container; }
    const RECT& FloatingRect() const { return m_floatingRect; }
    const DockingNotifySender& Sender() const { return m_sender; }

    // Leaves the container, remembering the place to come back to.
    virtual bool Undock()
    {
        if (!IsDocked())
            return true;
        DockingPosition position;
        if (GetDockingPosition(position)) {
            m_position = position;
            m_hasPosition = true;
        }
        DockingNotifyRecord request;
        request.window = this->m_hWnd;
        request.target = m_container;
        return m_sender.Undock(request);
    }
    virtual bool DockTo(DockingNotifyRecord* request)
    {
        request->window = this->m_hWnd;
        return m_sender.Dock(*request);
    }
    // Hidden, a window keeps its docking position and floating rectangle.
    virtual bool Hide()
    {
        m_showDocked = IsDocked();
        if (IsDocked() && !Undock())
            return false;
        this->ShowWindow(SW_HIDE);
        return true;
    }
    virtual bool Show()
    {
        if (this->IsWindowVisible() || IsDocked())
            return true;
        // A window hidden while floating floats again, though it keeps the
        // place it last docked at.
        if (m_showDocked && m_hasPosition && m_position.docked) {
            DockingPosition position = m_position;
            return DockAtPosition(position);
        }
        this->ShowWindow(SW_SHOWNA);
        return true;
    }
    virtual void GetMinMaxInfo(MINMAXINFO*) const {}

    // Floats at the last floating rectangle, moved into the work area there
    // is now; a window that never floated stays.
    bool Float()
    {
        if (::IsRectEmpty(&m_floatingRect) || !IsDocked() || !Undock())
            return false;
        this->SetWindowPos(nullptr, KeepInWorkArea(m_floatingRect),
                           SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return true;
    }
    bool DockAtPosition(DockingPosition& position)
    {
        if (IsDocked() && !Undock())
            return false;
        position.window = this->m_hWnd;
        return m_sender.DockAtPosition(position);
    }

    bool GetDockingPosition(DockingPosition& position) const
    {
        position.window = this->m_hWnd;
        position.docked = IsDocked();
        if (!IsDocked()) {
            position.floatingRect = this->GetWindowRect();
            return true;
        }
        position.container = m_container;
        position.floatingRect = m_floatingRect;
        return m_sender.GetDockingPosition(position);
    }
    bool SetDockingPosition(const DockingPosition& stored)
    {
        DockingPosition position = stored;
        if (position.docked) {
            m_floatingRect = position.floatingRect;
            return DockAtPosition(position);
        }
        if (IsDocked() && !Undock())
            return false;
        return this->SetWindowPos(nullptr, position.floatingRect, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }

    // The caption drag: the move tracker from the press (screen coordinates),
    // then docking where it showed or floating at its rectangle, moved into
    // the work area (its caption is the only handle to move it by). A
    // cancelled drag changes nothing; a refused dock leaves the window
    // floating there.
    void TrackMove(POINT pressOnScreen)
    {
        POINT press = pressOnScreen;
        ::ScreenToClient(this->m_hWnd, &press);
        const RECT floating = ::IsRectEmpty(&m_floatingRect) ? this->GetWindowRect() : m_floatingRect;
        CMoveTracker tracker(this->m_hWnd, m_sender, press, this->GetWindowRect(), floating);
        if (!TrackDragAndDrop(tracker, this->m_hWnd))
            return;
        DockingNotifyRecord request = tracker.Request();
        if (IsDocked() && !Undock())
            return;
        if (request.target && DockTo(&request))
            return;
        this->SetWindowPos(nullptr, KeepInWorkArea(request.rect),
                           SWP_SHOWWINDOW | SWP_NOZORDER | SWP_FRAMECHANGED);
    }

    BEGIN_MESSAGE_MAP(CDockingWindowBaseImpl)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
        ON_MESSAGE(WM_CLOSE, OnClose)
        ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
        ON_MESSAGE(WM_WINDOWPOSCHANGED, OnWindowPosChanged)
        ON_MESSAGE(WM_USER, OnDockedState)
        ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
        ON_MESSAGE(WM_DISPLAYCHANGE, OnScreenChange)
        ON_MESSAGE(WM_SETTINGCHANGE, OnScreenChange)
    END_MESSAGE_MAP()

protected:
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, bool&) { return TRUE; }
    LRESULT OnClose(UINT, WPARAM, LPARAM, bool& handled)
    {
        // A window that cannot leave its container stays.
        handled = IsDocked() && !Undock();
        return 0;
    }
    LRESULT OnNcLButtonDown(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        if (wParam != HTCAPTION) {
            handled = false;
            return 0;
        }
        ::SetWindowPos(this->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        const POINT press = PointOf(lParam);
        if (::DragDetect(this->m_hWnd, press))
            TrackMove(press);
        return 0;
    }
    LRESULT OnWindowPosChanged(UINT, WPARAM, LPARAM lParam, bool& handled)
    {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        const bool moved = (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
        if (((pos->flags & SWP_SHOWWINDOW) || moved) && !IsDocked() && this->IsWindowVisible())
            m_floatingRect = {pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy};
        handled = false;
        return 0;
    }
    LRESULT OnDockedState(UINT, WPARAM wParam, LPARAM lParam, bool&)
    {
        const DockedState state = DockedState::From(wParam, lParam);
        if (state.docked)
            this->ModifyStyle(WS_THICKFRAME, 0);
        else
            this->ModifyStyle(0, WS_THICKFRAME);
        m_container = state.container;
        return TRUE;
    }
    // A smaller screen or work area: a floating window, shown or hidden,
    // stays where the mouse reaches it.
    LRESULT OnScreenChange(UINT message, WPARAM wParam, LPARAM, bool& handled)
    {
        handled = false;
        if (message == WM_SETTINGCHANGE && wParam != SPI_SETWORKAREA)
            return 0;
        if (IsDocked() || (this->GetStyle() & WS_CHILD))
            return 0;
        const RECT rect = this->GetWindowRect();
        const RECT kept = KeepInWorkArea(rect);
        if (!::EqualRect(&rect, &kept))
            this->SetWindowPos(nullptr, kept, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    LRESULT OnMenuChar(UINT message, WPARAM wParam, LPARAM lParam, bool&)
    {
        const LRESULT own = this->DefWindowProc(message, wParam, lParam);
        if (HIWORD(own) != 0)
            return own;
        const HWND top = TopMostAncestor(this->m_hWnd);
        return top && top != this->m_hWnd ? ::SendMessageW(top, message, wParam, lParam) : own;
    }

    DockingNotifySender m_sender;
    HWND m_container = nullptr;
    RECT m_floatingRect = {};
    DockingPosition m_position;
    bool m_hasPosition = false;
    bool m_showDocked = false; // hidden while docked
};

} // namespace dockwins
