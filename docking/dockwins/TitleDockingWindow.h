// dockwins::CTitleDockingWindowImpl: a docking window that draws its own caption with pin and close buttons while docked.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingPinRequest.h"
#include "docking/dockwins/DockingSettings.h"
#include "docking/dockwins/DockingWindowBase.h"
#include "docking/dockwins/VC7LikeExCaption.h"
#include "winlib/DeviceContext.h"

namespace dockwins {

// Shifts a proposed window rectangle to the client area left when the caption's band is taken.
inline void TakeCaptionBand(CVC7LikeExCaption& caption, RECT& proposed)
{
    RECT local = {0, 0, proposed.right - proposed.left, proposed.bottom - proposed.top};
    const RECT whole = local;
    caption.CalculateRect(local, true);
    proposed.left += local.left - whole.left;
    proposed.top += local.top - whole.top;
    proposed.right -= whole.right - local.right;
    proposed.bottom -= whole.bottom - local.bottom;
}

template <class T, class TBase = CWindowImpl<T>, class TTraits = DockingWindowTraits>
class CTitleDockingWindowBaseImpl : public CDockingWindowBaseImpl<T, TBase, TTraits> {
    using Base = CDockingWindowBaseImpl<T, TBase, TTraits>;

public:
    CVC7LikeExCaption& Caption() { return m_caption; }

    // Sends the window to its side's auto-hide bar (the frame decides).
    virtual bool PinUp(int flags)
    {
        DockingPosition position;
        if (!this->GetDockingPosition(position) || !this->Undock())
            return false;
        return PinAt(position, flags);
    }
    // A window closed while pinned goes back to its auto-hide bar, not into a row.
    bool Show() override
    {
        if (!this->IsWindowVisible() && !this->IsDocked() && this->m_showDocked && this->m_hasPosition &&
            this->m_position.side.IsPinned() && PinAt(this->m_position, 0))
            return true;
        return Base::Show();
    }

    BEGIN_MESSAGE_MAP(CTitleDockingWindowBaseImpl)
        ON_MESSAGE(WM_CLOSE, OnClose)
        ON_MESSAGE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
        ON_MESSAGE(WM_USER, OnDockedState)
        if (this->IsDocked()) {
            ON_MESSAGE(WM_WINDOWPOSCHANGING, OnIgnore)
            ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
            ON_MESSAGE(WM_NCACTIVATE, OnNcActivate)
            ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
            ON_MESSAGE(WM_NCPAINT, OnNcPaint)
            ON_MESSAGE(WM_SETTEXT, OnSetTextOrIcon)
            ON_MESSAGE(WM_SETICON, OnSetTextOrIcon)
            ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
            ON_MESSAGE(WM_NCLBUTTONUP, OnNcLButtonUp)
            ON_MESSAGE(CaptionButtonTrackMessage, OnTrackButton)
        }
        ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
        ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
        ON_MESSAGE(WM_SYSCOLORCHANGE, OnSettingChange)
        CHAIN_MESSAGE_MAP(Base)
    END_MESSAGE_MAP()

protected:
    // The bar of the position's side, the window's size across it as the position holds it.
    bool PinAt(const DockingPosition& position, int flags)
    {
        DockingPinRequest request;
        request.window = this->m_hWnd;
        request.side = position.side;
        request.size = position.place.rowSize;
        request.flags = flags;
        return this->m_sender.PinUp(request);
    }

