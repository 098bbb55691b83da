// dockwins::CBoxedDockingWindowImpl: a titled docking window that answers the docking protocol itself.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingBoxMessage.h"
#include "docking/dockwins/TabDockingBox.h"
#include "docking/dockwins/TitleDockingWindow.h"

namespace dockwins {

template <class T, class TBase = CWindowImpl<T>, class TTraits = DockingWindowTraits>
class CBoxedDockingWindowBaseImpl : public CTitleDockingWindowBaseImpl<T, TBase, TTraits> {
    using Base = CTitleDockingWindowBaseImpl<T, TBase, TTraits>;

public:
    BEGIN_MESSAGE_MAP(CBoxedDockingWindowBaseImpl)
        ON_MESSAGE(DockingNotify, OnDockingNotify)
        ON_MESSAGE(DockingBoxMessage, OnDockingNotify)
        CHAIN_MESSAGE_MAP(Base)
    END_MESSAGE_MAP()

protected:
    LRESULT OnDockingNotify(UINT, WPARAM, LPARAM lParam, bool&)
    {
        auto* position = reinterpret_cast<DockingPosition*>(lParam);
        switch (position->code) {
        case DockingAccept:
            return AcceptOnCaption(*reinterpret_cast<DockingNotifyRecord*>(lParam));
        case DockingDock:
        case DockingAtPosition:
            return DockOnto(*position, lParam);
        case DockingGetPosition:
            return FillPosition(*position);
        case DockingIsBox:
            return TRUE;
        case DockingActivate:
            if (!this->IsDocked())
                return FALSE;
            position->container = this->m_container;
            return this->m_sender.Activate(*position);
        case DockingPinBox:
            return this->PinUp(position->side.Flags() != 0 ? DockingPinRequest::ShowAtOnce : 0);
        default:
            return FALSE;
        }
    }

    // Only a drop on the caption makes a box.
    bool AcceptOnCaption(DockingNotifyRecord& request)
    {
        const LRESULT hit = this->SendMessage(
            WM_NCHITTEST, 0, MAKELPARAM(static_cast<short>(request.rect.left), static_cast<short>(request.rect.top)));
        if (hit != HTCAPTION) {
            request.target = nullptr;
            return false;
        }
        request.target = this->m_hWnd;
        request.rect = ToScreen(this->GetClientRect());
        return true;
    }

    // The dropped window joins this one in its box, which is made first
    // when this window is in none yet.
    bool DockOnto(DockingPosition& position, LPARAM lParam)
    {
        if (position.window == this->m_hWnd)
            return false;
        HWND box = this->m_container;
        if (!DockingNotifySender::IsDockingBox(box)) {
            box = CTabDockingBox::MakeAround(this->m_hWnd, this->m_container, this->m_sender);
            if (!box)
                return false;
        }
        if (position.code == DockingAtPosition) {
            position.container = box;
            return ::SendMessageW(box, DockingNotify, 0, lParam) != 0;
        }
        // The accepted rectangle is this window's, not a tab index: the
        // dropped window goes after the others.
        auto& request = *reinterpret_cast<DockingNotifyRecord*>(lParam);
        request.target = box;
        request.rect = {-1, -1, -1, -1};
        return this->m_sender.Dock(request);
    }

    RECT ToScreen(RECT rect) const
    {
        ::MapWindowPoints(this->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    bool FillPosition(DockingPosition& position)
    {
        if (this->IsDocked()) {
            position.window = this->m_hWnd;
            position.container = this->m_container;
            return this->m_sender.GetDockingPosition(position);
        }
        if (this->IsWindowVisible() || !this->m_hasPosition) {
            position.side.Set(CDockingSide::NotDocked, true);
            position.windowRect = this->GetWindowRect();
        } else {
            const DockingPosition& stored = this->m_position;
            position.container = stored.container;
            position.code = stored.code;
            position.side = stored.side;
            position.place = stored.place;
            position.windowRect = stored.windowRect;
            position.labelIndex = stored.labelIndex;
        }
        position.window = this->m_hWnd;
        return true;
    }
};

template <class T, class TTraits = DockingWindowTraits>
class CBoxedDockingWindowImpl : public CBoxedDockingWindowBaseImpl<T, CWindowImpl<T>, TTraits> {};

} // namespace dockwins
