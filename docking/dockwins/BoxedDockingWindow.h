// dockwins::CBoxedDockingWindowImpl: a titled docking window that answers the docking protocol itself.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingBoxMessage.h"
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
        case DockingDock:
        case DockingAtPosition:
            // Docking onto a window makes a tabbed box around it; until
            // boxes exist, every such request is refused.
            reinterpret_cast<DockingNotifyRecord*>(lParam)->target = nullptr;
            return FALSE;
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
