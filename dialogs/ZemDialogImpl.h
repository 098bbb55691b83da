// CZemDialogImpl<T>: the base of every dialog: translated texts, data exchange, resizing, icon, saved rectangle.
//
// T supplies IDD, GetDialogName, its DDX map and resize map, OnInitDialog
// when it fills controls (lists, child windows) before they are loaded, and
// its own message map, which chains to this one. The base owns
// WM_INITDIALOG: T's map never sees it.
#pragma once

#include <windows.h>

#include "dialogs/WinDataExchangeEx.h"
#include "foundation/EString.h"
#include "foundation/PrivateMessages.h"
#include "foundation/ResourceModule.h"
#include "foundation/Translator.h"
#include "foundation/WindowState.h"
#include "resources/IconIds.h"
#include "winlib/DialogImpl.h"
#include "winlib/DialogResize.h"
#include "winlib/MessageFilter.h"
#include "winlib/MessageLoop.h"

template <class T>
class CZemDialogImpl : public CDialogImpl<T>,
                       public CDialogResize<T>,
                       public CWinDataExchangeEx<T>,
                       public CMessageFilter {
public:
    static constexpr unsigned kIconId = IDI_QUORVANE;

    ~CZemDialogImpl() override { LeaveMessageLoop(); }

    // Modal: OK and Cancel end the dialog. Modeless (Create): they hide it,
    // and the owner shows it again; while its window exists it is a filter of
    // the registered message loop, which hands it its keys.
    INT_PTR DoModal(HWND parent = ::GetActiveWindow(), LPARAM initParam = 0)
    {
        m_isModal = true;
        return CDialogImpl<T>::DoModal(parent, initParam);
    }
    HWND Create(HWND parent, LPARAM initParam = 0)
    {
        m_isModal = false;
        const HWND window = CDialogImpl<T>::Create(parent, initParam);
        if (window)
            if (CMessageLoop* loop = CMessageLoop::Registered())
                loop->AddMessageFilter(this);
        return window;
    }

    // Whether the saved rectangle is put back after initialisation.
    virtual bool GetRestoreWindowRect() { return m_restoreRect; }
    // The registry sub key of the dialog's rectangle.
    virtual EString GetDialogName() = 0;

    // Dialog keys (Tab, Enter, Escape) of a modeless dialog, while it is
    // shown and the focus is in it: the loop offers every dialog every key.
    bool PreTranslateMessage(MSG* message) override
    {
        if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST || !HoldsVisibleFocus())
            return false;
        return ::IsDialogMessageW(this->m_hWnd, message) != FALSE;
    }

    // The defaults of a dialog without fields or anchors; T hides them.
    bool DoDataExchange(bool = false, int = -1) { return true; }
    BEGIN_RESIZE_MAP(CZemDialogImpl)
    END_RESIZE_MAP()

    BEGIN_MESSAGE_MAP(CZemDialogImpl)
        ON_COMMAND_CODE(IDOK, BN_CLICKED, OnOK)
        ON_COMMAND_CODE(IDCANCEL, BN_CLICKED, OnCancel)
        ON_MESSAGE(WM_DESTROY, OnDestroy)
        ON_MESSAGE(WM_DIALOG_RESTORE_RECT, OnRestoreRect)
        CHAIN_MESSAGE_MAP(CDialogResize<T>)
    END_MESSAGE_MAP()

    // A caller clears it before showing a dialog that must open where its resource puts it.
    bool m_restoreRect = true;
    bool m_isModal = false;

protected:
    T* Self() { return static_cast<T*>(this); }

    void InitDialog() final
    {
        Self()->OnInitDialog();
        // Before the first load, so that values put in controls are never translated.
        Translator::TranslateWindow(this->m_hWnd);
        Self()->DoDataExchange(false);
        this->DlgResize_Init(true, true);
        if (const HICON icon = LoadAppIcon(kIconId))
            this->SetIcon(icon, false);
        if (Self()->GetRestoreWindowRect())
            this->PostMessage(WM_DIALOG_RESTORE_RECT);
        m_initialised = true;
    }

    // A field that cannot be saved keeps the dialog open: the user is told
    // why and it has the focus, and closing would drop the fields after it.
    LRESULT OnOK(WORD, WORD, HWND, bool&)
    {
        if (this->ReadFieldsForOk())
            End(IDOK);
        return 0;
    }
    LRESULT OnCancel(WORD, WORD, HWND, bool&)
    {
        End(IDCANCEL);
        return 0;
    }
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
    {
        // A dialog whose initialisation failed never stood where the user put
        // it: the saved rectangle stays.
        if (m_initialised)
            SaveRect();
        m_initialised = false;
        LeaveMessageLoop();
        handled = false;
        return 0;
    }
    LRESULT OnRestoreRect(UINT, WPARAM, LPARAM, bool&)
    {
        WindowState::RestoreWindowRect(Self()->GetDialogName().c_str(), this->m_hWnd);
        return 0;
    }

    void End(int id)
    {
        if (m_isModal) {
            this->EndDialog(id);
            return;
        }
        this->ShowWindow(SW_HIDE);
        SaveRect();
    }
    void SaveRect() { WindowState::SaveWindowRect(Self()->GetDialogName().c_str(), this->m_hWnd); }

private:
    bool HoldsVisibleFocus() const
    {
        const HWND window = this->m_hWnd;
        if (!window || !::IsWindowVisible(window))
            return false;
        const HWND focus = ::GetFocus();
        return focus && (focus == window || ::IsChild(window, focus));
    }
    // The registered loop is the one it joined: the program has one, and a
    // loop that went has unregistered itself.
    void LeaveMessageLoop()
    {
        if (CMessageLoop* loop = CMessageLoop::Registered())
            loop->RemoveMessageFilter(this);
    }

    bool m_initialised = false;
};
