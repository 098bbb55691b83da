#include "winlib/DialogImplRoot.h"

#include "foundation/ModalScope.h"

namespace {

// What travels in WM_INITDIALOG's lParam: the object, the caller's own
// parameter, and how the dialog runs.
struct DialogStart {
    CDialogImplRoot* dialog;
    LPARAM initParam;
    bool modal;
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

// The dialog procedure's answer for the map's outcome.
INT_PTR DialogAnswer(HWND hwnd, UINT message, bool handled, LRESULT result)
{
    if (!handled)
        return FALSE;
    if (AnswersDirectly(message))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

// Null before WM_INITDIALOG and after the object let go.
CDialogImplRoot* HookedObject(HWND hwnd)
{
    return reinterpret_cast<CDialogImplRoot*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
}

} // namespace

INT_PTR CDialogImplRoot::RunModal(HINSTANCE module, const wchar_t* resource, HWND parent, LPARAM initParam)
{
    if (m_hWnd)
        return -1;
    DialogStart start = {this, initParam, true};
    const ModalScope modal;
    return ::DialogBoxParamW(module, resource, parent, DialogProc, reinterpret_cast<LPARAM>(&start));
}

HWND CDialogImplRoot::CreateModeless(HINSTANCE module, const wchar_t* resource, HWND parent, LPARAM initParam)
{
    if (m_hWnd)
        return nullptr;
    DialogStart start = {this, initParam, false};
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

bool CDialogImplRoot::Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_INITDIALOG) {
        InitDialog();
        result = TRUE;
        return true;
    }
    return ProcessWindowMessage(hwnd, message, wParam, lParam, result);
}

INT_PTR CALLBACK CDialogImplRoot::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return Route(HookedObject(hwnd), hwnd, message, wParam, lParam);
    bool threw = false;
    const auto* start = reinterpret_cast<const DialogStart*>(lParam);
    start->dialog->m_initParam = start->initParam;
    start->dialog->HookAtOffset(hwnd, DWLP_USER);
    const INT_PTR answer = Route(start->dialog, hwnd, message, wParam, start->initParam, &threw);
    // A dialog that could not fill its controls must not take the user's
    // input: a modal one ends as when its template is missing, a modeless one
    // goes, and the caller gets no window.
    if (threw && ::IsWindow(hwnd)) {
        if (start->modal)
            ::EndDialog(hwnd, -1);
        else
            ::DestroyWindow(hwnd);
    }
    return answer;
}

INT_PTR CALLBACK CDialogImplRoot::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return Route(HookedObject(hwnd), hwnd, message, wParam, lParam);
    bool threw = false;
    // The sheet passes its copy of the page description; its lParam is the object.
    auto* self = reinterpret_cast<CDialogImplRoot*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
    self->m_initFailed = false;
    self->HookAtOffset(hwnd, DWLP_USER);
    const INT_PTR answer = Route(self, hwnd, message, wParam, lParam, &threw);
    // Closing the sheet would drop what the user did on its other pages; the
    // check tells whether the object is still there to be marked.
    if (threw && ::IsWindow(hwnd) && HookedObject(hwnd) == self) {
        self->m_initFailed = true;
        ::EnableWindow(hwnd, FALSE);
    }
    return answer;
}

INT_PTR CDialogImplRoot::Route(CDialogImplRoot* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                               bool* threw)
{
    // Messages before WM_INITDIALOG (WM_SETFONT) and after the object let go
    // get the dialog manager's default.
    if (!self)
        return FALSE;
    try {
        LRESULT result = 0;
        const bool handled = self->Dispatch(hwnd, message, wParam, lParam, result);
        return DialogAnswer(hwnd, message, handled, result);
    } catch (...) {
        LogHandlerException(message);
        if (threw)
            *threw = true;
        return message == WM_INITDIALOG ? TRUE : FALSE;
    }
}
