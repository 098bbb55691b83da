#include "docking/dockwins/DockingFocusHandler.h"

#include "docking/dockwins/PackageWindowImpl.h"
#include "foundation/SystemEntry.h"

namespace dockwins {

CDockingFocusHandler* CDockingFocusHandler::s_instance = nullptr;
HWND CDockingFocusHandler::s_savedFocus = nullptr;
ATOM CDockingFocusHandler::s_packageAtom = 0;

CDockingFocusHandler::CDockingFocusHandler()
{
    s_instance = this;
}

CDockingFocusHandler::~CDockingFocusHandler()
{
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    if (s_instance == this)
        s_instance = nullptr;
}

CDockingFocusHandler* CDockingFocusHandler::Instance(CDockingFocusHandler* handler)
{
    if (handler)
        s_instance = handler;
    return s_instance;
}

HRESULT CDockingFocusHandler::AddFrame(HWND frame)
{
    m_frame = frame;
    if (!m_hook)
        m_hook = ::SetWindowsHookExW(WH_CBT, &CbtProc, ::GetModuleHandleW(nullptr), ::GetCurrentThreadId());
    return m_hook ? S_OK : E_UNEXPECTED;
}

HRESULT CDockingFocusHandler::RemoveFrame(HWND)
{
    const bool unhooked = !m_hook || ::UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
    return unhooked ? S_OK : HRESULT_FROM_WIN32(::GetLastError());
}

bool CDockingFocusHandler::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    m_window = hwnd;
    if (message == WM_MOUSEACTIVATE) {
        const auto key = m_focus.find(hwnd);
        if (key == m_focus.end())
            return false;
        const HWND remembered = key->second;
        // A remembered window that has left the docked window is not followed.
        SetFocusSafe(remembered && (remembered == hwnd || ::IsChild(hwnd, remembered)) ? remembered : hwnd);
        result = 0;
        return true;
    }
    // While the frame loses the activation the system may already name the next window active.
    if (message != WM_ACTIVATE || !m_frame || (hwnd != m_frame && ::GetActiveWindow() != m_frame))
        return false;
    bool handled = false;
    if (LOWORD(wParam) == WA_INACTIVE) {
        s_savedFocus = ::GetFocus();
    } else if (s_savedFocus && ::IsChild(m_frame, s_savedFocus)) {
        SetFocusSafe(s_savedFocus);
        result = 0;
        handled = true;
    }
    QueueFocusFix(s_savedFocus);
    return handled;
}

HWND CDockingFocusHandler::FindPackageChild(HWND window)
{
    if (!s_packageAtom) {
        WNDCLASSEXW info = {};
        info.cbSize = sizeof(info);
        s_packageAtom = static_cast<ATOM>(
            ::GetClassInfoExW(::GetModuleHandleW(nullptr), CPackageWindowImpl::className, &info));
    }
    if (!s_packageAtom)
        return nullptr;
    for (HWND child = window; child && ::IsWindow(child);) {
        const HWND parent = ::GetParent(child);
        if (!parent)
            return nullptr;
        if (::GetClassLongW(parent, GCW_ATOM) == s_packageAtom)
            return child;
        child = parent;
    }
    return nullptr;
}

HWND CDockingFocusHandler::SetFocusSafe(HWND window)
{
    const HWND parent = window ? ::GetParent(window) : nullptr;
    wchar_t className[16] = {};
    if (parent && ::GetClassNameW(parent, className, 16) && lstrcmpW(className, L"#32770") == 0) {
        const HWND previous = ::GetFocus();
        ::SendMessageW(parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
        return previous;
    }
    return ::SetFocus(window);
}

void CDockingFocusHandler::QueueFocusFix(HWND window)
{
    const HWND docked = FindPackageChild(window);
    if (!docked)
        return;
    m_repaint.push_back(docked);
    ::SetTimer(nullptr, 0, 1, &TimerProc);
}

HWND CDockingFocusHandler::RememberedFocus(HWND docked) const
{
    const auto found = m_focus.find(docked);
    return found == m_focus.end() ? nullptr : found->second;
}

void CDockingFocusHandler::OnCbt(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_SETFOCUS) {
        const HWND gaining = reinterpret_cast<HWND>(wParam);
        QueueFocusFix(gaining);
        QueueFocusFix(reinterpret_cast<HWND>(lParam));
        if (const HWND docked = FindPackageChild(gaining))
            m_focus[docked] = gaining;
    } else if (code == HCBT_DESTROYWND) {
        m_focus.erase(reinterpret_cast<HWND>(wParam));
    }
}

LRESULT CALLBACK CDockingFocusHandler::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    CDockingFocusHandler* handler = s_instance;
    if (code >= 0 && handler)
        RunForSystem(L"the docking focus hook", [&] { handler->OnCbt(code, wParam, lParam); });
    return ::CallNextHookEx(handler ? handler->m_hook : nullptr, code, wParam, lParam);
}

void CALLBACK CDockingFocusHandler::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    RunForSystem(L"the docking focus timer", [] {
        CDockingFocusHandler* handler = s_instance;
        if (!handler || handler->m_repaint.empty())
            return;
        const HWND window = handler->m_repaint.front();
        handler->m_repaint.pop_front();
        // A window destroyed before its turn is skipped.
        if (::IsWindow(window))
            ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    });
}

} // namespace dockwins