    LRESULT OnClose(UINT, WPARAM, LPARAM, bool&)
    {
        const HWND before = ::GetFocus();
        // Undocked, the window no longer leads up to the frame.
        const HWND top = TopMostAncestor(this->m_hWnd);
        this->Hide();
        RestoreFocus(before, top != this->m_hWnd ? top : nullptr);
        return 0;
    }
    LRESULT OnNcLButtonDblClk(UINT, WPARAM wParam, LPARAM, bool& handled)
    {
        if (::IsIconic(this->m_hWnd) || ::IsZoomed(this->m_hWnd)) {
            handled = false;
            return 0;
        }
        if (wParam == HTCAPTION) {
            if (this->IsDocked()) {
                this->Float();
            } else if (this->m_hasPosition) {
                DockingPosition position = this->m_position;
                this->DockAtPosition(position);
            }
        }
        return 0;
    }
    LRESULT OnDockedState(UINT, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        m_caption.SetOrientation(DockedState::From(wParam, lParam).horizontalCaption);
        handled = false;
        return 0;
    }
    LRESULT OnIgnore(UINT, WPARAM, LPARAM, bool&) { return 0; }
    LRESULT OnNcCalcSize(UINT, WPARAM, LPARAM lParam, bool&)
    {
        RECT& proposed = *reinterpret_cast<RECT*>(lParam);
        if (this->GetStyle() & WS_CAPTION) {
            TakeCaptionBand(m_caption, proposed);
        } else {
            RECT none = {};
            m_caption.CalculateRect(none, true);
        }
        return 0;
    }
    LRESULT OnNcActivate(UINT, WPARAM, LPARAM, bool& handled)
    {
        // The system's caption is never painted over ours.
        handled = this->IsWindowEnabled();
        return TRUE;
    }
    LRESULT OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool&)
    {
        const int hit = m_caption.NonClientHitTest(this->m_hWnd, PointOf(lParam));
        return hit == CCaptionBase::HitNothing ? HTCLIENT : hit;
    }
    LRESULT OnTrackButton(UINT, WPARAM wParam, LPARAM, bool&)
    {
        m_caption.TrackButton(this->m_hWnd, static_cast<int>(wParam));
        return 0;
    }
    LRESULT OnNcPaint(UINT, WPARAM, LPARAM, bool&)
    {
        if (this->GetStyle() & WS_CAPTION) {
            const CWindowDC dc(this->m_hWnd);
            m_caption.Draw(this->m_hWnd, dc);
        }
        return 0;
    }
    LRESULT OnSetTextOrIcon(UINT message, WPARAM wParam, LPARAM lParam, bool&)
    {
        const DWORD caption = this->GetStyle() & WS_CAPTION;
        this->ModifyStyle(caption, 0);
        const LRESULT result = this->DefWindowProc(message, wParam, lParam);
        this->ModifyStyle(0, caption);
        ::SetWindowPos(this->m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
        return result;
    }
    LRESULT OnNcLButtonDown(UINT, WPARAM wParam, LPARAM, bool& handled)
    {
        if (wParam == HTCAPTION)
            this->SetFocus();
        handled = false;
        return 0;
    }
    LRESULT OnNcLButtonUp(UINT, WPARAM wParam, LPARAM, bool& handled)
    {
        const HWND before = ::GetFocus();
        const HWND top = TopMostAncestor(this->m_hWnd);
        handled = false;
        if (wParam == CCaptionBase::HitPin) {
            handled = PinUp(DockingPinRequest::ShowAtOnce);
        } else if (wParam == CCaptionBase::HitClose) {
            this->PostMessage(WM_CLOSE);
        }
        RestoreFocus(before, top != this->m_hWnd ? top : nullptr);
        return 0;
    }
    LRESULT OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool&)
    {
        const LRESULT result = this->DefWindowProc(message, wParam, lParam);
        this->GetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return result;
    }
    LRESULT OnSettingChange(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        handled = false;
        if (this->IsDocked())
            return 0;
        UpdateDockingSettings();
        struct Forward {
            UINT message;
            WPARAM wParam;
            LPARAM lParam;
        } forward = {message, wParam, lParam};
        ::EnumChildWindows(
            this->m_hWnd,
            [](HWND child, LPARAM data) -> BOOL {
                const auto* f = reinterpret_cast<const Forward*>(data);
                ::SendMessageW(child, f->message, f->wParam, f->lParam);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&forward));
        m_caption.UpdateMetrics();
        ::SetWindowPos(this->m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
        return 0;
    }

    CVC7LikeExCaption m_caption;
};

template <class T, class TTraits = DockingWindowTraits>
class CTitleDockingWindowImpl : public CTitleDockingWindowBaseImpl<T, CWindowImpl<T>, TTraits> {};

} // namespace dockwins
