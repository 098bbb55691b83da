#include "winlib/WindowImplRoot.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 0x57494E4C; // "WINL"
}

CWindowImplRoot::~CWindowImplRoot()
{
    if (!m_hWnd || !::IsWindow(m_hWnd))
        return;
    const HWND hwnd = m_hWnd;
    const bool ownWindow = !m_subclassed;
    Unhook();
    // A subclassed control belongs to its dialog and goes with it.
    if (ownWindow)
        ::DestroyWindow(hwnd);
}

bool CWindowImplRoot::SubclassWindow(HWND hwnd)
{
    if (m_hWnd || !::IsWindow(hwnd))
        return false;
    if (!::SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hWnd = hwnd;
    m_subclassed = true;
    return true;
}

HWND CWindowImplRoot::UnsubclassWindow()
{
    if (!m_subclassed)
        return nullptr;
    const HWND hwnd = m_hWnd;
    Unhook();
    return hwnd;
}

LRESULT CWindowImplRoot::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_subclassed)
        return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
    return ::CallWindowProcW(m_baseProc, m_hWnd, message, wParam, lParam);
}

void CWindowImplRoot::AttachToClassWindow(HWND hwnd, int slot, WNDPROC baseProc)
{
    m_hWnd = hwnd;
    m_slot = slot;
    m_baseProc = baseProc;
    ::SetWindowLongPtrW(hwnd, slot, reinterpret_cast<LONG_PTR>(this));
}

void CWindowImplRoot::Unhook()
{
    if (m_subclassed)
        ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    else if (m_slot >= 0)
        ::SetWindowLongPtrW(m_hWnd, m_slot, 0);
    m_subclassed = false;
    m_slot = -1;
    m_hWnd = nullptr;
}

LRESULT CWindowImplRoot::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++m_depth;
    const MSG* outer = m_currentMessage;
    const MSG current = {hwnd, message, wParam, lParam, 0, {0, 0}};
    m_currentMessage = &current;
    LRESULT result = 0;
    if (!ProcessWindowMessage(hwnd, message, wParam, lParam, result))
        result = DefWindowProc(message, wParam, lParam);
    m_currentMessage = outer;
    if (message == WM_NCDESTROY) {
        Unhook();
        m_destroyed = true;
    }
    // The final message waits until the outermost handler has returned: a
    // handler that destroyed its own window must not run on a deleted object.
    if (--m_depth == 0 && m_destroyed) {
        m_destroyed = false;
        OnFinalMessage(hwnd);
    }
    return result;
}

LRESULT CALLBACK CWindowImplRoot::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR self)
{
    return reinterpret_cast<CWindowImplRoot*>(self)->Dispatch(hwnd, message, wParam, lParam);
}
