// CViewBase<View, Doc>: what every document view shares: its face of the document, activation, command states, context menus, drags, Enter and forwarded commands.
#pragma once

#include <windows.h>

#include "document/DocumentMessages.h"
#include "document/IObserver.h"
#include "document/ISubject.h"
#include "foundation/AppWindow.h"
#include "foundation/ResourceModule.h"
#include "foundation/Translator.h"
#include "resources/AppCommandIds.h"
#include "views/common/CreatableWindow.h"
#include "views/common/DragStart.h"
#include "views/common/TabOrderProvider.h"
#include "views/common/TabOrderTarget.h"
#include "views/common/ViewMessages.h"
#include "winlib/UniqueMenu.h"
#include "foundation/MessageMap.h"

// View derives from its window implementation first (a CWindowImpl), then
// from this base, and provides `void UpdateCommandUI(bool active)`, which
// sends one state per command through SendCommandState. Its own message map
// ends with CHAIN_MESSAGE_MAP(ViewBase). Doc is the view's own face of the
// document (an IViewDocument: ITaskListDocument, IMoodDocument, ...): the
// document that attaches the view and whose window the active view is.
template <class View, class Doc>
class CViewBase : public ICreatableWindow, public IObserver {
public:
    using ViewBase = CViewBase;

    // A view calls this first from its own Update. The document that
    // notifies becomes the view's; a null subject leaves it as it was.
    void Update(ISubject* subject, DocNotifyCode /*code*/) override
    {
        if (Doc* document = dynamic_cast<Doc*>(subject))
            m_document = document;
    }
    // The view's window takes its turn in Next Pane, in the order the
    // frame attaches its views.
    void OnAttach(ITabOrderProvider* tabOrder) override
    {
        if (tabOrder && GetHwnd())
            tabOrder->AddTarget(new WindowTarget(GetHwnd()));
    }

    // Null until the frame hands it or the first notification; never cleared afterwards.
    Doc* GetDocument() const { return m_document; }
    // The frame hands the view its document before anything is told.
    void SetDocument(Doc* document) { m_document = document; }

    // The view becomes the document's window: the document posts it its
    // changes, and the frame forwards it the commands.
    void Activate()
    {
        if (!m_document)
            return;
        m_document->SetDocumentWindow(GetHwnd());
        RefreshCommandUI(true);
    }

    // The frame first disables every command a view had named; then the
    // active view's document and the view push their own states.
    void RefreshCommandUI(bool active)
    {
        if (const HWND mainWindow = GetMainWindow())
            ::SendMessageW(mainWindow, WM_PELQUORN_RESET_COMMANDS, 0, 0);
        if (active && m_document)
            m_document->RefreshUI();
        GetView().UpdateCommandUI(active);
    }

    // The first submenu of the menu resource, translated, with the states of
    // its commands set; the frame tracks it and carries out the choice on
    // this view.
    void ShowContextMenu(const POINT* screenPoint, UINT menuId)
    {
        if (!screenPoint)
            return;
        const UniqueMenu menu(::LoadMenuW(GetResourceModule(), MAKEINTRESOURCEW(menuId)));
        if (!menu)
            return;
        Translator::TranslateMenu(menu);
        if (const HMENU popup = ::GetSubMenu(menu, 0)) {
            // As a right click does, the view takes the focus and so becomes
            // the document's window, to which the frame sends the choice: the
            // command, and the keys after it, go to this view even when
            // another pane had the focus.
            const HWND view = GetHwnd();
            const HWND focus = ::GetFocus();
            if (view && focus != view && !::IsChild(view, focus))
                ::SetFocus(view);
            if (m_document)
                m_document->SetDocumentWindow(view);
            PrepareMenu(popup);
            POINT point = *screenPoint;
            if (const HWND mainWindow = GetMainWindow())
                ::SendMessageW(mainWindow, WM_PELQUORN_TRACK_MENU, reinterpret_cast<WPARAM>(popup),
                               reinterpret_cast<LPARAM>(&point));
        }
    }

    void PrepareMenu(HMENU popup)
    {
        RefreshCommandUI(true);
        if (const HWND mainWindow = GetMainWindow())
            ::SendMessageW(mainWindow, WM_PELQUORN_PREPARE_MENU, reinterpret_cast<WPARAM>(popup), 0);
    }

