#include "winlib/WindowImplRoot.h"

namespace {

// A handler threw: creation fails, so the system destroys the window cleanly
// and Create reports no window; any other message gets the default answer.
LRESULT AnswerAfterException(UINT message, const auto& defaultProcessing)
{
    if (message == WM_NCCREATE)
        return FALSE;
    if (message == WM_CREATE)
        return -1;
    return defaultProcessing();
}

} // namespace

bool CWindowImplRoot::SubclassWindow(HWND hwnd)
{
    if (m_hWnd || !::IsWindow(hwnd))
        return false;
    return HookBySubclass(hwnd, SubclassProc);
}

HWND CWindowImplRoot::UnsubclassWindow()
{
    if (!IsSubclassed())
        return nullptr;
    const HWND hwnd = m_hWnd;
    Unhook();
    return hwnd;
}

LRESULT CWindowImplRoot::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsSubclassed())
        return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
    return ::CallWindowProcW(m_baseProc, m_hWnd, message, wParam, lParam);
}

bool CWindowImplRoot::Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!ProcessWindowMessage(hwnd, message, wParam, lParam, result))
        result = DefWindowProc(message, wParam, lParam);
    return true;
}

LRESULT CWindowImplRoot::RouteClassMessage(const RegisteredClass& registered, HWND hwnd, UINT message, WPARAM wParam,
                                           LPARAM lParam)
{
    auto* self = reinterpret_cast<CWindowImplRoot*>(::GetWindowLongPtrW(hwnd, registered.slot));
    if (!self && message == WM_NCCREATE) {
        self = static_cast<CWindowImplRoot*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            self->m_baseProc = registered.baseProc;
            self->HookAtOffset(hwnd, registered.slot);
        }
    }
    const auto defaultProcessing = [&] { return ::CallWindowProcW(registered.baseProc, hwnd, message, wParam, lParam); };
    // Before WM_NCCREATE (WM_GETMINMAXINFO) and after the object let go.
    if (!self)
        return defaultProcessing();
    try {
        LRESULT result = 0;
        self->Dispatch(hwnd, message, wParam, lParam, result);
        return result;
    } catch (...) {
        LogHandlerException(message);
        return AnswerAfterException(message, defaultProcessing);
    }
}

LRESULT CALLBACK CWindowImplRoot::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR self)
{
    try {
        LRESULT result = 0;
        reinterpret_cast<CWindowImplRoot*>(self)->Dispatch(hwnd, message, wParam, lParam, result);
        return result;
    } catch (...) {
        LogHandlerException(message);
        return AnswerAfterException(message, [&] { return ::DefSubclassProc(hwnd, message, wParam, lParam); });
    }
}
