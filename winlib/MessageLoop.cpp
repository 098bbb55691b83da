#include "winlib/MessageLoop.h"

namespace {
CMessageLoop* g_registered = nullptr;
constexpr UINT kCaretBlinkTimer = 0x0118;
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
    m_filters.Add(filter);
}

void CMessageLoop::RemoveMessageFilter(CMessageFilter* filter)
{
    m_filters.Remove(filter);
}

void CMessageLoop::AddIdleHandler(CIdleHandler* handler)
{
    m_idleHandlers.Add(handler);
}

void CMessageLoop::RemoveIdleHandler(CIdleHandler* handler)
{
    m_idleHandlers.Remove(handler);
}

bool CMessageLoop::PreTranslateMessage(MSG* message)
{
    return m_filters.AnyFromLast([message](CMessageFilter& filter) { return filter.PreTranslateMessage(message); });
}

bool CMessageLoop::OnIdle(int idleCount)
{
    bool more = false;
    m_idleHandlers.EachFromFirst([&](CIdleHandler& handler) {
        if (handler.OnIdle(idleCount) != 0)
            more = true;
    });
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
