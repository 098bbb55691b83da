#include "winlib/WindowImplRoot.h"

#include <utility>

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

thread_local CWindowImplRoot::PendingBinding* CWindowImplRoot::s_pending = nullptr;

CWindowImplRoot::PendingBinding::PendingBinding(CWindowImplRoot* object, ATOM atom)
    : m_outer(s_pending), m_object(object), m_atom(atom)
{
    s_pending = this;
}

CWindowImplRoot::PendingBinding::~PendingBinding()
{
    s_pending = m_outer;
}

CWindowImplRoot* CWindowImplRoot::BindPending(const RegisteredClass& registered, HWND hwnd)
{
    // Only the class being created binds: a hook may make other windows meanwhile.
    PendingBinding* pending = s_pending;
    if (!pending || !pending->m_object || pending->m_atom != registered.atom)
        return nullptr;
    CWindowImplRoot* self = std::exchange(pending->m_object, nullptr);
    self->m_baseProc = registered.baseProc;
    self->HookAtOffset(hwnd, registered.slot);
    return self;
}

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
    // A handler that destroyed its own window has let go of m_hWnd; the
    // default still belongs to the window the message came for.
    const MSG* current = GetCurrentMessage();
    const HWND hwnd = current ? current->hwnd : m_hWnd;
    if (IsSubclassed())
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    return ::CallWindowProcW(m_baseProc, hwnd, message, wParam, lParam);
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
    if (!self)
        self = BindPending(registered, hwnd);
    const auto defaultProcessing = [&] { return ::CallWindowProcW(registered.baseProc, hwnd, message, wParam, lParam); };
    // A window made without an object, or after the object let go.
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
