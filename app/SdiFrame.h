// CSdiFrame<T, TDoc>: a docking frame that owns its document and routes every command through the active view, the document and the tab order.
#pragma once

#include <windows.h>

#include "docking/dockwins/DockingFrame.h"
#include "document/DocumentMessages.h"
#include "foundation/AppWindow.h"
#include "resources/EditCommandIds.h"
#include "views/common/TabOrderProvider.h"
#include "views/common/ViewMessages.h"
#include "winlib/CommandStateMap.h"
#include "winlib/IdleHandler.h"
#include "winlib/MessageFilter.h"
#include "winlib/MessageLoop.h"

template <class T, class TDoc>
class CSdiFrame : public dockwins::CDockingFrameImpl<T>, public CMessageFilter, public CIdleHandler {
    using Base = dockwins::CDockingFrameImpl<T>;

public:
    CSdiFrame() = default;
    // The document goes with the frame object; the main window it published
    // is gone by then.
    ~CSdiFrame() override
    {
        if (GetMainWindow() == this->m_hWnd || !::IsWindow(GetMainWindow()))
            SetMainWindow(nullptr);
    }
    CSdiFrame(const CSdiFrame&) = delete;
    CSdiFrame& operator=(const CSdiFrame&) = delete;

    TDoc& GetDocument() { return m_doc; }
    TabOrderProvider& GetTabOrder() { return m_tabOrder; }
    CCommandStateMap& CommandStates() { return m_commandStates; }
    bool IsDestroying() const { return m_destroying; }

    // Every layout ends with the frame's own command states, until the
    // window is being destroyed.
    void UpdateLayout(bool resizeBars = true) override
    {
        Base::UpdateLayout(resizeBars);
        if (!m_destroying && this->m_hWnd)
            static_cast<T*>(this)->UpdateCommandUI(true);
    }

    BEGIN_MESSAGE_MAP(CSdiFrame)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_PELQUORN_COMMAND_STATE, OnCommandState)
        ON_MESSAGE(WM_PELQUORN_DOC_CHANGED, OnDocChanged)
        ON_MESSAGE(WM_PELQUORN_PREPARE_MENU, OnPrepareMenu)
        ON_MESSAGE(WM_PELQUORN_RESET_COMMANDS, OnResetCommands)
        ON_MESSAGE(WM_COMMAND, OnForwardCommand)
        CHAIN_MESSAGE_MAP_MEMBER(m_doc)
        ON_COMMAND_RANGE(ID_EDIT_CLEAR, ID_EDIT_REDO, OnEditCommand)
        ON_COMMAND(ID_NEXT_PANE, OnNextPane)
        CHAIN_MESSAGE_MAP_MEMBER(m_commandStates)
        CHAIN_MESSAGE_MAP(Base)
    END_MESSAGE_MAP()

protected:
    // The filter and idle handler leave the loop with the window.
    void LeaveMessageLoop()
    {
        if (CMessageLoop* loop = CMessageLoop::Registered()) {
            loop->RemoveMessageFilter(this);
            loop->RemoveIdleHandler(this);
        }
    }

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
    {
        m_destroying = true;
        LeaveMessageLoop();
        handled = false;
        return 0;
    }
    // What a view's state message carries; the frame's own states come here directly.
    void ApplyCommandState(const CommandUiState& state)
    {
        const UINT id = static_cast<UINT>(state.commandId);
        m_commandStates.AddRuntimeEntry(id, CCommandStateMap::MenuItem | CCommandStateMap::ToolBarButton);
        m_commandStates.SetCheck(id, state.checked != 0);
        m_commandStates.Enable(id, state.enabled != 0);
    }
    LRESULT OnCommandState(UINT, WPARAM, LPARAM lParam, bool&)
    {
        if (const auto* state = reinterpret_cast<const CommandUiState*>(lParam))
            ApplyCommandState(*state);
        return 0;
    }
    LRESULT OnDocChanged(UINT, WPARAM, LPARAM, bool&)
    {
        if (!m_destroying)
            static_cast<T*>(this)->UpdateCommandUI(true);
        return 0;
    }
    LRESULT OnPrepareMenu(UINT, WPARAM wParam, LPARAM, bool&)
    {
        m_commandStates.UpdateMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    }
    LRESULT OnResetCommands(UINT, WPARAM, LPARAM, bool&)
    {
        m_commandStates.DisableRuntimeEntries();
        return 0;
    }
    // The view that last had the focus sees every command first; a non-zero
    // answer means it took it.
    LRESULT OnForwardCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        const HWND view = m_doc.GetDocumentWindow();
        handled = false;
        if (!view || view == this->m_hWnd || !::IsWindow(view))
            return 0;
        MSG forwarded = {this->m_hWnd, message, wParam, lParam, 0, {}};
        if (::SendMessageW(view, WM_PELQUORN_FORWARD_COMMAND, 0, reinterpret_cast<LPARAM>(&forwarded)) != 0)
            handled = true;
        return 0;
    }
    LRESULT OnEditCommand(WORD, WORD id, HWND, bool&)
    {
        m_tabOrder.OnEditCommand(id);
        return 0;
    }
    LRESULT OnNextPane(WORD, WORD, HWND, bool&)
    {
        m_tabOrder.NextTarget();
        return 0;
    }

    TDoc m_doc;
    TabOrderProvider m_tabOrder;
    bool m_destroying = false;
    CCommandStateMap m_commandStates;
};
