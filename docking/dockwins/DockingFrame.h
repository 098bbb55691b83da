// dockwins::CDockingFrameImplBase: the top-level frame that lays docked windows out around its view and answers their requests.
#pragma once

#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "docking/dockwins/AutoHideManager.h"
#include "docking/dockwins/DockingFocusHandler.h"
#include "docking/dockwins/DockingFrameRules.h"
#include "docking/dockwins/DockingFrameTraits.h"
#include "docking/dockwins/DockingNotify.h"
#include "docking/dockwins/DockingNotifyRecord.h"
#include "docking/dockwins/DockingPinRequest.h"
#include "docking/dockwins/DockingPosition.h"
#include "docking/dockwins/DockingSettings.h"
#include "docking/dockwins/DockingWindowBase.h"
#include "docking/dockwins/SubWndFramesPackage.h"
#include "docking/dockwins/WindowPtrWrapper.h"
#include "winlib/DeviceContext.h"
#include "winlib/FrameWindowImpl.h"

namespace dockwins {

// Rows docked above and below lie in the outer package, stacked from top to
// bottom; its central frame is the inner package, whose columns stand left
// and right of the view. The packages exist from WM_CREATE on: their rows
// are child windows of the frame.
template <class T, class TBase = CFrameWindowImpl<T>, class TTraits = CDockingFrameTraits>
class CDockingFrameImplBase : public TBase {
public:
    using CTraits = TTraits;

    static WindowClass GetWindowClass()
    {
        WindowClass info;
        // The splitter bars and the room between them are the face colour.
        info.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        return info;
    }

    using TBase::Create;
    // With the traits' styles where none are given.
    HWND Create(HWND parent, const RECT& rect, const wchar_t* title = nullptr, DWORD style = 0, DWORD exStyle = 0,
                HMENU menu = nullptr)
    {
        return TBase::Create(CreateArgs{.parent = parent,
                                        .title = title,
                                        .style = style ? style : TTraits::style,
                                        .exStyle = exStyle ? exStyle : TTraits::exStyle,
                                        .rect = rect,
                                        .menu = menu});
    }

    // The bars, the auto-hide bars, then everything docked and the view.
    void UpdateLayout(bool resizeBars = true) override
    {
        if (!m_outer) {
            // Not set up for docking (yet): a plain frame's layout.
            TBase::UpdateLayout(resizeBars);
            return;
        }
        RECT rest = this->LayoutBars(resizeBars);
        KeepViewBelowFlyOut();
        CClientDC dc(this->m_hWnd);
        m_autoHide.Layout(dc, rest);
        if (rest.right < rest.left)
            rest.right = rest.left;
        if (rest.bottom < rest.top)
            rest.bottom = rest.top;
        if (::EqualRect(&rest, &m_outer->Rect())) {
            // Nothing moved, but the view may have been made or replaced since.
            m_outer->Arrange();
            m_inner->Arrange();
        } else {
            m_outer->SetRect(rest);
        }
        Draw(dc);
    }

    // Sets the shared settings' style (CDockingSettings flags); 0 leaves the drag mode to the system.
    DWORD SetDockingStyle(DWORD style)
    {
        m_settings.SetStyleFlags(style);
        return m_settings.StyleFlags();
    }
    void ApplySystemSettings()
    {
        m_settings.Update();
        m_autoHide.UpdateMetrics(this->m_hWnd);
    }
    // The one-time set-up while the window is created (the view may already
    // exist); true when the auto-hide manager's window was made.
    bool InitializeDockingFrame(DWORD style = 0)
    {
        SetDockingStyle(style);
        const bool autoHide = m_autoHide.Initialize(this->m_hWnd);
        ApplySystemSettings();
        m_outer.emplace(this->m_hWnd, false);
        m_inner.emplace(this->m_hWnd, true);
        this->UpdateLayout(false);
        const RECT rect = m_outer->Rect();
        m_outer->AddCentral(std::make_unique<CSubWndFramesPackage::CFrameWrapper>(*m_inner), rect);
        m_inner->AddCentral(std::make_unique<CWindowPtrWrapper>(&this->m_hWndClient), rect);
        this->UpdateLayout(false);
        m_focus.AddFrame(this->m_hWnd);
        return autoHide;
    }

    CSubWndFramesPackage& OuterPackage() { return *m_outer; }
    CSubWndFramesPackage& InnerPackage() { return *m_inner; }
    CAutoHideManager& AutoHideManager() { return m_autoHide; }

    // After a docking change; with no view the room it would cover is erased.
    void RedrawAfterDocking()
    {
        UINT flags = RDW_INVALIDATE | RDW_UPDATENOW;
        if (!this->m_hWndClient)
            flags |= RDW_ERASE;
        ::RedrawWindow(this->m_hWnd, nullptr, nullptr, flags);
    }