    // Runs the message through the view's whole message map: true when the
    // map handled it with a non-zero result. A view's own PreTranslateMessage
    // ends by calling this one.
    bool PreTranslateMessage(MSG* message)
    {
        // A key for the view's own window reaches its map again when it is
        // dispatched; the base's key handling waits for that run.
        const HWND before = m_preTranslatedFor;
        m_preTranslatedFor = message->hwnd;
        LRESULT result = 0;
        const bool taken =
            GetView().ProcessWindowMessage(GetHwnd(), message->message, message->wParam, message->lParam, result) &&
            result != 0;
        m_preTranslatedFor = before;
        return taken;
    }

    HWND GetHwnd() const override { return static_cast<const View&>(*this).m_hWnd; }
    LRESULT SendViewMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return ::SendMessageW(GetHwnd(), message, wParam, lParam);
    }
    bool PostViewMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return ::PostMessageW(GetHwnd(), message, wParam, lParam) != FALSE;
    }
    bool KillViewTimer(UINT_PTR timerId) override { return ::KillTimer(GetHwnd(), timerId) != FALSE; }
    bool SetViewTimer(UINT_PTR timerId, UINT elapseMs) override
    {
        return ::SetTimer(GetHwnd(), timerId, elapseMs, nullptr) != 0;
    }

    BEGIN_MIXIN_MESSAGE_MAP(CViewBase)
        ON_MESSAGE(WM_PELQUORN_FORWARD_COMMAND, OnForwardCommand)
        ON_MESSAGE(WM_SETFOCUS, OnActivateRequest)
        ON_MESSAGE(WM_VIEW_ACTIVATE, OnActivateRequest)
        ON_MESSAGE(WM_PELQUORN_DOC_CHANGED, OnDocChanged)
        ON_MESSAGE(WM_VIEW_CONTEXT_MENU, OnContextMenuRequest)
        ON_MESSAGE(WM_PELQUORN_START_DRAG, OnStartDrag)
        ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    END_MESSAGE_MAP()

protected:
    // One command's state to the main frame. An inactive view's commands go
    // disabled and unchecked whatever their rule says.
    static void SendCommandState(bool active, int commandId, bool enabled = true, bool checked = false)
    {
        const HWND mainWindow = GetMainWindow();
        if (!mainWindow)
            return;
        CommandUiState state = {
            .checked = active && checked ? 1 : 0,
            .enabled = active && enabled ? 1 : 0,
            .commandId = commandId,
        };
        ::SendMessageW(mainWindow, WM_PELQUORN_COMMAND_STATE, 0, reinterpret_cast<LPARAM>(&state));
    }

private:
    View& GetView() { return static_cast<View&>(*this); }

    // Zero tells the frame to offer the command to its next handlers.
    LRESULT OnForwardCommand(UINT, WPARAM, LPARAM lParam, bool&)
    {
        auto* forwarded = reinterpret_cast<ForwardedMessage*>(lParam);
        // Keys come this way from the pane that hosts the view, so that an
        // editor inside the view gets them before the frame's accelerators.
        const bool isKey = forwarded && forwarded->message >= WM_KEYDOWN && forwarded->message <= WM_SYSDEADCHAR;
        if (!forwarded || (forwarded->message != WM_COMMAND && !isKey))
            return 0;
        return GetView().PreTranslateMessage(forwarded) ? 1 : 0;
    }
    // The focus still moves: the default processing sees the message too.
    LRESULT OnActivateRequest(UINT, WPARAM, LPARAM, bool& handled)
    {
        Activate();
        handled = false;
        return 0;
    }
    LRESULT OnDocChanged(UINT, WPARAM, LPARAM, bool&)
    {
        RefreshCommandUI(true);
        return 0;
    }
    LRESULT OnContextMenuRequest(UINT, WPARAM wParam, LPARAM lParam, bool&)
    {
        // Signed: a screen left of or above the primary one has negative points.
        const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ShowContextMenu(&point, static_cast<UINT>(wParam));
        return 0;
    }
    // The drag a view posted once its control was done with the press; what
    // a move means is done by the target.
    LRESULT OnStartDrag(UINT, WPARAM wParam, LPARAM, bool&)
    {
        RunPostedDrag(wParam);
        return 0;
    }
    // Enter edits the selection; the control still gets the key.
    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled)
    {
        const bool dispatchFollows = m_preTranslatedFor && m_preTranslatedFor == GetHwnd();
        if (wParam == VK_RETURN && !dispatchFollows)
            ::PostMessageW(GetHwnd(), WM_COMMAND, MAKEWPARAM(ID_TASK_EDIT, 0), 0);
        handled = false;
        return 0;
    }

    Doc* m_document = nullptr;
    // The window of the key being pre-translated; null outside that run.
    HWND m_preTranslatedFor = nullptr;
};
