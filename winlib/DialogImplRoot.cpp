#include "winlib/DialogImplRoot.h"

namespace {

// What travels in WM_INITDIALOG's lParam: the object, and the caller's own parameter.
struct DialogStart {
    CDialogImplRoot* dialog;
    LPARAM initParam;
};

// Messages whose dialog-procedure result is the answer itself, not a
// handled flag with the answer in DWLP_MSGRESULT.
bool AnswersDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    }
    return false;
}

} // namespace

CDialogImplRoot::~CDialogImplRoot()
{
    if (!m_hWnd || !::IsWindow(m_hWnd))
        return;
    const HWND hwnd = m_hWnd;
    Unhook();
    ::DestroyWindow(hwnd);
}

INT_PTR CDialogImplRoot::RunModal(HINSTANCE module, const wchar_t* resource, HWND parent, LPARAM initParam)
{
    if (m_hWnd)
        return -1;
    DialogStart start = {this, initParam};
    return ::DialogBoxParamW(module, resource, parent, DialogProc, reinterpret_cast<LPARAM>(&start));
}

HWND CDialogImplRoot::CreateModeless(HINSTANCE module, const wchar_t* resource, HWND parent, LPARAM initParam)
{
    if (m_hWnd)
        return nullptr;
    DialogStart start = {this, initParam};
    ::CreateDialogParamW(module, resource, parent, DialogProc, reinterpret_cast<LPARAM>(&start));
    return m_hWnd;
}

PROPSHEETPAGEW CDialogImplRoot::MakePropertyPage(HINSTANCE module, const wchar_t* resource)
{
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = module;
    page.pszTemplate = resource;
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

void CDialogImplRoot::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

void CDialogImplRoot::Unhook()
{
    ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
    m_hWnd = nullptr;
}

INT_PTR CALLBACK CDialogImplRoot::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const auto* start = reinterpret_cast<DialogStart*>(lParam);
        start->dialog->Attach(hwnd);
        return Route(start->dialog, hwnd, message, wParam, start->initParam);
    }
    return Route(reinterpret_cast<CDialogImplRoot*>(::GetWindowLongPtrW(hwnd, DWLP_USER)), hwnd, message, wParam,
                 lParam);
}

INT_PTR CALLBACK CDialogImplRoot::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // The sheet passes its copy of the page description; its lParam is the object.
        auto* self = reinterpret_cast<CDialogImplRoot*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
        self->Attach(hwnd);
        return Route(self, hwnd, message, wParam, lParam);
    }
    return Route(reinterpret_cast<CDialogImplRoot*>(::GetWindowLongPtrW(hwnd, DWLP_USER)), hwnd, message, wParam,
                 lParam);
}

INT_PTR CDialogImplRoot::Route(CDialogImplRoot* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Messages before WM_INITDIALOG (WM_SETFONT) and after the object let go
    // get the dialog manager's default.
    if (!self)
        return FALSE;
    return self->Dispatch(hwnd, message, wParam, lParam);
}

INT_PTR CDialogImplRoot::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++m_depth;
    const MSG* outer = m_currentMessage;
    const MSG current = {hwnd, message, wParam, lParam, 0, {0, 0}};
    m_currentMessage = &current;
    LRESULT result = 0;
    const bool handled = ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    m_currentMessage = outer;
    if (message == WM_NCDESTROY) {
        Unhook();
        m_destroyed = true;
    }
    if (--m_depth == 0 && m_destroyed) {
        m_destroyed = false;
        OnFinalMessage(hwnd);
        return FALSE;
    }
    if (!handled)
        return message == WM_INITDIALOG ? TRUE : FALSE; // TRUE: the system sets the default focus
    if (AnswersDirectly(message))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