    BEGIN_MESSAGE_MAP(CDockingFrameImplBase)
        CHAIN_MESSAGE_MAP_MEMBER(m_focus)
        ON_MESSAGE(WM_CREATE, OnCreate)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
        ON_MESSAGE(WM_SYSCOLORCHANGE, OnSettingChange)
        ON_MESSAGE(WM_PAINT, OnPaint)
        ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
        ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
        ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
        ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
        ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
        ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
        ON_MESSAGE(DockingNotify, OnDockingNotify)
        CHAIN_MESSAGE_MAP(TBase)
    END_MESSAGE_MAP()

protected:
    void Draw(HDC dc)
    {
        if (!m_outer)
            return;
        m_outer->DrawSplitters(dc);
        m_inner->DrawSplitters(dc);
        m_autoHide.Paint(dc);
    }
    // The fly-out slides over the view: a view that painted over its siblings
    // would wipe the fly-out out whenever it repainted. The view may be made
    // or replaced at any time, so this is checked at each layout.
    void KeepViewBelowFlyOut()
    {
        const HWND view = this->m_hWndClient;
        if (view && ::IsWindow(view) && !(::GetWindowLongPtrW(view, GWL_STYLE) & WS_CLIPSIBLINGS))
            CWindow(view).ModifyStyle(0, WS_CLIPSIBLINGS);
    }
    static POINT ClientPointOf(LPARAM lParam) { return PointOf(lParam); }
    // The package whose rectangle holds the point: the inner one first.
    CSubWndFramesPackage& PackageAt(POINT point)
    {
        return ::PtInRect(&m_inner->Rect(), point) ? *m_inner : *m_outer;
    }

