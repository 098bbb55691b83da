#include "winlib/MessageDispatcher.h"

#include "foundation/CaughtException.h"
#include "winlib/MessageName.h"

namespace {
constexpr UINT_PTR kSubclassId = 0x57494E4C; // "WINL"
}

// One message being dispatched; its end restores the outer message, also
// when a handler threw, and sends the final message after the outermost one.
class CMessageDispatcher::Scope {
public:
    Scope(CMessageDispatcher& owner, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
        : m_owner(owner), m_outer(owner.m_currentMessage), m_message{hwnd, message, wParam, lParam, 0, {0, 0}}
    {
        ++m_owner.m_depth;
        m_owner.m_currentMessage = &m_message;
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    ~Scope()
    {
        m_owner.m_currentMessage = m_outer;
        if (m_message.message == WM_NCDESTROY) {
            m_owner.Unhook();
            m_owner.m_destroyed = true;
        }
        if (--m_owner.m_depth > 0 || !m_owner.m_destroyed)
            return;
        m_owner.m_destroyed = false;
        // Nothing may leave a destructor; the object may be gone afterwards.
        try {
            m_owner.OnFinalMessage(m_message.hwnd);
        } catch (...) {
            LogCaughtException(L"OnFinalMessage");
        }
    }

private:
    CMessageDispatcher& m_owner;
    const MSG* m_outer;
    const MSG m_message;
};

CMessageDispatcher::~CMessageDispatcher()
{
    if (!m_hWnd || !::IsWindow(m_hWnd))
        return;
    const HWND hwnd = m_hWnd;
    const bool ownWindow = !IsSubclassed();
    Unhook();
    if (ownWindow)
        ::DestroyWindow(hwnd);
}

void CMessageDispatcher::HookAtOffset(HWND hwnd, int offset)
{
    m_hWnd = hwnd;
    m_offset = offset;
    ::SetWindowLongPtrW(hwnd, offset, reinterpret_cast<LONG_PTR>(this));
}

bool CMessageDispatcher::HookBySubclass(HWND hwnd, SUBCLASSPROC procedure)
{
    if (!::SetWindowSubclass(hwnd, procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hWnd = hwnd;
    m_subclassProc = procedure;
    return true;
}

void CMessageDispatcher::Unhook()
{
    if (m_subclassProc)
        ::RemoveWindowSubclass(m_hWnd, m_subclassProc, kSubclassId);
    else if (m_offset >= 0)
        ::SetWindowLongPtrW(m_hWnd, m_offset, 0);
    m_subclassProc = nullptr;
    m_offset = -1;
    m_hWnd = nullptr;
}

bool CMessageDispatcher::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const Scope scope(*this, hwnd, message, wParam, lParam);
    result = 0;
    return Answer(hwnd, message, wParam, lParam, result);
}

void CMessageDispatcher::LogHandlerException(UINT message)
{
    LogCaughtException(MessageName(message).c_str());
}
