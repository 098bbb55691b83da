#include "winlib/MessageLoop.h"

#include <algorithm>

namespace {
CMessageLoop* g_registered = nullptr;
constexpr UINT kCaretBlinkTimer = 0x0118;

template <class T>
void RemoveFrom(std::vector<T*>& list, T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
} // namespace

CMessageLoop::~CMessageLoop()
{
    if (g_registered == this)
        g_registered = nullptr;
}

CMessageLoop* CMessageLoop::Registered()
{
    return g_registered;
}

void CMessageLoop::Register()
{
    g_registered = this;
}

void CMessageLoop::AddMessageFilter(CMessageFilter* filter)
{
    if (filter && std::find(m_filters.begin(), m_filters.end(), filter) == m_filters.end())
        m_filters.push_back(filter);
}

void CMessageLoop::RemoveMessageFilter(CMessageFilter* filter)
{
    RemoveFrom(m_filters, filter);
}

void CMessageLoop::AddIdleHandler(CIdleHandler* handler)
{
    if (handler && std::find(m_idleHandlers.begin(), m_idleHandlers.end(), handler) == m_idleHandlers.end())
        m_idleHandlers.push_back(handler);
}

void CMessageLoop::RemoveIdleHandler(CIdleHandler* handler)
{
    RemoveFrom(m_idleHandlers, handler);
}

bool CMessageLoop::PreTranslateMessage(MSG* message)
{
    // A filter may remove itself (a dialog that closes on this key): walk a copy.
    const std::vector<CMessageFilter*> filters = m_filters;
    for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
        if (std::find(m_filters.begin(), m_filters.end(), *it) == m_filters.end())
            continue;
        if ((*it)->PreTranslateMessage(message))
            return true;
    }
    return false;
}

bool CMessageLoop::OnIdle(int idleCount)
{
    const std::vector<CIdleHandler*> handlers = m_idleHandlers;
    bool more = false;
    for (CIdleHandler* handler : handlers) {
        if (std::find(m_idleHandlers.begin(), m_idleHandlers.end(), handler) == m_idleHandlers.end())
            continue;
        if (handler->OnIdle(idleCount) != 0)
            more = true;
    }
    return more;
}

bool CMessageLoop::IsIdleMessage(const MSG& message)
{
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
        const bool still = m_lastMouseMessage == message.message && m_lastMousePoint.x == message.pt.x &&
                           m_lastMousePoint.y == message.pt.y;
        m_lastMouseMessage = message.message;
        m_lastMousePoint = message.pt;
        return !still;
    }
    return message.message != WM_PAINT && message.message != kCaretBlinkTimer;
}

int CMessageLoop::Run()
{
    bool idle = true;
    int idleCount = 0;
    MSG message = {};
    for (;;) {
        while (idle && !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == -1)
            continue; // an invalid window handle: nothing to dispatch
        if (!got)
            break;
        if (!PreTranslateMessage(&message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (IsIdleMessage(message)) {
            idle = true;
            idleCount = 0;
        }
    }
    return static_cast<int>(message.wParam);
}