    LRESULT OnCreate(UINT, WPARAM, LPARAM, bool& handled)
    {
        if (!m_outer)
            InitializeDockingFrame(0);
        handled = false;
        return 0;
    }
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
    {
        m_focus.RemoveFrame(this->m_hWnd);
        handled = false;
        return 0;
    }
    LRESULT OnSettingChange(UINT, WPARAM, LPARAM, bool& handled)
    {
        const int thickness = m_autoHide.BarThickness();
        ApplySystemSettings();
        // Bars of another thickness move everything docked.
        if (m_outer && m_autoHide.BarThickness() != thickness) {
            this->UpdateLayout(false);
            RedrawAfterDocking();
        }
        handled = false;
        return 0;
    }
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&)
    {
        CPaintDC dc(this->m_hWnd);
        Draw(dc);
        return 0;
    }
    // The focus stays where the focus keeper puts it, not on the view.
    LRESULT OnSetFocus(UINT message, WPARAM wParam, LPARAM lParam, bool&)
    {
        return this->DefWindowProc(message, wParam, lParam);
    }
    LRESULT OnSetCursor(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        handled = false;
        if (!m_outer || reinterpret_cast<HWND>(wParam) != this->m_hWnd || LOWORD(lParam) != HTCLIENT)
            return 0;
        const DWORD position = ::GetMessagePos();
        POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        ::ScreenToClient(this->m_hWnd, &point);
        const HCURSOR cursor = PackageAt(point).SplitterCursor(point);
        if (!cursor)
            return 0;
        ::SetCursor(cursor);
        handled = true;
        return TRUE;
    }
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM lParam, bool& handled)
    {
        if (!m_outer) {
            handled = false;
            return 0;
        }
        const POINT point = ClientPointOf(lParam);
        // Outside the docked layout (on a bar's edge) a press starts nothing.
        if (!::PtInRect(&m_outer->Rect(), point))
            return 0;
        if (!PackageAt(point).StartSplitterDrag(this->m_hWnd, point, m_settings.IsGhostDrag())) {
            handled = false;
            return 0;
        }
        RedrawAfterDocking();
        return 0;
    }
    LRESULT OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool&)
    {
        // The first message a window gets: there is no layout yet.
        const LRESULT result = this->DefWindowProc(message, wParam, lParam);
        if (!m_outer || !this->m_hWnd)
            return result;
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        MINMAXINFO docked = {};
        m_outer->GetMinMaxInfo(&docked);
        // Not from the outer package's rectangle: on a frame squeezed below its
        // bars that rectangle is empty and would hide what the bars need.
        const SIZE minimum = FrameMinTrackSize({docked.ptMinTrackSize.x, docked.ptMinTrackSize.y},
                                               this->GetWindowRect(), this->GetClientRect(), this->LayoutBars(false),
                                               {m_autoHide.Width(), m_autoHide.Height()});
        info->ptMinTrackSize.x = std::max(info->ptMinTrackSize.x, minimum.cx);
        info->ptMinTrackSize.y = std::max(info->ptMinTrackSize.y, minimum.cy);
        return result;
    }
    LRESULT OnMouseMove(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        constexpr WPARAM buttonsAndKeys =
            MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL | MK_XBUTTON1 | MK_XBUTTON2;
        handled = (wParam & buttonsAndKeys) == 0 && ::GetActiveWindow() && m_autoHide.MouseMove(ClientPointOf(lParam));
        return 0;
    }
    LRESULT OnMouseHover(UINT, WPARAM wParam, LPARAM lParam, bool&)
    {
        if (wParam == 0)
            m_autoHide.MouseHover(ClientPointOf(lParam));
        return 0;
    }

    LRESULT OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool&)
    {
        if (!m_outer || !lParam)
            return FALSE;
        // Every record begins with the window, the container and the code.
        auto* request = reinterpret_cast<DockingNotifyRecord*>(lParam);
        auto* position = reinterpret_cast<DockingPosition*>(lParam);
        switch (request->code) {
        case DockingAccept:
            return AcceptDock(*request);
        case DockingDock:
            return Dock(*request);
        case DockingUndock:
            return Undock(request->window);
        case DockingGetPosition:
            return GetDockingPosition(*position);
        case DockingAtPosition:
            return DockAtPosition(*position);
        case DockingLimitSize:
            LimitSize(request->rect);
            return TRUE;
        case DockingIsPinned:
            // A manager without a window holds nothing, even for a record without a container.
            return m_autoHide.m_hWnd && position->container == m_autoHide.m_hWnd;
        case DockingPinUp:
            return PinUp(*reinterpret_cast<DockingPinRequest*>(lParam));
        default:
            return FALSE;
        }
    }

    // The inner package first: a column beside the view wins over a row.
    bool AcceptDock(DockingNotifyRecord& request)
    {
        request.target = this->m_hWnd;
        request.placement = 0;
        if (m_inner->AcceptDock(request)) {
            request.placement |= DockingNotifyRecord::InnerPackageBit;
            return true;
        }
        if (m_outer->AcceptDock(request)) {
            request.placement &= ~DockingNotifyRecord::InnerPackageBit;
            return true;
        }
        request.target = nullptr;
        return false;
    }
    // The package that answered the accept query takes the window, so it lands where the feedback showed.
    bool Dock(DockingNotifyRecord& request)
    {
        const bool inner = request.IsInnerPackage();
        request.placement &= ~DockingNotifyRecord::InnerPackageBit;
        const bool docked = (inner ? *m_inner : *m_outer).Dock(request);
        RedrawAfterDocking();
        return docked;
    }
    bool Undock(HWND row)
    {
        const bool removed = m_outer->IndexOfWindow(row) >= 0 ? m_outer->Undock(row) : m_inner->Undock(row);
        RedrawAfterDocking();
        return removed;
    }
    bool GetDockingPosition(DockingPosition& position)
    {
        if (m_autoHide.GetDockingPosition(&position))
            return true;
        position.side = CDockingSide(0);
        if (m_outer->IndexOfWindow(position.container) >= 0)
            return m_outer->GetDockingPosition(position);
        position.side = CDockingSide(CDockingSide::Inner);
        return m_inner->GetDockingPosition(position);
    }
    bool DockAtPosition(DockingPosition& position)
    {
        const bool inner = (position.side.Flags() & CDockingSide::Inner) != 0;
        const bool docked = (inner ? *m_inner : *m_outer).DockAtPosition(position);
        RedrawAfterDocking();
        return docked;
    }
    void LimitSize(RECT& rect)
    {
        const RECT client = this->GetClientRect();
        LimitFloatingRect(rect, {client.right - client.left, client.bottom - client.top},
                          {::GetSystemMetrics(SM_CXMIN), ::GetSystemMetrics(SM_CYMIN)});
    }
    LRESULT PinUp(DockingPinRequest& request)
    {
        request.container = m_autoHide.m_hWnd;
        bool changed = false;
        const bool pinned = m_autoHide.PinUp(this->m_hWnd, request, changed);
        if (changed) {
            this->UpdateLayout(false);
            RedrawAfterDocking();
        }
        return pinned;
    }

    CDockingSettings& m_settings = CDockingSettings::Instance();
    std::optional<CSubWndFramesPackage> m_outer;
    std::optional<CSubWndFramesPackage> m_inner;
    CAutoHideManager m_autoHide;
    CDockingFocusHandler m_focus;
};

template <class T, class TBase = CFrameWindowImpl<T>, class TTraits = CDockingFrameTraits>
class CDockingFrameImpl : public CDockingFrameImplBase<T, TBase, TTraits> {
    using Base = CDockingFrameImplBase<T, TBase, TTraits>;

public:
    BEGIN_MESSAGE_MAP(CDockingFrameImpl)
        CHAIN_MESSAGE_MAP(Base)
    END_MESSAGE_MAP()
};

} // namespace dockwins
