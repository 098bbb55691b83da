// dockwins::CAutoHidePaneImpl: the fly-out's window: a flat caption on top and a sizing bar at the edge away from its auto-hide bar.
#pragma once

#include <windows.h>

#include "docking/dockwins/AutoHideGeometry.h"
#include "docking/dockwins/DockingWindowBase.h"
#include "docking/dockwins/DockingSide.h"
#include "docking/dockwins/OutlookLikeExCaption.h"
#include "winlib/DeviceContext.h"
#include "winlib/WindowImpl.h"

namespace dockwins {

struct AutoHidePaneTraits {
    static constexpr DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION;
    static constexpr DWORD exStyle = WS_EX_TOOLWINDOW;
};

template <class T, class TTraits = AutoHidePaneTraits>
class CAutoHidePaneImpl : public CWindowImpl<T> {
public:
    HWND Create(HWND frame)
    {
        return CWindowImpl<T>::Create(
            CreateArgs{.parent = frame, .style = TTraits::style, .exStyle = TTraits::exStyle, .rect = {0, 0, 0, 0}});
    }

    CDockingSide Side() const { return m_side; }
    // The caption stays on top whatever the side; the sizing bar follows it.
    void SetSide(CDockingSide side)
    {
        m_side = side;
        m_caption.SetOrientation(side.IsHorizontal());
    }
    // Where the fly-out lies in the frame's client area.
    RECT PlacementInFrame() const
    {
        RECT rect = this->GetWindowRect();
        ::MapWindowPoints(nullptr, this->GetParent(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    BEGIN_MESSAGE_MAP(CAutoHidePaneImpl)
        ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
        ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
        ON_MESSAGE(CaptionButtonTrackMessage, OnTrackButton)
        ON_MESSAGE(WM_NCPAINT, OnNcPaint)
        ON_MESSAGE(WM_NCACTIVATE, OnNcActivate)
        ON_MESSAGE(WM_SETTEXT, OnSetTextOrIcon)
        ON_MESSAGE(WM_SETICON, OnSetTextOrIcon)
        ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
        ON_MESSAGE(WM_SYSCOLORCHANGE, OnSettingChange)
        ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
        ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
    END_MESSAGE_MAP()

protected:
    // The hit code of the sizing bar: the edge it lies on does not matter.
    int SizingHitCode() const { return m_side.IsHorizontal() ? HTTOP : HTLEFT; }

    LRESULT OnNcCalcSize(UINT, WPARAM, LPARAM lParam, bool&)
    {
        RECT& proposed = *reinterpret_cast<RECT*>(lParam);
        const RECT whole = {0, 0, proposed.right - proposed.left, proposed.bottom - proposed.top};
        RECT local = whole;
        m_sizingBar = local;
        switch (m_side.GetEdge()) {
        case CDockingSide::Top:
            local.bottom = m_sizingBar.top = local.bottom - AutoHideSizingBar;
            break;
        case CDockingSide::Bottom:
            local.top = m_sizingBar.bottom = local.top + AutoHideSizingBar;
            break;
        case CDockingSide::Left:
            local.right = m_sizingBar.left = local.right - AutoHideSizingBar;
            break;
        default:
            local.left = m_sizingBar.right = local.left + AutoHideSizingBar;
            break;
        }
        if (this->GetStyle() & WS_CAPTION) {
            m_caption.CalculateRect(local, true);
        } else {
            RECT none = {};
            m_caption.CalculateRect(none, true);
        }
        // A fly-out thinner than its bars keeps an empty client area inside it, never an inverted one.
        local.left = local.left > whole.right ? whole.right : local.left;
        local.top = local.top > whole.bottom ? whole.bottom : local.top;
        local.right = local.right < local.left ? local.left : local.right;
        local.bottom = local.bottom < local.top ? local.top : local.bottom;
        proposed.right = proposed.left + local.right;
        proposed.bottom = proposed.top + local.bottom;
        proposed.left += local.left;
        proposed.top += local.top;
        return 0;
    }
    LRESULT OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool&)
    {
        const RECT window = this->GetWindowRect();
        const POINT screen = PointOf(lParam);
        const POINT point = {screen.x - window.left, screen.y - window.top};
        if (::PtInRect(&m_sizingBar, point))
            return SizingHitCode();
        const int hit = m_caption.NonClientHitTest(this->m_hWnd, screen);
        return hit == CCaptionBase::HitNothing ? HTCLIENT : hit;
    }
    LRESULT OnTrackButton(UINT, WPARAM wParam, LPARAM, bool&)
    {
        m_caption.TrackButton(this->m_hWnd, static_cast<int>(wParam));
        return 0;
    }
    LRESULT OnNcPaint(UINT, WPARAM, LPARAM, bool&)
    {
        const CWindowDC dc(this->m_hWnd);
        if (this->GetStyle() & WS_CAPTION)
            m_caption.Draw(this->m_hWnd, dc);
        RECT bar = m_sizingBar;
        ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_BTNFACE));
        ::DrawEdge(dc, &bar, BDR_RAISEDINNER, m_side.IsHorizontal() ? BF_TOP | BF_BOTTOM : BF_LEFT | BF_RIGHT);
        return 0;
    }
    LRESULT OnNcActivate(UINT, WPARAM, LPARAM, bool&) { return this->IsWindowEnabled(); }
    LRESULT OnSetTextOrIcon(UINT message, WPARAM wParam, LPARAM lParam, bool&)
    {
        // Without its caption style the system paints no caption of its own over ours.
        const DWORD caption = this->GetStyle() & WS_CAPTION;
        this->ModifyStyle(caption, 0);
        const LRESULT result = this->DefWindowProc(message, wParam, lParam);
        this->ModifyStyle(0, caption);
        RedrawFrame();
        return result;
    }
    LRESULT OnSettingChange(UINT, WPARAM, LPARAM, bool& handled)
    {
        m_caption = COutlookLikeCaption();
        RedrawFrame();
        handled = false;
        return 0;
    }
    LRESULT OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool&)
    {
        const LRESULT result = this->DefWindowProc(message, wParam, lParam);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {0, 0};
        return result;
    }
    // The pane covers the client area.
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, bool&) { return TRUE; }

    void RedrawFrame()
    {
        ::SetWindowPos(this->m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }

    COutlookLikeCaption m_caption;
    CDockingSide m_side = CDockingSide(0);
    RECT m_sizingBar = {}; // window coordinates
};

} // namespace dockwins
